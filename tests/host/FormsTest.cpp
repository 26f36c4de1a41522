// Offscreen tests of the runtime's controls: events with several listeners, a label's click,
// timers, and where text sits. (Picture boxes are checked through the picker's bars, a text box's
// select-all on a click through the picker's own text boxes.)
#include <gtest/gtest.h>

#include <QAccessible>
#include <QElapsedTimer>
#include <QPainter>
#include <QTest>
#include <QWidget>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "host/core/RuntimeError.h"
#include "host/draw/Canvas.h"
#include "host/draw/Fonts.h"
#include "host/forms/CheckBox.h"
#include "host/forms/ControlRef.h"
#include "host/forms/Event.h"
#include "host/forms/Form.h"
#include "host/forms/FormData.h"
#include "host/forms/Forms.h"
#include "host/forms/Frame.h"
#include "host/forms/Label.h"
#include "host/forms/PictureBox.h"
#include "host/forms/PropertyBag.h"
#include "host/forms/Shape.h"
#include "host/forms/TextBox.h"
#include "host/forms/Timer.h"

namespace {

TEST(EventTest, ListenersRunInOrderAndAFailingOneDoesNotStopTheRest) {
  host::Event<int&> change("Change");
  std::vector<std::string> seen;
  change.connect([&](int& v) {
    seen.push_back("first " + std::to_string(v));
    v = 7;  // a by-reference argument: later listeners and the raiser see the change
  });
  change.connect([&](int&) {
    seen.push_back("failing");
    throw host::RuntimeError(5, "Test", "Invalid parameter");
  });
  change.connect([&](int& v) {
    seen.push_back("third " + std::to_string(v));
    // Connected while raising: runs from the next raise on.
    change.connect([&](int&) { seen.push_back("late"); });
  });
  int value = 1;
  change.raise(value);
  EXPECT_EQ(value, 7);
  EXPECT_EQ(seen, (std::vector<std::string>{"first 1", "failing", "third 7"}));
  seen.clear();
  change.raise(value);
  EXPECT_EQ(seen, (std::vector<std::string>{"first 7", "failing", "third 7", "late"}));
}

// (What reaches the window beneath a label is checked through the picker's readouts.)
TEST(MouseEventsTest, ALabelClicksOnALeftButtonReleasedInsideItOnly) {
  QWidget window;
  window.resize(100, 100);
  auto* label = new host::Label(&window);
  label->setGeometry(10, 10, 40, 20);
  int clicks = 0;
  label->Click.connect([&clicks] { ++clicks; });
  window.show();
  QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(5, 5));
  QTest::mouseClick(label, Qt::RightButton, {}, QPoint(6, 5));
  QTest::mousePress(label, Qt::LeftButton, {}, QPoint(7, 5));
  QTest::mouseRelease(label, Qt::LeftButton, {}, QPoint(70, 5));
  EXPECT_EQ(clicks, 1);
}

// A handler that lets messages run for longer than the interval is not entered again.
TEST(TimerTest, TicksOnlyWhileEnabledWithAnIntervalAndNeverReentersItsHandler) {
  host::Timer t;
  int depth = 0;
  int maxDepth = 0;
  int ticks = 0;
  t.Tick.connect([&] {
    ++depth;
    ++ticks;
    maxDepth = std::max(maxDepth, depth);
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 15)
      host::DoEvents();
    --depth;
  });
  t.Interval(1);
  EXPECT_FALSE(t.isRunning());  // created disabled
  t.Enabled(true);
  EXPECT_TRUE(QTest::qWaitFor([&] { return ticks >= 3; }, 5000));
  t.Enabled(false);
  EXPECT_FALSE(t.isRunning());
  EXPECT_EQ(maxDepth, 1);
}

// Text is placed by the platform's character cell: its baseline one Windows ascent below the
// cell's top (11 pixels for Tahoma at 8.25 points, 9 at 6.75), where the toolkit would put it two
// pixels higher. A capital's baseline is one row below the last row of `area` with ink: a pixel
// other than the area's top-left one (the background).
int baselineIn(const QImage& image, QRect area) {
  const QRgb background = image.pixel(area.topLeft());
  int last = -1;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      if (image.pixel(x, y) != background) last = y;
    }
  }
  return last + 1;
}

