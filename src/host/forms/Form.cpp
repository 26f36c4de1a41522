#include "host/forms/Form.h"

#include <QApplication>
#include <QBrush>
#include <QCloseEvent>
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QWindow>
#include <algorithm>
#include <vector>

#include "host/core/Convert.h"
#include "host/core/InputCodes.h"
#include "host/core/Twips.h"
#include "host/draw/SystemColors.h"
#include "host/forms/Forms.h"
#include "host/forms/Screen.h"

namespace host {

namespace {
// The windows loaded and not yet unloaded; when the last one unloads, the program ends.
std::vector<const Form*>& loadedForms() {
  static std::vector<const Form*> forms;
  return forms;
}
}  // namespace

Form::Form(QWidget* parent) : QWidget(parent, Qt::Window | Qt::FramelessWindowHint) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  // Every window gets its designed size before it shows. Until then it is as small as can be, not
  // the toolkit's 640 x 480: the persistent drawing surface only grows, and would keep that size.
  resize(1, 1);
  // Sees key presses for KeyPreview and where button presses happen, for moving by hand.
  qApp->installEventFilter(this);
}

int Form::Left() const {
  return pixelsToTwips(x(), Screen::TwipsPerPixelX());
}
int Form::Top() const {
  return pixelsToTwips(y(), Screen::TwipsPerPixelY());
}
int Form::Width() const {
  return pixelsToTwips(width(), Screen::TwipsPerPixelX());
}
int Form::Height() const {
  return pixelsToTwips(height(), Screen::TwipsPerPixelY());
}

void Form::Left(int twips) {
  move(twipsToPixels(twips, Screen::TwipsPerPixelX()), y());
}
void Form::Top(int twips) {
  move(x(), twipsToPixels(twips, Screen::TwipsPerPixelY()));
}
void Form::Width(int twips) {
  resize(twipsToPixels(twips, Screen::TwipsPerPixelX()), height());
}
void Form::Height(int twips) {
  resize(width(), twipsToPixels(twips, Screen::TwipsPerPixelY()));
}

void Form::Move(int left, int top) {
  move(twipsToPixels(left, Screen::TwipsPerPixelX()), twipsToPixels(top, Screen::TwipsPerPixelY()));
}

void Form::Move(double left, double top, double width, double height) {
  const double tx = Screen::TwipsPerPixelX();
  const double ty = Screen::TwipsPerPixelY();
  setGeometry(roundHalfEven(left / tx), roundHalfEven(top / ty), roundHalfEven(width / tx),
              roundHalfEven(height / ty));
}

void Form::CenterOnScreen() {
  Move(roundHalfEven(Screen::Left() + Screen::Width() / 2.0 - Width() / 2.0),
       roundHalfEven(Screen::Top() + Screen::Height() / 2.0 - Height() / 2.0));
}

Form::~Form() {
  std::erase(loadedForms(), this);
}

void Form::buildControls(std::initializer_list<std::span<const ControlSpec>> tables,
                         const FormData& stored) {
  host::buildControls(*this, tables, stored);
  for (ControlRefBase* ref : m_controlRefs)
    ref->bindOrStop(*this);
}

void Form::load() {
  if (m_loaded) return;
  m_loaded = true;
  loadedForms().push_back(this);
  Load.raise();
}

void Form::Show() {
  load();
  // Not when the window was unloaded while loading (its close label clicked between the start-up
  // tones) or the program is ending.
  if (m_loaded && !endRequested()) show();
}

void Form::SetWindowRgn(const Region& region) {
  m_region = region;
  setMask(region.toQRegion());
}

double Form::ScaleWidth() const {
  return width() * Screen::TwipsPerPixelX();
}
double Form::ScaleHeight() const {
  return height() * Screen::TwipsPerPixelY();
}

void Form::BackColor(ColorRef color) {
  if (color == m_backColor) return;
  m_backColor = color;
  Cls();
}

void Form::Cls() {
  // All background now, however large the surface had grown: none is needed to show that. Its
  // size is kept: a later drawing is clipped to it, as it would be on the surface.
  surfaceSize();
  m_buffer = QImage();
  m_gradient.reset();
  update();
}

void Form::GradientFill(const TriVertex& a, const TriVertex& b, GradientMode mode) {
  if (!m_buffer.isNull() || m_gradient) {
    canvas().GradientFill(a, b, mode);
    update();
    return;
  }
  // The surface it would be drawn on, which clips it.
  const QSize surface = surfaceSize();
  const bool horizontal = mode == GradientMode::Horizontal;
  // The colors along one row (or column) of it; the other coordinate does not change them.
  QImage line(horizontal ? QSize(surface.width(), 1) : QSize(1, surface.height()),
              QImage::Format_RGB32);
  line.fill(toQColor(m_backColor));
  TriVertex la = a, lb = b;
  (horizontal ? la.y : la.x) = 0;
  (horizontal ? lb.y : lb.x) = 1;
  Canvas(line).GradientFill(la, lb, mode);
  const QRect area = QRect(QPoint(std::min(a.x, b.x), std::min(a.y, b.y)),
                           QPoint(std::max(a.x, b.x) - 1, std::max(a.y, b.y) - 1))
                         .intersected(QRect(QPoint(0, 0), surface));
  m_gradient = KeptGradient{a, b, mode, surface, area, QBrush(line)};
  update();
}

