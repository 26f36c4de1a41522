// The toolkit's floor for the picker's window: what a widgets application costs that shows
// what Tintwell shows, at the same rates, with the toolkit's stock widgets and nothing of ours.
// A 333 x 251 window of 70 controls (as many as the picker's): 47 static captions in the
// picker's fonts, and 23 readouts repainted ten times a second whenever the color under the
// pointer changes (15 labels, 2 read-only line edits, 6 bars). Every 10 ms one pointer query,
// the 15 x 15 block of root pixels around the pointer (a plain image request) and that block at
// 5x put as the 75 x 74 magnifier into a native child window of its own, over a connection of
// its own, as Tintwell's magnifier is put. bench/compare measures it beside Tintwell.
// SIGTERM or SIGINT ends it cleanly, with the tick count on stderr; a failed request or a lost
// connection ends it with a message and status 1.
#include <xcb/xcb.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "floor_qt.h"

namespace {

constexpr const char* kName = "floor_qt_picker";

constexpr int kBlock = 15;  // root pixels a side
constexpr int kZoom = 5;
constexpr int kMagW = 75;  // the magnifier, window pixels
constexpr int kMagH = 74;
constexpr int kReadEvery = 10;  // ticks of 10 ms

// A bar that fills its width's share of 255 with its color: an opaque stock widget.
class Bar : public QWidget {
 public:
  Bar(QWidget* parent, QColor color) : QWidget(parent), m_color(color) {
    setAttribute(Qt::WA_OpaquePaintEvent);
  }
  void setValue(int value) {
    if (value == m_value) return;
    m_value = value;
    update();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    const int filled = width() * m_value / 255;
    p.fillRect(0, 0, filled, height(), m_color);
    p.fillRect(filled, 0, width() - filled, height(), Qt::black);
  }

 private:
  QColor m_color;
  int m_value = -1;
};

QFont font(const char* family, double points, bool bold) {
  QFont f(QString::fromLatin1(family));
  f.setPointSizeF(points);
  f.setBold(bold);
  return f;
}

}  // namespace

