#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>
#include <vector>

#include "host/core/ColorRef.h"
#include "host/forms/MouseEvents.h"

namespace host {

// The forms runtime's label: a caption drawn in a font, opaque or transparent, with an optional
// single border, wrapped at word boundaries when it does not fit. Also serves as a color swatch
// (an opaque label whose BackColor is the color). A screen reader reads the caption as static
// text, or a swatch's color (host/Accessibility.h).
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

  // A color swatch shows no caption; a screen reader reads its color as "#RRGGBB".
  bool isSwatch() const { return m_swatch; }
  void setSwatch(bool on) { m_swatch = on; }
  QString swatchText() const;

  // For a screen reader: this label is the caption of `control` (the "H:" beside a readout, the
  // "#:" before a text box), which is then "labelled by" it. A control that shows no text of its
  // own (a swatch, a text box, the magnifier, a slider) also takes the caption as its accessible
  // name, now and whenever the caption changes; a readout's name stays its own text.
  enum class CaptionUse { Relates, Names };
  void captions(QWidget& control, CaptionUse use);
  std::vector<QWidget*> captionedControls() const;

 protected:
  void paintEvent(class QPaintEvent* event) override;

 private:
  QString m_caption;
  ColorRef m_backColor = SystemColor::ButtonFace;
  ColorRef m_foreColor = SystemColor::ButtonText;
  BackStyleKind m_backStyle = BackStyleKind::Opaque;
  AlignmentKind m_alignment = AlignmentKind::LeftJustify;
  BorderStyleKind m_borderStyle = BorderStyleKind::None;
  bool m_swatch = false;
  struct Captioned {
    QPointer<QWidget> control;
    CaptionUse use;
  };
  std::vector<Captioned> m_captioned;
};

}  // namespace host
