// The picker on displays as people have them: scaled by the toolkit (QT_SCALE_FACTOR or a factor
// per screen, from the environment) and split into several monitors (RandR monitors, laid out
// by tests/e2e/displays.sh before this program starts). The screen shows a chart in which every
// physical pixel has a color of its own, so a readout tells exactly which pixel it came from.
// Each suite skips where the display is not laid out for it.
#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <QGuiApplication>
#include <QProcess>
#include <QScreen>
#include <QTest>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "ColorPickerProbe.h"
#include "Eventually.h"
#include "host/forms/CheckBox.h"
#include "host/forms/Label.h"
#include "host/forms/PictureBox.h"
#include "host/forms/Shape.h"
#include "host/forms/TextBox.h"
#include "host/platform/Platform.h"
#include "host/screen/QtScreenSource.h"
#include "host/screen/ScreenSourceLoader.h"

namespace {

// Pixel (x, y) of the chart: red and green the low bytes of x and y, blue their high bits.
QRgb chartAt(QPoint p) {
  return qRgb(p.x() & 255, p.y() & 255, 0x80 | ((p.x() >> 8) << 3) | (p.y() >> 8)) & 0xFFFFFFu;
}

QString hexOf(QRgb c) {
  return QStringLiteral("%1").arg(c & 0xFFFFFFu, 6, 16, QLatin1Char('0')).toUpper();
}

// The display as the test sees it, over a connection of its own: the chart as the root window's
// background, the pointer put anywhere in physical pixels, and physical pixels read back.
class Display {
 public:
  Display() : m_c(xcb_connect(nullptr, nullptr)) {
    const xcb_screen_t* s = xcb_setup_roots_iterator(xcb_get_setup(m_c)).data;
    m_root = s->root;
    m_size = QSize(s->width_in_pixels, s->height_in_pixels);
  }
  ~Display() { xcb_disconnect(m_c); }
  Display(const Display&) = delete;
  Display& operator=(const Display&) = delete;

  QSize size() const { return m_size; }

  void showChart() {
    const xcb_pixmap_t pixmap = xcb_generate_id(m_c);
    xcb_create_pixmap(m_c, 24, pixmap, m_root, static_cast<std::uint16_t>(m_size.width()),
                      static_cast<std::uint16_t>(m_size.height()));
    const xcb_gcontext_t gc = xcb_generate_id(m_c);
    xcb_create_gc(m_c, gc, pixmap, 0, nullptr);
    constexpr int kRows = 64;  // well within a request's length
    std::vector<std::uint32_t> rows(static_cast<std::size_t>(m_size.width()) * kRows);
    for (int y0 = 0; y0 < m_size.height(); y0 += kRows) {
      const int n = std::min(kRows, m_size.height() - y0);
      for (int y = 0; y < n; ++y)
        for (int x = 0; x < m_size.width(); ++x)
          rows[static_cast<std::size_t>(y * m_size.width() + x)] = chartAt(QPoint(x, y0 + y));
      xcb_put_image(m_c, XCB_IMAGE_FORMAT_Z_PIXMAP, pixmap, gc,
                    static_cast<std::uint16_t>(m_size.width()), static_cast<std::uint16_t>(n), 0,
                    static_cast<std::int16_t>(y0), 0, 24,
                    static_cast<std::uint32_t>(m_size.width() * n * 4),
                    reinterpret_cast<const std::uint8_t*>(rows.data()));
    }
    xcb_change_window_attributes(m_c, m_root, XCB_CW_BACK_PIXMAP, &pixmap);
    xcb_clear_area(m_c, 0, m_root, 0, 0, 0, 0);
    xcb_free_gc(m_c, gc);
    xcb_free_pixmap(m_c, pixmap);  // the root window keeps it
    sync();
  }

  void warp(QPoint p) {
    xcb_warp_pointer(m_c, XCB_NONE, m_root, 0, 0, 0, 0, static_cast<std::int16_t>(p.x()),
                     static_cast<std::int16_t>(p.y()));
    sync();
  }

  QPoint pointer() {
    xcb_query_pointer_reply_t* r =
        xcb_query_pointer_reply(m_c, xcb_query_pointer(m_c, m_root), nullptr);
    const QPoint p = r != nullptr ? QPoint(r->root_x, r->root_y) : QPoint(-1, -1);
    std::free(r);
    return p;
  }

