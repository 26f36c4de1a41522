#pragma once

#include <QString>
#include <QWidget>

#include "ColorRef.h"
#include "MouseEvents.h"

namespace host {

// The forms runtime's label: a caption drawn in a font, opaque or transparent, with an optional
// single border, wrapped at word boundaries when it does not fit. Also serves as a color swatch
// (an opaque label whose BackColor is the color).
class Label : public QWidget, public MouseEvents {
 public:
  enum class BackStyleKind { Transparent = 0, Opaque = 1 };
  enum class AlignmentKind { LeftJustify = 0, RightJustify = 1, Center = 2 };
  enum class BorderStyleKind { None = 0, FixedSingle = 1 };

  explicit Label(QWidget* parent);

  const QString& Caption() const { return m_caption; }
  void Caption(const QString& text);
  ColorRef BackColor() const { return m_backColor; }
  void BackColor(ColorRef color);
  ColorRef ForeColor() const { return m_foreColor; }
  void ForeColor(ColorRef color);
  BackStyleKind BackStyle() const { return m_backStyle; }
  void BackStyle(BackStyleKind style);
  AlignmentKind Alignment() const { return m_alignment; }
  void Alignment(AlignmentKind a);
  BorderStyleKind BorderStyle() const { return m_borderStyle; }
  void BorderStyle(BorderStyleKind b);
  QString ToolTipText() const { return toolTip(); }
  void ToolTipText(const QString& text) { setToolTip(text); }

 protected:
  void paintEvent(class QPaintEvent* event) override;

 private:
  QString m_caption;
  ColorRef m_backColor = SystemColor::ButtonFace;
  ColorRef m_foreColor = SystemColor::ButtonText;
  BackStyleKind m_backStyle = BackStyleKind::Opaque;
  AlignmentKind m_alignment = AlignmentKind::LeftJustify;
  BorderStyleKind m_borderStyle = BorderStyleKind::None;
};

}  // namespace host
