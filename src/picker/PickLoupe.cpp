#include "PickLoupe.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>

#include "PickerReadouts.h"
#include "color/ColorText.h"
#include "host/core/Convert.h"
#include "host/forms/MouseEvents.h"
#include "host/forms/Pointer.h"
#include "host/screen/ScreenSource.h"
#include "program/Palette.h"

namespace {

// The block shown: kSide x kSide physical pixels, kZoom device-independent pixels each, in a
// one-pixel frame, over a strip for the middle pixel's text.
constexpr int kSide = 15;
constexpr int kZoom = 5;
constexpr int kBox = kSide * kZoom + 2;
constexpr int kStrip = 16;
// From the pointer to the loupe's nearer corner (device-independent pixels): at least the
// block's reach (kSide / 2 physical pixels) at any scale, so the loupe never covers what it
// shows, nor the pixel under the pointer.
constexpr int kGap = 20;
constexpr int kTickMs = 16;
constexpr int kGrabTries = 50;  // one a tick: about a second

QColor qcolor(host::ColorRef c) {
  return QColor::fromRgb(host::toRgb24(c) | 0xFF000000u);
}

}  // namespace

PickLoupe::PickLoupe(host::ScreenSource& screen)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                           Qt::X11BypassWindowManagerHint | Qt::WindowDoesNotAcceptFocus),
      m_screen(screen) {
  // Unmanaged (override-redirect on X11): no window manager places, frames or focuses it.
  setAttribute(Qt::WA_ShowWithoutActivating);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setWindowTitle(QStringLiteral("Tintwell pick"));
  setFixedSize(kBox, kBox + kStrip);
  // Shown wherever the pointer is while the loupe holds it.
  setCursor(Qt::CrossCursor);
  m_tick.setInterval(kTickMs);
  QObject::connect(&m_tick, &QTimer::timeout, this, [this] { follow(); });
}

PickLoupe::Outcome PickLoupe::run(host::ColorRef& color) {
  follow();
  show();
  m_tick.start();
  m_loop.exec();
  if (m_outcome == Outcome::Picked) color = m_picked;
  return m_outcome;
}

bool PickLoupe::takeInput() {
  QWindow* window = windowHandle();
  if (window == nullptr || !window->isExposed()) return false;
  // The widget's grabs route the events to this widget; the window's say whether the display
  // granted them (not while another program holds the pointer or the keyboard).
  grabMouse();
  grabKeyboard();
  return window->setMouseGrabEnabled(true) && window->setKeyboardGrabEnabled(true);
}

void PickLoupe::follow() {
  if (!m_holding) {
    m_holding = takeInput();
    if (!m_holding && ++m_grabTries > kGrabTries) {
      finish(Outcome::NoGrab);
      return;
    }
  }
  const QPoint at = m_screen.cursorPos();
  const QImage block = m_screen.grab(QRect(at - QPoint(kSide / 2, kSide / 2), QSize(kSide, kSide)));
  if (at == m_at && block == m_block) return;
  m_at = at;
  m_block = block.convertToFormat(QImage::Format_RGB32);
  // Beside the pointer on its screen (device-independent pixels), on whichever side has room.
  const QPoint p = host::pointerPosition();
  const QScreen* screen = QGuiApplication::screenAt(p);
  const QRect room = screen != nullptr ? screen->geometry() : QRect(p, QSize(1, 1));
  QPoint corner = p + QPoint(kGap, kGap);
  if (corner.x() + width() > room.right() + 1) corner.setX(p.x() - kGap - width());
  if (corner.y() + height() > room.bottom() + 1) corner.setY(p.y() - kGap - height());
  move(corner);
  update();
}

void PickLoupe::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), qcolor(Palette::kDarkBlue));
  p.fillRect(QRect(0, 0, kBox, kBox), Qt::black);
  if (m_block.size() == QSize(kSide, kSide)) {
    // Nearest neighbour: every pixel a sharp kZoom square.
    p.drawImage(QRect(1, 1, kSide * kZoom, kSide * kZoom), m_block);
  }
  // The middle pixel's square, framed black outside and white inside.
  const int middle = 1 + (kSide / 2) * kZoom;
  p.setPen(Qt::black);
  p.drawRect(QRect(middle - 2, middle - 2, kZoom + 3, kZoom + 3));
  p.setPen(Qt::white);
  p.drawRect(QRect(middle - 1, middle - 1, kZoom + 1, kZoom + 1));
  const host::ColorRef c =
      m_block.isNull() ? 0 : host::fromRgb24(m_block.pixel(kSide / 2, kSide / 2) & 0xFFFFFFu);
  p.drawText(QRect(0, kBox, kBox, kStrip), Qt::AlignCenter,
             QString::fromStdString(ColorText::html(c)));
}

void PickLoupe::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    m_picked = m_screen.pixel(m_screen.cursorPos());
    finish(Outcome::Picked);
  } else if (event->button() == Qt::RightButton) {
    finish(Outcome::Cancelled);
  }
}

void PickLoupe::keyPressEvent(QKeyEvent* event) {
  event->accept();
  switch (event->key()) {
    case Qt::Key_Escape:
      finish(Outcome::Cancelled);
      return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      m_picked = m_screen.pixel(m_screen.cursorPos());
      finish(Outcome::Picked);
      return;
    default:
      break;
  }
  if (const auto step = nudgeFor(host::virtualKey(*event), host::shiftBits(event->modifiers()))) {
    (void)m_screen.movePointerBy(QPoint(step->dx, step->dy));
    follow();
  }
}

void PickLoupe::finish(Outcome outcome) {
  m_outcome = outcome;
  m_tick.stop();
  // Given back before anything else happens; the display would take them back anyway when the
  // program's connection closes, however it ends.
  if (QWindow* window = windowHandle()) {
    window->setKeyboardGrabEnabled(false);
    window->setMouseGrabEnabled(false);
  }
  releaseKeyboard();
  releaseMouse();
  hide();
  m_loop.quit();
}
