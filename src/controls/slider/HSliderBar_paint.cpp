// How the slider paints itself: the picture style (track tiles and the cue drawn on the
// surface per drawing state), the plain style (the cue box over the surface's background), and
// the cue's placement by value. The painter goes on past a failing statement (an empty picture,
// equal bounds), so one missing picture never stops the rest of the drawing.
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>

#include "HSliderBar.h"
#include "host/core/Convert.h"
#include "host/core/RuntimeError.h"
#include "host/draw/Canvas.h"
#include "host/draw/SystemColors.h"
#include "host/forms/Control.h"
#include "host/forms/PictureBox.h"

namespace {

constexpr std::int32_t kErrDivisionByZero = 11;
constexpr std::int32_t kErrInvalidPicture = 481;

[[noreturn]] void divisionByZero(const char* source) {
  throw host::RuntimeError(kErrDivisionByZero, source, "Division by zero");
}

// Draws `picture` with its top-left corner at (x, y), at most w x h of it taken from its own
// top-left corner (the rest cut off). An empty picture cannot be drawn.
void drawPicture(host::Canvas& dc, int x, int y, const QImage& picture, int w, int h) {
  if (picture.isNull()) {
    throw host::RuntimeError(kErrInvalidPicture, "HSliderBar.PaintSlider", "Invalid picture");
  }
  if (w <= 0 || h <= 0) return;
  if (w >= picture.width() && h >= picture.height()) {
    dc.DrawPicture(x, y, picture, false, std::nullopt);
  } else {
    dc.DrawPicture(x, y,
                   picture.copy(0, 0, std::min(w, picture.width()), std::min(h, picture.height())),
                   false, std::nullopt);
  }
}

}  // namespace

void HSliderBar::PlaceCue(const std::int32_t& v) {
  // During a drag the mouse handlers own the cue's position.
  if (m_Dragging) return;
  const auto unit =
      SliderModel::unitWidth(innerWidth(), static_cast<double>(m_cue.width), m_Min, m_Max);
  if (!unit) divisionByZero("HSliderBar.PlaceCue");
  m_UnitWidth = *unit;
  CueGeometry g = m_cue;
  g.left = SliderModel::cueLeftFor(v, m_Min, m_UnitWidth);
  setCueGeometry(g);
}

void HSliderBar::PaintSlider() {
  coverNewSurface();
  if (m_Style == 1) {
    paintPictureStyle();
  } else {
    paintPlainStyle();
  }
  update();
}

void HSliderBar::paintPictureStyle() {
  const auto step = [](auto&& statement) { host::skipOnError(statement); };
  const SliderModel::StatePictures pics = SliderModel::picturesFor(m_CueState);
  const QImage& track =
      pics.track == SliderModel::TrackPicture::Over ? m_PictureOver.image : m_Picture.image;
  const QImage& cue = pics.cue == SliderModel::CuePicture::Over   ? m_PictureCueOver.image
                      : pics.cue == SliderModel::CuePicture::Down ? m_PictureCueDown.image
                                                                  : m_PictureCue.image;
  host::Canvas dc = canvas();

  step([&] { m_Cue->hide(); });
  // Placed before the surface is cleared, drawn last, over the track.
  step([&] { PlaceCue(m_Value); });
  step([&] {
    if (pics.measure == SliderModel::TrackPicture::Over) setHolderPicture(m_PictureOver.image);
    if (pics.measure == SliderModel::TrackPicture::Normal) setHolderPicture(m_Picture.image);
  });
  step([&] { dc.image().fill(host::toQColor(surfaceColor())); });
  // As high as the track measure; a change runs the resize handler, whose nested paint finds
  // the height already right.
  step([&] {
    if (height() != m_picSlider.height) resize(width(), m_picSlider.height);
  });
  {
    // The surface may have grown in the nested paint; draw on it as it is now.
    dc = canvas();
    const int tiles = SliderModel::tileCount(innerWidth(), m_picSlider.width);
    for (int i = 0; i < tiles; ++i) {
      step(
          [&] { drawPicture(dc, i * m_picSlider.width, 0, track, track.width(), track.height()); });
    }
  }
  step([&] { setCueBoxPicture(cue); });
  step([&] {
    CueGeometry g = m_cue;
    g.top = (static_cast<float>(innerHeight()) - m_cue.height) / 2;
    setCueGeometry(g);
  });
  step([&] {
    drawPicture(dc, host::roundHalfEven(m_cue.left), host::roundHalfEven(m_cue.top),
                m_cueBoxPicture, host::roundHalfEven(m_cue.width),
                host::roundHalfEven(m_cue.height));
  });
}

void HSliderBar::paintPlainStyle() {
  // Nothing is drawn on the surface: the track is its background (and whatever an earlier
  // picture-style paint left there), the cue is the box in its own color.
  const auto step = [](auto&& statement) { host::skipOnError(statement); };
  step([&] { m_Cue->show(); });
  step([&] {
    CueGeometry g = m_cue;
    g.top = 0;
    setCueGeometry(g);
  });
  if (m_AutoCue == 0) {
    step([&] {
      CueGeometry g = m_cue;
      g.height = static_cast<float>(innerHeight());
      setCueGeometry(g);
    });
    step([&] {
      const auto w = SliderModel::rangeCueWidth(innerWidth(), m_Min, m_Max);
      if (!w) divisionByZero("HSliderBar.PaintSlider");
      CueGeometry g = m_cue;
      g.width = static_cast<float>(*w);
      setCueGeometry(g);
    });
  } else {
    step([&] { setCueGeometry(m_cue); });  // the size CueWidth and CueHeight set
  }
  step([&] { PlaceCue(m_Value); });
}

void HSliderBar::setHolderPicture(const QImage& picture) {
  m_picSlider.picture = picture;
  if (!picture.isNull()) {
    m_picSlider.width = picture.width();
    m_picSlider.height = picture.height();
  }
}

void HSliderBar::setCueBoxPicture(const QImage& picture) {
  if (picture.cacheKey() == m_cueBoxPicture.cacheKey()) return;
  m_cueBoxPicture = picture;
  // The box shows its picture over its background; it is seen only in the plain style.
  m_Cue->Cls();
  if (!picture.isNull()) {
    host::Canvas box = m_Cue->canvas();
    box.DrawPicture(0, 0, picture, false, std::nullopt);
  }
  m_Cue->update();
}

host::ColorRef HSliderBar::surfaceColor() const {
  return host::translateColor(m_BackColor, 0);
}

void HSliderBar::coverNewSurface() {
  host::Canvas dc = canvas();
  const QSize now = dc.image().size();
  if (now.width() <= m_coveredSurface.width() && now.height() <= m_coveredSurface.height()) return;
  const host::ColorRef back = surfaceColor();
  dc.FillRect(host::Rect{m_coveredSurface.width(), 0, now.width(), now.height()}, back);
  dc.FillRect(host::Rect{0, m_coveredSurface.height(), m_coveredSurface.width(), now.height()},
              back);
  m_coveredSurface = now;
}

void HSliderBar::paintEvent(QPaintEvent* event) {
  (void)event;
  coverNewSurface();
  QPainter p(this);
  const int b = borderWidth();
  p.drawImage(QPoint(b, b), buffer(), QRect(0, 0, innerWidth(), innerHeight()));
  if (b > 0) host::drawSunkenBorder(p, rect(), host::Bevel::Box);
}
