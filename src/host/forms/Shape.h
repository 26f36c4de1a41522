#pragma once

#include <QWidget>

#include "host/core/ColorRef.h"
#include "host/core/Twips.h"

class QPainter;

namespace host {

// The runtime's rectangle shape: a border of BorderWidth pixels centred on the outline (so a
// heavier line reaches half its width outside), an optional fill, no input of its own (mouse
// events go to what lies beneath).
class Shape : public QWidget {
 public:
  explicit Shape(QWidget* parent);

  // Places the outline at a design rectangle in twips (of the parent's area).
  void place(const TwipsRect& r);
  // The outline's width in twips; setting it keeps the left edge.
  int Width() const;
  void Width(int twips);
  ColorRef BorderColor() const { return m_borderColor; }
  void BorderColor(ColorRef c);
  int BorderWidth() const { return m_borderWidth; }
  void BorderWidth(int w);
  bool BorderVisible() const { return m_borderVisible; }
  void BorderVisible(bool on);
  ColorRef FillColor() const { return m_fillColor; }
  void FillColor(ColorRef c);
  bool Filled() const { return m_filled; }
  void Filled(bool on);
  // The outline in the parent's pixels.
  QRect outline() const { return m_outline; }
  // Paints the shape as its paint event does, in its own pixels (origin at its top-left corner).
  void paintOnto(QPainter& p) const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void relayout();

  QRect m_outline;
  ColorRef m_borderColor = 0;
  ColorRef m_fillColor = 0;
  int m_borderWidth = 1;
  bool m_borderVisible = true;
  bool m_filled = false;
};

}  // namespace host
