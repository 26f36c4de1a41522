#pragma once

#include <QImage>
#include <QWidget>

#include "Canvas.h"
#include "ColorRef.h"
#include "Region.h"

namespace host {

// A top-level window of the forms runtime without a title bar or frame: geometry in twips, a
// background color and a persistent drawing surface over the whole inner area (AutoRedraw), on
// which window effects draw and over which the controls sit.
class Form : public QWidget {
 public:
  explicit Form(QWidget* parent = nullptr);

  // Outer geometry in twips (the window has no frame, so inner and outer agree).
  int Left() const;
  void Left(int twips);
  int Top() const;
  void Top(int twips);
  int Width() const;
  void Width(int twips);
  int Height() const;
  void Height(int twips);
  void Move(int left, int top);
  void Move(double left, double top, double width, double height);

  // Loads the window once (its Form_Load), then shows it.
  void Show();
  void Load();

  // Restricts the window to `region` (window pixels); a later call replaces the shape.
  void SetWindowRgn(const Region& region);
  const Region& windowRegion() const { return m_region; }
  double ScaleWidth() const;   // twips
  double ScaleHeight() const;  // twips

  ColorRef BackColor() const { return m_backColor; }
  // Changing the background color clears the persistent drawing, as the runtime does.
  void BackColor(ColorRef color);
  ColorRef ForeColor() const { return m_foreColor; }
  void ForeColor(ColorRef color) { m_foreColor = color; }
  void Cls();

  // The persistent drawing surface; call update() after drawing.
  Canvas canvas();
  const QImage& buffer() const;

 protected:
  // Runs once, when the window is first shown (the runtime's Load event).
  virtual void Form_Load() {}

  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  // Follows the window's size; checked on every use, since a hidden window gets no resize event.
  void resizeBuffer() const;

  mutable QImage m_buffer;
  Region m_region;
  bool m_loaded = false;
  ColorRef m_backColor = SystemColor::ButtonFace;
  ColorRef m_foreColor = SystemColor::ButtonText;
};

}  // namespace host
