#pragma once

#include <QString>
#include <QWidget>

#include "host/core/ColorRef.h"
#include "host/forms/MouseEvents.h"

namespace host {

// The runtime's frame: a container with a caption at its top left over an etched border. Its
// children are placed in its own coordinates (twips from its top-left corner) and move with it.
// The caption is drawn in ForeColor on BackColor, which also fills the frame.
class Frame : public QWidget, public MouseEvents {
 public:
  explicit Frame(QWidget* parent);

  const QString& Caption() const { return m_caption; }
  void Caption(const QString& text);
  ColorRef BackColor() const { return m_backColor; }
  void BackColor(ColorRef color);
  ColorRef ForeColor() const { return m_foreColor; }
  void ForeColor(ColorRef color);

 protected:
  void paintEvent(class QPaintEvent* event) override;

 private:
  QString m_caption;
  ColorRef m_backColor = SystemColor::ButtonFace;
  ColorRef m_foreColor = SystemColor::ButtonText;
};

}  // namespace host