TEST(TextPlacementTest, EveryControlPutsTheBaselineAtTheCellAscent) {
  if (!host::registerApplicationFonts()) GTEST_SKIP() << "Tahoma (fonts-wine) is not installed";
  const QFont bold = host::designFont(QStringLiteral("Tahoma"), 8.25, true);
  const QFont small = host::designFont(QStringLiteral("Tahoma"), 6.75);
  const auto shot = [](QWidget& w, const QFont& font, QSize size) {
    w.setFont(font);
    w.resize(size);
    return w.grab().toImage();
  };
  const auto onCanvas = [](const std::function<void(host::Canvas&)>& draw) {
    QImage image(40, 20, QImage::Format_RGB32);
    image.fill(Qt::white);
    host::Canvas dc(image);
    draw(dc);
    return image;
  };
  host::Label centred(nullptr), twoLines(nullptr);
  centred.Alignment(host::Label::AlignmentKind::Center);
  centred.Caption(QStringLiteral("R"));
  twoLines.Caption(QStringLiteral("\r\nH"));
  host::Frame frame(nullptr);
  frame.Caption(QStringLiteral("HHHH"));
  host::TextBox roomy(nullptr), tight(nullptr);
  roomy.Text(QStringLiteral("HHHH"));
  tight.Text(QStringLiteral("HHHH"));
  host::CheckBox check(nullptr);
  check.Caption(QStringLiteral("HHHHHHHHHH"));
  struct Case {
    const char* what;
    QImage image;
    QRect area;  // where the caption's ink is looked for
    int baseline;
  };
  const Case cases[] = {
      {"a centred label in a 14-pixel box (3 rows above the R, 3 below)",
       shot(centred, bold, {19, 14}), QRect(0, 0, 19, 14), 11},
      {"a label's second line, one cell (13 pixels) lower", shot(twoLines, bold, {60, 30}),
       QRect(0, 0, 60, 30), 24},
      {"a frame's caption", shot(frame, bold, {80, 40}), QRect(10, 0, 10, 20), 11},
      {"a text box with room for a pixel above its line", shot(roomy, small, {60, 17}),
       QRect(4, 2, 40, 13), 12},
      {"a text box without that room", shot(tight, small, {60, 14}), QRect(4, 2, 40, 10), 11},
      {"a check box's caption, its cell centred in the height", shot(check, bold, {100, 17}),
       QRect(40, 0, 60, 17), 2 + 11},
      {"text out at a point: the cell's top",
       onCanvas([&](host::Canvas& dc) { dc.TextOut(0, 3, QStringLiteral("HH"), bold, 0, 0); }),
       QRect(0, 0, 40, 20), 3 + 11},
      {"a button's prefix caption", onCanvas([&](host::Canvas& dc) {
         dc.DrawPrefixText(0, 2, QStringLiteral("H&&H"), bold, 0, false);
       }),
       QRect(0, 0, 40, 20), 2 + 11},
  };
  for (const Case& c : cases)
    EXPECT_EQ(baselineIn(c.image, c.area), c.baseline) << c.what;
}