int main(int argc, char** argv) {
  const int signals = floor_qt::blockStopSignals(kName);
  QApplication app(argc, argv);
  QWidget window;
  window.setWindowTitle(QStringLiteral("floor_qt_picker"));
  window.setFixedSize(333, 251);
  window.setAutoFillBackground(true);
  QPalette dark = window.palette();
  dark.setColor(QPalette::Window, QColor(0x20, 0x20, 0x28));
  dark.setColor(QPalette::WindowText, Qt::yellow);
  window.setPalette(dark);

  // The static captions, in the picker's four faces; then the readouts beside them.
  const std::array<QFont, 4> faces{font("Tahoma", 6.75, true), font("Tahoma", 8.25, true),
                                   font("Arial", 8.25, true), font("MS Sans Serif", 8.25, true)};
  for (int i = 0; i < 47; ++i) {
    auto* caption = new QLabel(QStringLiteral("Caption %1").arg(i), &window);
    caption->setFont(faces[std::size_t(i) % faces.size()]);
    caption->setGeometry(90 + (i % 4) * 60, 4 + (i / 4) * 14, 58, 13);
  }
  const QFont small = font("Tahoma", 6.75, false);
  std::vector<QLabel*> labels;
  for (int i = 0; i < 15; ++i) {
    auto* label = new QLabel(&window);
    label->setFont(small);
    label->setAutoFillBackground(true);  // opaque, as the picker's readouts are
    label->setGeometry(4 + (i % 3) * 28, 90 + (i / 3) * 16, 26, 13);
    labels.push_back(label);
  }
  std::array<QLineEdit*, 2> boxes{};
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    boxes[i] = new QLineEdit(&window);
    boxes[i]->setReadOnly(true);
    boxes[i]->setFont(small);
    boxes[i]->setGeometry(4, 172 + int(i) * 22, 110, 20);
  }
  std::vector<Bar*> bars;
  const std::array<QColor, 6> barColors{Qt::red,  Qt::green, Qt::blue,
                                        Qt::gray, Qt::cyan,  Qt::magenta};
  for (std::size_t i = 0; i < barColors.size(); ++i) {
    auto* bar = new Bar(&window, barColors[i]);
    bar->setGeometry(120, 172 + int(i) * 12, 200, 8);
    bars.push_back(bar);
  }
  window.show();

  // The magnifier: a child window of the toolkit's window on a connection of our own.
  floor_qt::Display d = floor_qt::connect(kName);
  xcb_connection_t* c = d.c;
  const xcb_screen_t* screen = d.screen;
  if (screen->root_depth != 24) floor_qt::fail(kName, "the screen is not 24-bit");
  const xcb_window_t magnifier = xcb_generate_id(c);
  xcb_create_window(c, XCB_COPY_FROM_PARENT, magnifier, static_cast<xcb_window_t>(window.winId()),
                    6, 6, kMagW, kMagH, 0, XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, 0,
                    nullptr);
  const xcb_gcontext_t gc = xcb_generate_id(c);
  xcb_create_gc(c, gc, magnifier, 0, nullptr);
  xcb_map_window(c, magnifier);
  xcb_flush(c);

  std::vector<std::uint32_t> block(std::size_t{kBlock} * kBlock);
  std::vector<std::uint32_t> magnified(std::size_t{kMagW} * kMagH);
  long ticks = 0;
  QTimer timer;
  floor_qt::setUpClock(timer);
  QObject::connect(&timer, &QTimer::timeout, &app, [&] {
    xcb_generic_error_t* e = nullptr;
    xcb_query_pointer_reply_t* pointer =
        xcb_query_pointer_reply(c, xcb_query_pointer(c, screen->root), &e);
    if (pointer == nullptr) floor_qt::failReply(kName, "querying the pointer", e);
    const auto x = static_cast<std::int16_t>(
        std::clamp(pointer->root_x - kBlock / 2, 0, screen->width_in_pixels - kBlock));
    const auto y = static_cast<std::int16_t>(
        std::clamp(pointer->root_y - kBlock / 2, 0, screen->height_in_pixels - kBlock));
    std::free(pointer);
    xcb_get_image_reply_t* image = xcb_get_image_reply(
        c, xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, screen->root, x, y, kBlock, kBlock, ~0u),
        &e);
    if (image == nullptr) floor_qt::failReply(kName, "reading the block", e);
    if (xcb_get_image_data_length(image) < kBlock * kBlock * 4)
      floor_qt::fail(kName, "the block came back short");
    std::memcpy(block.data(), xcb_get_image_data(image), block.size() * 4);
    std::free(image);
    for (int row = 0; row < kMagH; ++row)
      for (int col = 0; col < kMagW; ++col)
        magnified[std::size_t(row * kMagW + col)] =
            block[std::size_t((row / kZoom) * kBlock + col / kZoom)];
    xcb_put_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, magnifier, gc, kMagW, kMagH, 0, 0, 0, 24,
                  static_cast<std::uint32_t>(magnified.size() * 4),
                  reinterpret_cast<const std::uint8_t*>(magnified.data()));
    xcb_flush(c);
    while (xcb_generic_event_t* ev = xcb_poll_for_queued_event(c)) {
      if (ev->response_type == 0)
        floor_qt::failReply(kName, "a request failed", reinterpret_cast<xcb_generic_error_t*>(ev));
      std::free(ev);
    }

    if (ticks++ % kReadEvery != 0) return;
    const QColor color = QColor::fromRgb(block[std::size_t(kBlock / 2 * kBlock + kBlock / 2)]);
    const std::array<int, 15> values{
        color.red(),   color.green(),      color.blue(),   color.hue(),       color.saturation(),
        color.value(), qGray(color.rgb()), color.cyan(),   color.magenta(),   color.yellow(),
        color.black(), x + kBlock / 2,     y + kBlock / 2, color.lightness(), color.alpha()};
    for (std::size_t i = 0; i < labels.size(); ++i)
      labels[i]->setText(QString::number(values[i]));
    boxes[0]->setText(color.name(QColor::HexRgb).toUpper());
    boxes[1]->setText(
        QStringLiteral("&H00%1&").arg(color.rgb() & 0xFFFFFF, 6, 16, QLatin1Char('0')).toUpper());
    for (std::size_t i = 0; i < bars.size(); ++i)
      bars[i]->setValue(values[i] & 0xFF);
  });
  timer.start();

  return floor_qt::runUntilStopped(kName, signals, d, ticks);
}