QSize Form::surfaceSize() const {
  m_surfaceSize = m_surfaceSize.expandedTo(size())
                      .boundedTo(QSize(kMaxSurface, kMaxSurface))
                      .expandedTo(QSize(1, 1));
  return m_surfaceSize;
}

void Form::resizeBuffer() const {
  if (m_buffer.isNull() && m_gradient) {
    // The surface as it was when the gradient was drawn, then grown as it would have been.
    growSurface(m_buffer, m_gradient->surface, toQColor(m_backColor));
    Canvas(m_buffer).GradientFill(m_gradient->a, m_gradient->b, m_gradient->mode);
    m_gradient.reset();
  }
  growSurface(m_buffer, surfaceSize(), toQColor(m_backColor));
}

void Form::paintWithoutBuffer(QPainter& p, const QRect& area) const {
  p.fillRect(area, toQColor(m_backColor));
  if (!m_gradient) return;
  // The row (or column) repeated down (or across) the area, in one fill.
  p.fillRect(area.intersected(m_gradient->area), m_gradient->line);
}

const QImage& Form::buffer() const {
  resizeBuffer();
  return m_buffer;
}

Canvas Form::canvas() {
  resizeBuffer();
  return Canvas(m_buffer);
}

void Form::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (m_buffer.isNull()) {
    surfaceSize();
  } else {
    resizeBuffer();
  }
  Resize.raise();
}

void Form::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  // Minimizing and restoring change no size here, but are resizes to the runtime.
  if (event->type() == QEvent::WindowStateChange) Resize.raise();
}

void Form::unload() {
  m_unloadFromCode = true;
  close();
  m_unloadFromCode = false;
}

void Form::closeEvent(QCloseEvent* event) {
  bool cancel = false;
  const int mode = m_unloadFromCode ? kUnloadFromCode : kUnloadFromControlMenu;
  QueryUnload.raise(cancel, mode);
  if (cancel) {
    event->ignore();
    return;
  }
  Unload.raise();
  m_loaded = false;
  event->accept();
  std::erase(loadedForms(), this);
  // Hidden or not (a closing animation hides the window first), the last window to unload ends
  // the program.
  if (loadedForms().empty()) End();
}

void Form::KeyPreview(bool on) {
  m_keyPreview = on;
}

bool Form::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress && watched->isWidgetType() &&
      static_cast<QWidget*>(watched)->window() == this) {
    m_lastPress = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
  }
  if (!m_keyPreview || event->type() != QEvent::KeyPress || !watched->isWidgetType()) {
    return QWidget::eventFilter(watched, event);
  }
  auto* widget = static_cast<QWidget*>(watched);
  // Only keys bound for this window (the application delivers each to the focus widget).
  if (widget->window() != this || widget != QApplication::focusWidget()) {
    if (widget != this || QApplication::focusWidget() != nullptr) return false;
  }
  return raiseKeyEvents(*static_cast<QKeyEvent*>(event));
}

bool Form::raiseKeyEvents(const QKeyEvent& key) {
  int keyCode = virtualKey(key);
  if (keyCode != 0) {
    KeyDown.raise(keyCode, shiftBits(key.modifiers()));
    if (keyCode == 0) return true;
  }
  const QString text = key.text();
  if (text.size() == 1 && text[0].unicode() < 256) {
    int keyAscii = text[0].unicode();
    KeyPress.raise(keyAscii);
    if (keyAscii == 0) return true;
  }
  return false;
}

void Form::keyPressEvent(QKeyEvent* event) {
  // Without KeyPreview the window sees the keys that no control of it took.
  if (!m_keyPreview && raiseKeyEvents(*event)) return;
  QWidget::keyPressEvent(event);
}

void Form::beginMove() {
  if (QWindow* handle = windowHandle(); handle != nullptr && handle->startSystemMove()) return;
  m_movingByHand = true;
  // The window follows the pointer from where the button went down.
  m_moveGrab = m_lastPress - pos();
  grabMouse();
}

void Form::mousePressEvent(QMouseEvent* event) {
  MouseDown.raise(mouseArgs(*event, true));
}

void Form::mouseMoveEvent(QMouseEvent* event) {
  if (m_movingByHand) {
    if (event->buttons() & Qt::LeftButton) {
      move(QCursor::pos() - m_moveGrab);
      return;
    }
    m_movingByHand = false;
    releaseMouse();
  }
  MouseMove.raise(mouseArgs(*event, false));
}

void Form::mouseReleaseEvent(QMouseEvent* event) {
  if (m_movingByHand && event->button() == Qt::LeftButton) {
    m_movingByHand = false;
    releaseMouse();
    return;
  }
  MouseUp.raise(mouseArgs(*event, true));
}

void Form::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  load();
}

void Form::paintEvent(QPaintEvent* event) {
  // Only the dirty rectangles, not their bounding box: the readouts change in a dozen small
  // places across the window ten times a second. Each is copied one to one, which the raster
  // engine does row by row on this thread; a scaled or converting draw of a tall area would be
  // split over its worker threads, and waking them costs more than the copy.
  QPainter p(this);
  if (m_buffer.isNull()) {
    for (const QRect& r : event->region())
      paintWithoutBuffer(p, r);
    return;
  }
  const QImage& image = buffer();
  for (const QRect& r : event->region())
    p.drawImage(r.topLeft(), image, r);
}

}  // namespace host