  // Physical pixels of the root window (what the user sees), as 0xRRGGBB.
  QImage read(const QRect& r) {
    QImage out(r.size(), QImage::Format_RGB32);
    xcb_get_image_reply_t* reply = xcb_get_image_reply(
        m_c,
        xcb_get_image(m_c, XCB_IMAGE_FORMAT_Z_PIXMAP, m_root, static_cast<std::int16_t>(r.x()),
                      static_cast<std::int16_t>(r.y()), static_cast<std::uint16_t>(r.width()),
                      static_cast<std::uint16_t>(r.height()), ~0u),
        nullptr);
    if (reply == nullptr) return {};
    std::memcpy(out.bits(), xcb_get_image_data(reply),
                std::min<std::size_t>(static_cast<std::size_t>(xcb_get_image_data_length(reply)),
                                      static_cast<std::size_t>(out.sizeInBytes())));
    std::free(reply);
    return out;
  }

  // A top-level window's rectangle on the root window, physical pixels.
  // Covers `r` with a window of another client for a moment: what was under it is exposed.
  void cover(const QRect& r) {
    const xcb_window_t w = xcb_generate_id(m_c);
    const std::uint32_t values[] = {0xFF00FF, 1};  // a background pixel, override-redirect
    xcb_create_window(m_c, XCB_COPY_FROM_PARENT, w, m_root, static_cast<std::int16_t>(r.x()),
                      static_cast<std::int16_t>(r.y()), static_cast<std::uint16_t>(r.width()),
                      static_cast<std::uint16_t>(r.height()), 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                      XCB_COPY_FROM_PARENT, XCB_CW_BACK_PIXEL | XCB_CW_OVERRIDE_REDIRECT, values);
    xcb_map_window(m_c, w);
    sync();
    xcb_destroy_window(m_c, w);
    sync();
  }

  QRect windowRect(WId window) {
    const auto w = static_cast<xcb_window_t>(window);
    xcb_get_geometry_reply_t* g = xcb_get_geometry_reply(m_c, xcb_get_geometry(m_c, w), nullptr);
    xcb_translate_coordinates_reply_t* t = xcb_translate_coordinates_reply(
        m_c, xcb_translate_coordinates(m_c, w, m_root, 0, 0), nullptr);
    QRect r;
    if (g != nullptr && t != nullptr) r = QRect(t->dst_x, t->dst_y, g->width, g->height);
    std::free(g);
    std::free(t);
    return r;
  }

 private:
  void sync() { std::free(xcb_get_input_focus_reply(m_c, xcb_get_input_focus(m_c), nullptr)); }

  xcb_connection_t* m_c;
  xcb_window_t m_root = 0;
  QSize m_size;
};

bool xdotool(const QStringList& args) {
  return QProcess::execute(QStringLiteral("xdotool"), args) == 0;
}

// The picker as the program runs it, on the chart; its magnifier's background a color the chart
// never has.
class DisplayE2E : public ::testing::Test {
 protected:
  static constexpr QRgb kBackground = 0x010203;

  DisplayE2E() : picker(*source) {
    display.showChart();
    host::setBeepHandler([](int, int) {});
    display.warp(QPoint(5, 5));
  }
  ~DisplayE2E() override { host::setBeepHandler(nullptr); }

  void showPicker() {
    picker.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&picker));
    probe.Pic_zoom->BackColor(host::RGB(1, 2, 3));
  }
  // Pic_zoom is 75 x 74 at 5x: 15 blocks a side, the pointer's pixel in block (7, 7).
  QRgb zoomBlock(int col, int row) const {
    return probe.Pic_zoom->buffer().pixel(col * 5 + 2, row * 5 + 2) & 0xFFFFFFu;
  }
  QRgb expectedBlock(QPoint pointer, int col, int row, const QRect& monitor) const {
    const QPoint p = pointer + QPoint(col - 7, row - 7);
    return monitor.contains(p) ? chartAt(p) : kBackground;
  }
  // Moves the pointer and waits for both timers to show the pixel there.
  void pointAt(QPoint p, const QString& hex) {
    display.warp(p);
    EXPECT_EVENTUALLY_EQ(probe.txt_Hex->Text(), hex, 3000);
  }

  Display display;
  std::unique_ptr<host::ScreenSource> source = host::createScreenSource();
  ColorPicker picker;
  ColorPickerProbe probe{picker};
};

// One screen scaled as a whole (tests/e2e/displays.sh runs this at 1.25, 1.5 and 2; the plain
// run at 1).
class HiDpiE2E : public DisplayE2E {
 protected:
  void SetUp() override {
    if (QGuiApplication::screens().size() != 1)
      GTEST_SKIP() << "not this display's layout: one screen";
    showPicker();
  }
  double factor() const { return picker.screen()->devicePixelRatio(); }
};