// A caption is kept after its first draw as its shaped glyphs, or whole with its layout when it has
// lines drawn under or through it; both must put the same ink where the text is. So a caption
// drawn in a plain font and in the same font underlined (or struck out, or with a mnemonic) match
// everywhere but the rows of the line, and a second draw (from what was kept) matches the first.
TEST(KeptCaptionTest, ShapedGlyphsDrawWhatTheLayoutDraws) {
  if (!host::registerApplicationFonts()) GTEST_SKIP() << "Tahoma (fonts-wine) is not installed";
  const QFont plain = host::designFont(QStringLiteral("Tahoma"), 8.25, true);
  QFont underlined = plain;
  underlined.setUnderline(true);
  QFont struck = plain;
  struck.setStrikeOut(true);
  const int ascent = host::cellMetrics(plain).ascent;
  const int cell = host::cellMetrics(plain).height();
  const auto draw = [](const QFont& font, QRect box, int flags, const QString& text,
                       QPoint offset) {
    QImage image(90, 50, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.translate(offset);  // a control painted at its place in its window
    p.setFont(font);
    p.setPen(Qt::black);
    host::drawCellText(p, box, flags, text);
    return image;
  };
  struct Case {
    const char* what;
    QRect box;
    int flags;
    QString text;
    QPoint offset;
    int lines;
  };
  const Case cases[] = {
      {"left", QRect(2, 1, 80, 16), Qt::AlignLeft, QStringLiteral("R: 128"), {}, 1},
      {"right, in a window", QRect(0, 0, 60, 16), Qt::AlignRight, QStringLiteral("255"), {7, 5}, 1},
      {"centred", QRect(1, 2, 41, 16), Qt::AlignHCenter, QStringLiteral("#80FF3C"), {}, 1},
      {"clipped by its box", QRect(3, 0, 20, 16), Qt::AlignLeft, QStringLiteral("WWWWWW"), {}, 1},
      {"wrapped",
       QRect(0, 0, 40, 40),
       Qt::AlignLeft | Qt::TextWordWrap,
       QStringLiteral("Hue Sat"),
       {2, 3},
       2},
  };
  for (const Case& c : cases) {
    const QImage first = draw(plain, c.box, c.flags, c.text, c.offset);
    EXPECT_EQ(draw(plain, c.box, c.flags, c.text, c.offset), first) << c.what << ", drawn again";
    // Underlined: every row above each line's baseline as the plain caption's. Struck out: all
    // but the line's own row or two.
    const QImage under = draw(underlined, c.box, c.flags, c.text, c.offset);
    const QImage through = draw(struck, c.box, c.flags, c.text, c.offset);
    EXPECT_NE(under, first) << c.what << ": the underline is drawn";
    EXPECT_NE(through, first) << c.what << ": the strike-out is drawn";
    int struckRows = 0;
    for (int y = 0; y < first.height(); ++y) {
      const auto row = [y](const QImage& image) {
        return QByteArray(reinterpret_cast<const char*>(image.constScanLine(y)),
                          image.bytesPerLine());
      };
      if (row(through) != row(first)) ++struckRows;
      const int inLine = y - c.offset.y() - c.box.top();
      if (inLine >= 0 && inLine < c.lines * cell && inLine % cell < ascent) {
        EXPECT_EQ(row(under), row(first)) << c.what << ", row " << y;
      }
    }
    EXPECT_LE(struckRows, 2 * c.lines) << c.what;
  }
  // A mnemonic is underlined through the layout; the rest of the caption is the plain one's.
  const QImage marked = draw(plain, QRect(0, 0, 80, 16), Qt::AlignLeft | Qt::TextShowMnemonic,
                             QStringLiteral("E&xit"), {});
  const QImage bare = draw(plain, QRect(0, 0, 80, 16), Qt::AlignLeft, QStringLiteral("Exit"), {});
  EXPECT_NE(marked, bare);
  EXPECT_EQ(marked.copy(0, 0, 90, ascent), bare.copy(0, 0, 90, ascent));
}

// A caption is clipped to its box, and the painter is handed back clipping what it clipped before:
// nothing, or its own clip.
TEST(KeptCaptionTest, TheBoxClipsTheCaptionAndNothingDrawnAfterIt) {
  const QFont font = host::designFont(QStringLiteral("Tahoma"), 8.25, true);
  for (const bool clippedBefore : {false, true}) {
    QImage image(60, 20, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    if (clippedBefore) p.setClipRect(QRect(0, 0, 50, 20));
    p.setFont(font);
    p.setPen(Qt::black);
    host::drawCellText(p, QRect(0, 0, 8, 16), Qt::AlignLeft, QStringLiteral("WWWW"));
    EXPECT_EQ(p.hasClipping(), clippedBefore);
    if (clippedBefore) {
      EXPECT_EQ(p.clipBoundingRect(), QRectF(0, 0, 50, 20));
    }
    p.fillRect(QRect(40, 0, 20, 20), Qt::red);
    p.end();
    bool inkBeyondBox = false;
    for (int y = 0; y < 20; ++y)
      for (int x = 8; x < 40; ++x)
        inkBeyondBox = inkBeyondBox || image.pixel(x, y) != qRgb(255, 255, 255);
    EXPECT_FALSE(inkBeyondBox) << "clipped before: " << clippedBefore;
    EXPECT_EQ(image.pixel(45, 5), qRgb(255, 0, 0)) << "clipped before: " << clippedBefore;
    EXPECT_EQ(image.pixel(55, 5), clippedBefore ? qRgb(255, 255, 255) : qRgb(255, 0, 0));
  }
}

// Windows built from layout tables: nesting, control arrays, styles, lookup by name and index, and
// what a screen reader finds of them. (User controls loading their stored data or initializing
// are checked through the picker's buttons and sliders; labels, their captions and swatches as a
// screen reader reads them, by the end-to-end accessibility test.)
using host::ControlSpec;
using host::ControlStyle;
using K = host::ControlKind;

constexpr ControlStyle kPanel{.back = 0xD21702, .fore = 0xE0E0E0};
constexpr ControlStyle kChannel{.back = 0x000000,
                                .fore = 0x0000FF,
                                .align = host::Label::AlignmentKind::Center,
                                .border = true};
constexpr ControlStyle kBand{.fill = 0xF5D3A9};
constexpr ControlStyle kDecoration{.decoration = true};

// A mixer-like window: an outline, a frame holding a frame, control arrays, a decorative picture
// box with a shape.
constexpr std::array kTable{
    ControlSpec{"outline", K::Shape, nullptr, {0, 0, 6000, 3000}},
    ControlSpec{"fraOuter", K::Frame, &kPanel, {1500, 300, 3000, 1800}, "Outer"},
    ControlSpec{"fraInner", K::Frame, &kPanel, {150, 600, 2700, 900}, "Inner", "", "fraOuter"},
    ControlSpec{"lblRGB", K::Label, &kChannel, {150, 150, 300, 210}, "G", "", "fraInner", 1},
    ControlSpec{"lblRGB", K::Label, &kChannel, {600, 150, 300, 210}, "R", "", "fraInner", 0},
    ControlSpec{"txtRGB", K::TextBox, nullptr, {1200, 150, 600, 240}, "00", "", "fraInner", 0},
    ControlSpec{"band", K::Shape, &kBand, {0, 450, 2700, 300}, "", "", "fraInner"},
    ControlSpec{"pic", K::PictureBox, &kDecoration, {15, 15, 900, 900}},
    ControlSpec{"mark", K::Shape, nullptr, {150, 150, 300, 300}, "", "", "pic"},
};

class Window : public host::Form {
 public:
  Window() {
    resize(400, 200);
    buildControls({kTable}, host::FormData{});
  }
  host::ControlRef<host::Frame> fraInner{*this, "fraInner"};
  host::ControlArray<host::Label> lblRGB{*this, "lblRGB"};
  host::ControlRef<host::TextBox> txtRGB0{*this, "txtRGB", 0};
};

// A control that tells the toolkit it covers its whole rectangle is not painted over what lies
// under it first, so it must set every pixel itself: painted alone onto magenta, none shows. A
// label made transparent says so no more (what is under it must be painted first).
TEST(OpaqueControlsTest, ThoseThatClaimToBeOpaquePaintEveryPixelOfTheirRectangle) {
  const QRgb magenta = qRgb(255, 0, 255);
  host::Label plain(nullptr), bordered(nullptr), blank(nullptr);
  plain.Caption(QStringLiteral("128"));
  bordered.Caption(QStringLiteral("45 %"));
  bordered.BorderStyle(host::Label::BorderStyleKind::FixedSingle);
  bordered.BackColor(0xC0C0C0);
  host::TextBox text(nullptr), empty(nullptr);
  text.setText(QStringLiteral("&H4E293C&"));
  host::PictureBox box(nullptr);
  const std::vector<std::pair<const char*, QWidget*>> controls{
      {"label", &plain},   {"bordered label", &bordered}, {"empty label", &blank},
      {"text box", &text}, {"empty text box", &empty},    {"picture box", &box}};
  for (const auto& [what, control] : controls) {
    control->resize(37, 17);
    ASSERT_TRUE(control->testAttribute(Qt::WA_OpaquePaintEvent)) << what;
    QImage image(control->size(), QImage::Format_RGB32);
    image.fill(magenta);
    control->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x)
        ASSERT_NE(image.pixel(x, y), magenta) << what << " left " << x << "," << y << " unpainted";
  }
  plain.BackStyle(host::Label::BackStyleKind::Transparent);
  EXPECT_FALSE(plain.testAttribute(Qt::WA_OpaquePaintEvent));
  plain.BackStyle(host::Label::BackStyleKind::Opaque);
  EXPECT_TRUE(plain.testAttribute(Qt::WA_OpaquePaintEvent));
}

// A shape painted straight onto an image (as the magnifier's own window paints its marker) puts
// the same pixels as the toolkit's render of it: filled or hollow, thin, heavy or heavier than it
// is small, and with its border hidden.
TEST(ShapePaintTest, PaintedOntoAnImageItMatchesTheToolkitsRender) {
  struct Case {
    const char* what;
    host::TwipsRect outline;  // 15 twips a pixel
    int borderWidth;
    std::optional<host::ColorRef> fill;
    bool border;
  };
  const host::TwipsRect box{105, 75, 165, 135};
  const Case cases[] = {{"hollow", box, 1, std::nullopt, true},
                        {"filled", box, 1, 0x00FF00, true},
                        {"heavy", box, 3, 0x0000FF, true},
                        {"heavier than small", {150, 150, 60, 45}, 5, std::nullopt, true},
                        {"border hidden", box, 2, 0xFF0000, false}};
  for (const Case& c : cases) {
    QWidget parent;
    parent.resize(40, 30);
    host::Shape shape(&parent);
    shape.place(c.outline);
    shape.BorderColor(0x123456);
    shape.BorderWidth(c.borderWidth);
    shape.BorderVisible(c.border);
    if (c.fill) {
      shape.Filled(true);
      shape.FillColor(*c.fill);
    }
    QImage rendered(parent.size(), QImage::Format_ARGB32_Premultiplied);
    rendered.fill(Qt::transparent);
    const QImage blank = rendered;
    QImage painted = rendered;
    shape.render(&rendered, shape.pos(), QRegion(), QWidget::DrawChildren);
    {
      QPainter p(&painted);
      p.translate(shape.pos());
      shape.paintOnto(p);
    }
    EXPECT_EQ(painted, rendered) << c.what;
    EXPECT_NE(painted, blank) << c.what << ": painted nothing";
  }
}

// A gradient over a cleared window is kept without a surface and painted from one row or column
// of it: the window shows what the surface would, at a device pixel ratio of 1 and 2, where the
// gradient lies partly off the window, and after the window grows past the surface it was drawn
// on or had shrunk before it (the surface keeps the largest size). Drawing anything else makes the
// surface with the gradient on it.
TEST(FormGradientTest, AKeptGradientShowsWhatTheSurfaceWould) {
  constexpr host::GradientMode H = host::GradientMode::Horizontal, V = host::GradientMode::Vertical;
  struct Case {
    const char* what;
    host::GradientMode mode;
    QSize before, at, after;  // the window's sizes: before clearing, at the gradient, and then
    QPoint light, dark;       // the gradient's corners: the light one first, as the picker's
  };
  const Case cases[] = {
      {"across", H, {37, 23}, {37, 23}, {37, 23}, {37, 23}, {0, 0}},
      {"down", V, {37, 23}, {37, 23}, {37, 23}, {37, 23}, {0, 0}},
      {"partly off, then grown", H, {30, 20}, {30, 20}, {50, 41}, {45, 60}, {-5, 7}},
      {"shrunk, then grown back", V, {60, 50}, {30, 20}, {60, 50}, {55, 50}, {2, 0}},
      {"empty", V, {20, 20}, {20, 20}, {20, 20}, {9, 5}, {3, 5}},
  };
  auto render = [](host::Form& w, qreal ratio) {
    QImage out(w.size() * ratio, QImage::Format_RGB32);
    out.setDevicePixelRatio(ratio);
    out.fill(Qt::magenta);
    w.render(&out);
    return out;
  };
  for (const Case& c : cases) {
    // Kept, drawn on a surface that is there throughout, and kept until a later drawing.
    host::Form kept, drawn, later;
    for (host::Form* w : {&kept, &drawn, &later}) {
      w->resize(c.before);
      w->BackColor(0x00FF00);
      if (w == &drawn) (void)w->canvas();
      w->resize(c.at);
      w->Cls();
      const host::TriVertex a{c.light.x(), c.light.y(), 0xFF00, 0xA000, 0, 0},
          b{c.dark.x(), c.dark.y(), 0x0300, 0x1000, 0x4000, 0};
      if (w == &drawn) {
        w->canvas().GradientFill(a, b, c.mode);
      } else {
        w->GradientFill(a, b, c.mode);
      }
    }
    for (host::Form* w : {&kept, &drawn, &later})
      w->resize(c.after);
    (void)later.canvas();
    EXPECT_FALSE(kept.hasSurface()) << c.what;
    EXPECT_TRUE(later.hasSurface()) << c.what;
    for (const qreal ratio : {1.0, 2.0}) {
      const QImage want = render(drawn, ratio);
      EXPECT_EQ(render(kept, ratio), want) << c.what << " at " << ratio;
      EXPECT_EQ(render(later, ratio), want) << c.what << " at " << ratio;
    }
  }
}

TEST(FormBuilderTest, ContainersHoldTheirChildrenInTheirOwnTwips) {
  Window w;
  EXPECT_EQ(w.fraInner->parentWidget(), w.control<host::Frame>("fraOuter"));
  EXPECT_EQ(w.fraInner->geometry(), QRect(10, 40, 180, 60));
  // Found through two frames; placed in the inner frame's coordinates.
  EXPECT_EQ(w.txtRGB0->parentWidget(), static_cast<QWidget*>(w.fraInner));
  EXPECT_EQ(w.txtRGB0->geometry(), QRect(80, 10, 40, 16));
  EXPECT_EQ(w.control<host::Shape>("mark")->parentWidget(), w.control<QWidget>("pic"));
}

TEST(FormBuilderTest, ControlArraysAreIndexedAndLookupNeedsTheRightNameIndexAndType) {
  Window w;
  ASSERT_EQ(w.lblRGB.size(), 2u);
  EXPECT_EQ(w.lblRGB[0]->Caption(), QStringLiteral("R"));
  EXPECT_EQ(w.lblRGB[1]->Caption(), QStringLiteral("G"));
  EXPECT_EQ(host::controlIndex(*w.lblRGB[1]), 1);
  EXPECT_EQ(w.control<host::Label>("lblRGB", 2), nullptr);
  EXPECT_EQ(w.control<host::Label>("lblRGB"), nullptr);  // an array has no single control
}

TEST(FormBuilderTest, StylesTextsAndLayersAreApplied) {
  Window w;
  const host::Label& r = *w.lblRGB[0];
  EXPECT_EQ(r.BackColor(), 0x000000u);
  EXPECT_EQ(r.ForeColor(), 0x0000FFu);
  EXPECT_EQ(r.Alignment(), host::Label::AlignmentKind::Center);
  EXPECT_EQ(r.BorderStyle(), host::Label::BorderStyleKind::FixedSingle);
  const host::Shape* band = w.control<host::Shape>("band");
  ASSERT_NE(band, nullptr);
  EXPECT_TRUE(band->Filled());
  // The frame paints its style's back color (its caption's ink is checked with the text
  // placement of every control).
  EXPECT_EQ(w.fraInner->grab().toImage().pixelColor(90, 54), QColor(0x02, 0x17, 0xD2));
  // Within the inner frame: the shape beneath the labels, the labels beneath the text box.
  std::vector<QString> order;
  for (QObject* child : w.fraInner->children()) {
    if (child->isWidgetType()) order.push_back(child->objectName());
  }
  EXPECT_EQ(order, (std::vector<QString>{"band", "lblRGB", "lblRGB", "txtRGB"}));
}

QAccessibleInterface* accessible(QWidget* w) {
  return QAccessible::queryAccessibleInterface(w);
}

TEST(FormAccessibilityTest, TheWindowLeavesShapesAndDecorationOutAndIsADialogWhileModal) {
  Window w;
  QAccessibleInterface* a = accessible(&w);
  EXPECT_EQ(a->role(), QAccessible::Window);
  ASSERT_EQ(a->childCount(), 1);
  EXPECT_EQ(a->child(0)->object(), w.control<host::Frame>("fraOuter"));
  EXPECT_EQ(a->indexOfChild(a->child(0)), 0);
  EXPECT_EQ(a->indexOfChild(accessible(w.control<host::Shape>("outline"))), -1);
  EXPECT_EQ(a->indexOfChild(accessible(w.control<host::PictureBox>("pic"))), -1);
  w.setWindowModality(Qt::ApplicationModal);
  EXPECT_EQ(a->role(), QAccessible::Dialog);
}

TEST(FormAccessibilityTest, OnlyALabelThatHandlesClicksCanBePressed) {
  Window w;
  QAccessibleActionInterface* label = accessible(w.lblRGB[0])->actionInterface();
  EXPECT_FALSE(label->actionNames().contains(QAccessibleActionInterface::pressAction()));
  int clicks = 0;
  w.lblRGB[0]->Click.connect([&clicks] { ++clicks; });
  ASSERT_TRUE(label->actionNames().contains(QAccessibleActionInterface::pressAction()));
  label->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_EQ(clicks, 1);
}

// Stored form data: its values as a default's kind, its value forms and its malformed lines.
using host::PropertyBag;
using host::PropertyValue;

struct ConvertCase {
  const char* what;
  PropertyValue stored;
  PropertyValue like;
  std::optional<PropertyValue> out;
};

class Conversions : public ::testing::TestWithParam<ConvertCase> {};

TEST_P(Conversions, ToTheDefaultsKind) {
  EXPECT_EQ(host::convertLike(GetParam().stored, GetParam().like), GetParam().out);
}

// (Numbers too large and texts that are no number are read by the slider's stored-value test.)
INSTANTIATE_TEST_SUITE_P(
    Table, Conversions,
    ::testing::Values(
        ConvertCase{"singleTieToEven", 2.5f, std::int32_t{0}, PropertyValue{std::int32_t{2}}},
        ConvertCase{"singleTieUp", 3.5f, std::int16_t{0}, PropertyValue{std::int16_t{4}}},
        ConvertCase{"trueIsMinusOne", true, std::int32_t{0}, PropertyValue{std::int32_t{-1}}},
        ConvertCase{"nonZeroIsTrue", std::int32_t{7}, false, PropertyValue{true}},
        ConvertCase{"textNumber", QStringLiteral(" 42 "), std::int32_t{0},
                    PropertyValue{std::int32_t{42}}},
        ConvertCase{"textTrue", QStringLiteral("true"), false, PropertyValue{true}},
        ConvertCase{"fontAsNumber", host::FontValue{}, std::int32_t{0}, std::nullopt},
        ConvertCase{"numberAsText", std::int32_t{5}, QString(),
                    PropertyValue{QStringLiteral("5")}}),
    [](const auto& param_info) { return std::string(param_info.param.what); });

// Numbers, hexadecimal values and True as the picker's own stored data writes them are read by
// its layout test; here, the forms it does not use.
TEST(FormDataTest, ParsesSectionsAndEveryValueKind) {
  const host::FormData data =
      host::FormData::parse(QStringLiteral("# comment\n"
                                           "[btn_Mixer]\n"
                                           "Caption = \"Say \"\"hi\"\" »»»\"\n"
                                           "Neg = -12\n"
                                           "Size = 8.25\n"
                                           "Font = Font(\"Tahoma\", 8.25, Bold Italic)\n"
                                           "Picture = Picture(\":/icons/x.png\")\n"
                                           "[Other]\n"
                                           "Style = 1\n"));
  EXPECT_TRUE(data.problems().empty());
  const PropertyBag* bag = data.bagFor(QStringLiteral("BTN_MIXER"));
  ASSERT_NE(bag, nullptr);
  EXPECT_EQ(bag->readText(QStringLiteral("Caption"), {}), QStringLiteral("Say \"hi\" »»»"));
  EXPECT_EQ(bag->readLong(QStringLiteral("Neg"), 0), -12);
  EXPECT_FLOAT_EQ(bag->readSingle(QStringLiteral("Size"), 0), 8.25f);
  EXPECT_EQ(bag->readFont(QStringLiteral("Font"), {}),
            (host::FontValue{QStringLiteral("Tahoma"), 8.25, true, true}));
  EXPECT_EQ(bag->readPicture(QStringLiteral("Picture"), {}).path, QStringLiteral(":/icons/x.png"));
  EXPECT_EQ(data.bagFor(QStringLiteral("other"))->readLong(QStringLiteral("Style"), 0), 1);
  EXPECT_EQ(data.bagFor(QStringLiteral("missing")), nullptr);
}

// The font form: a quoted name with doubled quotes, a decimal size, optional flag words.
TEST(FormDataTest, ReadsTheFontFormAndRejectsEverythingElse) {
  struct Case {
    const char* args;
    std::optional<host::FontValue> want;
  };
  const host::FontValue wide{QStringLiteral("A \"q\" B"), 10, false, true};
  const std::vector<Case> cases = {
      {R"( "A ""q"" B" , 10 , Italic )", wide},
      {R"("T",8.25)", host::FontValue{QStringLiteral("T"), 8.25}},
      {R"("T", 8,)", host::FontValue{QStringLiteral("T"), 8}},
      {R"("T", 8, bold underline)", host::FontValue{QStringLiteral("T"), 8, true, false, true}},
      {R"(T, 8)", std::nullopt},
      {R"("T")", std::nullopt},
      {R"("T", 8 Bold)", std::nullopt},
      {R"("T", 8, Bold1)", std::nullopt},
      {R"("T", 8, Heavy)", std::nullopt},
      {R"("T, 8)", std::nullopt},
  };
  for (const Case& c : cases) {
    const auto value =
        host::parsePropertyValue(QStringLiteral("Font(%1)").arg(QString::fromUtf8(c.args)));
    if (!c.want) {
      EXPECT_FALSE(value.has_value()) << c.args;
      continue;
    }
    ASSERT_TRUE(value.has_value()) << c.args;
    EXPECT_EQ(std::get<host::FontValue>(*value), *c.want) << c.args;
  }
}

TEST(FormDataTest, MalformedLinesAreReportedAndFallBackToDefaults) {
  const host::FormData data =
      host::FormData::parse(QStringLiteral("Orphan = 1\n"
                                           "[btn]\n"
                                           "Caption = \"unterminated\n"
                                           "Style = 3x\n"
                                           "Back = &HFFFFFFFFF&\n"
                                           "Font = Font(Tahoma, 8)\n"
                                           "no equals sign\n"
                                           "[]\n"
                                           "Good = 5\n"));
  EXPECT_EQ(data.problems().size(), 8u);
  const PropertyBag* bag = data.bagFor(QStringLiteral("btn"));
  ASSERT_NE(bag, nullptr);
  EXPECT_EQ(bag->readText(QStringLiteral("Caption"), QStringLiteral("dflt")),
            QStringLiteral("dflt"));
  EXPECT_EQ(bag->readLong(QStringLiteral("Style"), 0), 0);
  EXPECT_EQ(bag->readLong(QStringLiteral("Back"), 9), 9);
  EXPECT_FALSE(bag->contains(QStringLiteral("Good")));  // the nameless section is skipped
}

}  // namespace