TEST_F(HiDpiE2E, ReadoutsAndTheMagnifierShowThePhysicalPixelUnderThePointer) {
  const QRect screen(QPoint(0, 0), display.size());
  const QRect window = display.windowRect(picker.winId());
  ASSERT_EQ(window.size(), QSize(static_cast<int>(std::lround(317 * factor())),
                                 static_cast<int>(std::lround(235 * factor()))));
  host::QtScreenSource toolkit;
  const QPoint positions[] = {{0, 0},       {1, 1},      {101, 53},   {255, 256},
                              {3, 1021},    {1001, 801}, {977, 1000}, {1278, 1022},
                              {1279, 1023}, {640, 3},    {1203, 517}};
  for (const QPoint p : positions) {
    SCOPED_TRACE(testing::Message() << "factor " << factor() << " at " << p.x() << "," << p.y());
    ASSERT_FALSE(window.adjusted(-8, -8, 8, 8).contains(p)) << "the table avoids the window";
    pointAt(p, hexOf(chartAt(p)));
    EXPECT_EQ(probe.lbl_mouse->Caption(), QStringLiteral("X: %1  Y: %2").arg(p.x()).arg(p.y()));
    EXPECT_EQ(probe.lbl_color->BackColor(), host::fromRgb24(chartAt(p)));
    EXPECT_EVENTUALLY_EQ(zoomBlock(7, 7), chartAt(p), 2000);
    for (const QPoint block :
         {QPoint(6, 7), QPoint(8, 7), QPoint(7, 6), QPoint(7, 8), QPoint(0, 0), QPoint(14, 14)}) {
      EXPECT_EQ(zoomBlock(block.x(), block.y()), expectedBlock(p, block.x(), block.y(), screen))
          << "block " << block.x() << "," << block.y();
    }
    // The toolkit's own reads, mapped onto physical pixels, agree.
    EXPECT_EQ(host::toRgb24(toolkit.pixel(p)), chartAt(p));
  }
  const QRect block(1000, 800, 7, 5);
  EXPECT_EQ(toolkit.grab(block), display.read(block));
}

// At a whole factor every pixel of the magnifier's canvas covers a square of factor x factor
// physical pixels of exactly its color (scaled, not smoothed), with the marker over the middle
// block: the screen shows what the toolkit would paint, after moves and after an exposure.
TEST_F(HiDpiE2E, TheMagnifierShowsItsCanvasByWholePixelsAfterMovesAndExposures) {
  const double f = factor();
  if (f != std::floor(f)) GTEST_SKIP() << "a fractional factor has no whole pixels";
  const int n = static_cast<int>(f);
  const QRect shownArea(display.windowRect(picker.winId()).topLeft() +
                            probe.Pic_zoom->mapTo(&picker, QPoint(0, 0)) * n,
                        probe.Pic_zoom->size() * n);
  const auto wrongPixels = [&] {
    const QImage painted = probe.Pic_zoom->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage shown = display.read(shownArea);
    const QImage canvas = probe.Pic_zoom->buffer();
    const QRect marker = probe.Shape3->geometry();
    int wrong = 0;
    for (int y = 0; y < shown.height(); ++y) {
      for (int x = 0; x < shown.width(); ++x) {
        const QRgb seen = shown.pixel(x, y) & 0xFFFFFFu;
        wrong += seen != (painted.pixel(x, y) & 0xFFFFFFu);
        if (!marker.contains(x / n, y / n))
          wrong += seen != (canvas.pixel(x / n, y / n) & 0xFFFFFFu);
      }
    }
    return wrong;
  };
  for (const QPoint p : {QPoint(1001, 801), QPoint(240, 900)}) {
    pointAt(p, hexOf(chartAt(p)));
    EXPECT_EVENTUALLY_EQ(zoomBlock(7, 7), chartAt(p), 2000);
    QTest::qWait(100);  // the last paint reaches the screen
    EXPECT_EQ(wrongPixels(), 0) << "at " << p.x() << "," << p.y();
  }
  display.cover(shownArea);
  QTest::qWait(200);  // the exposure is answered
  EXPECT_EQ(wrongPixels(), 0) << "after an exposure";
}

// The arrows move the pointer by one physical pixel and Shift+arrows by ten, at any factor (the
// toolkit's own pointer moves only in device-independent pixels), through the X server's keys.
TEST_F(HiDpiE2E, ArrowKeysStepOnePhysicalPixelAndSpaceFreezesThere) {
  const QPoint start(1001, 801);
  pointAt(start, hexOf(chartAt(start)));
  ASSERT_TRUE(xdotool({QStringLiteral("windowfocus"), QString::number(picker.winId())}));
  EXPECT_EVENTUALLY_EQ(picker.isActiveWindow(), true, 3000);
  const struct {
    const char* key;
    QPoint to;
  } steps[] = {{"Right", {1002, 801}},       {"Down", {1002, 802}},
               {"shift+Right", {1012, 802}}, {"shift+Up", {1012, 792}},
               {"Left", {1011, 792}},        {"Up", {1011, 791}},
               {"shift+Left", {1001, 791}},  {"shift+Down", {1001, 801}}};
  for (const auto& s : steps) {
    ASSERT_TRUE(xdotool({QStringLiteral("key"), QString::fromLatin1(s.key)}));
    EXPECT_EVENTUALLY_EQ(display.pointer(), s.to, 2000);
  }
  ASSERT_TRUE(xdotool({QStringLiteral("key"), QStringLiteral("Right")}));
  EXPECT_EVENTUALLY_EQ(probe.txt_Hex->Text(), hexOf(chartAt({1002, 801})), 2000);
  ASSERT_TRUE(xdotool({QStringLiteral("key"), QStringLiteral("space")}));
  EXPECT_EVENTUALLY_EQ(probe.Check1->Value(), 0, 2000);
  ASSERT_TRUE(xdotool({QStringLiteral("key"), QStringLiteral("Right")}));
  QTest::qWait(250);
  EXPECT_EQ(display.pointer(), QPoint(1002, 801)) << "frozen, the arrows are the controls' own";
  EXPECT_EQ(probe.txt_Hex->Text(), hexOf(chartAt({1002, 801}))) << "frozen on the pixel";
  EXPECT_EQ(probe.lbl_mouse->Caption(), QStringLiteral("X: 1002  Y: 801"));
}

// Three RandR monitors: the primary P (400, 400, 880 x 624), L left of it (0, 400, 400 x 300) and
// T above it (400, 0, 640 x 400); the rest of the root window is on no monitor.
class MonitorsE2E : public DisplayE2E {
 protected:
  const QRect P{400, 400, 880, 624};
  const QRect L{0, 400, 400, 300};
  const QRect T{400, 0, 640, 400};

  void SetUp() override {
    if (QGuiApplication::screens().size() != 3)
      GTEST_SKIP() << "not this display's layout: three monitors";
    showPicker();
  }
};

TEST_F(MonitorsE2E, ReadoutsOnEveryMonitorAreRelativeToThePrimaryOne) {
  const struct {
    QPoint at;
    const char* shown;
  } cases[] = {{{450, 450}, "X: 50  Y: 50"},    {{1279, 1023}, "X: 879  Y: 623"},
               {{100, 500}, "X: -300  Y: 100"}, {{399, 699}, "X: -1  Y: 299"},
               {{500, 100}, "X: 100  Y: -300"}, {{1039, 0}, "X: 639  Y: -400"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.shown);
    pointAt(c.at, hexOf(chartAt(c.at)));
    EXPECT_EQ(probe.lbl_mouse->Caption(), QString::fromUtf8(c.shown));
    EXPECT_EVENTUALLY_EQ(zoomBlock(7, 7), chartAt(c.at), 2000);
  }
  // Off every monitor (a part of the root window no monitor shows): white readouts and the
  // magnifier all background.
  pointAt({100, 100}, QStringLiteral("FFFFFF"));
  EXPECT_EQ(probe.lbl_mouse->Caption(), QStringLiteral("X: -300  Y: -300"));
  EXPECT_EVENTUALLY_EQ(zoomBlock(7, 7), kBackground, 2000);
  EXPECT_EQ(zoomBlock(0, 0), kBackground);
  EXPECT_EQ(zoomBlock(14, 14), kBackground);
}

// The magnifier shows only the monitor under the pointer: beyond its edge the background, even
// where another monitor continues.
TEST_F(MonitorsE2E, TheMagnifierStopsAtTheEdgeOfTheMonitorUnderThePointer) {
  const struct {
    QPoint at;
    QRect monitor;
  } cases[] = {{{397, 550}, L}, {{450, 402}, P}, {{1035, 395}, T}, {{403, 5}, T}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.at.x() << "," << c.at.y());
    pointAt(c.at, hexOf(chartAt(c.at)));
    EXPECT_EVENTUALLY_EQ(zoomBlock(7, 7), chartAt(c.at), 2000);
    int background = 0;
    for (int row = 0; row < 15; ++row) {
      for (int col = 0; col < 15; ++col) {
        const QRgb want = expectedBlock(c.at, col, row, c.monitor);
        EXPECT_EQ(zoomBlock(col, row), want) << "block " << col << "," << row;
        background += want == kBackground;
      }
    }
    EXPECT_GT(background, 0) << "the case reaches past the monitor's edge";
  }
}

TEST_F(MonitorsE2E, TheWindowStartsCentredOnThePrimaryMonitor) {
  const QRect window = display.windowRect(picker.winId());
  const double f = picker.screen()->devicePixelRatio();
  EXPECT_EQ(window.size(),
            QSize(static_cast<int>(std::lround(317 * f)), static_cast<int>(std::lround(235 * f))));
  EXPECT_LE((window.center() - P.center()).manhattanLength(), 2 * f + 1)
      << window.center().x() << "," << window.center().y();
}

}  // namespace
