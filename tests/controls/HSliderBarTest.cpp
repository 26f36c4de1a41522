// The slider's properties and their persistence: the setters' checks and notifications, the
// bag's read and write tables, the exact round trip of both colors and bad stored values.
#include <gtest/gtest.h>

#include <array>
#include <functional>

#include "controls/slider/HSliderBar.h"
#include "host/draw/Canvas.h"
#include "host/forms/FormData.h"
#include "host/forms/PictureBox.h"
#include "host/forms/PropertyBag.h"

namespace {

std::unique_ptr<HSliderBar> newSlider() {
  auto s = std::make_unique<HSliderBar>(nullptr);
  s->resize(158, 14);
  s->load(nullptr);
  s->clearPropertyChanges();
  return s;
}

std::vector<std::string> changes(const HSliderBar& s) {
  std::vector<std::string> out;
  for (const QString& c : s.propertyChanges())
    out.push_back(c.toStdString());
  return out;
}

struct SetterCase {
  const char* what;
  std::function<void(HSliderBar&)> act;
  std::int32_t min, max, value;
  std::vector<std::string> notified;
};

// Each case starts from a new instance: bounds 0 and 100, value 0. No setter raises Change.
TEST(HSliderBarTest, SettersCheckBoundsAndValueAndNotify) {
  using S = HSliderBar;
  // clang-format off
  const SetterCase cases[] = {
      {"Max equal to Min is refused", [](S& s) { s.Max(0); }, 0, 100, 0, {"Max"}},
      {"Min equal to Max is refused", [](S& s) { s.Min(100); }, 0, 100, 0, {"Min"}},
      {"a value outside the range is ignored", [](S& s) { s.Max(255); s.value(300); },
       0, 255, 0, {"Max", "Value"}},
      {"reversed bounds take a value between them",
       [](S& s) { s.Min(10); s.Max(0); s.value(5); s.value(11); },
       10, 0, 5, {"Min", "Max", "Value", "Value"}},
      {"lowering Max below the value does not clamp it", [](S& s) { s.value(80); s.Max(50); },
       0, 50, 80, {"Value", "Max"}},
      {"the bounds' own ends are values", [](S& s) { s.value(100); }, 0, 100, 100, {"Value"}},
  };
  // clang-format on
  for (const SetterCase& c : cases) {
    auto s = newSlider();
    int raised = 0;
    s->Change.connect([&raised](std::int32_t&) { ++raised; });
    c.act(*s);
    EXPECT_EQ((std::array{s->Min(), s->Max(), s->value()}), (std::array{c.min, c.max, c.value}))
        << c.what;
    EXPECT_EQ(changes(*s), c.notified) << c.what;
    EXPECT_EQ(raised, 0) << c.what;
  }
}

// A screen reader reads a slider's bounds and value, and sets a value inside the bounds as a drag
// does: the cue moves and Change is raised. Other values, and any while disabled, are ignored.
TEST(HSliderBarTest, AScreenReaderReadsAndSetsTheValue) {
  auto s = newSlider();
  s->Max(255);
  s->value(128);
  std::vector<std::int32_t> raised;
  s->Change.connect([&raised](std::int32_t& v) { raised.push_back(v); });
  QAccessibleInterface* i = QAccessible::queryAccessibleInterface(s.get());
  EXPECT_EQ(i->role(), QAccessible::Slider);
  QAccessibleValueInterface* v = i->valueInterface();
  ASSERT_NE(v, nullptr);
  EXPECT_EQ((std::array{v->minimumValue(), v->maximumValue(), v->currentValue()}),
            (std::array<QVariant, 3>{0, 255, 128}));
  const float cueAt128 = s->cueGeometry().left;
  v->setCurrentValue(0);
  EXPECT_EQ(s->value(), 0);
  EXPECT_LT(s->cueGeometry().left, cueAt128);
  v->setCurrentValue(256);
  s->Enabled(false);
  v->setCurrentValue(10);
  EXPECT_EQ(v->currentValue(), QVariant(0));
  EXPECT_EQ(raised, std::vector<std::int32_t>{0});
}

TEST(HSliderBarTest, ColorsAndLooksWaitForTheNextPaint) {
  auto s = newSlider();
  s->Style(1);
  s->Refresh();  // picture style without pictures: the surface cleared to light grey
  EXPECT_EQ(s->buffer().pixel(50, 7) & 0xFFFFFFu, 0xE0E0E0u);
  EXPECT_FALSE(s->Cue().isVisibleTo(s.get()));
  s->BackColor(0x00FF00);  // green
  s->Style(0);
  EXPECT_EQ(s->buffer().pixel(50, 7) & 0xFFFFFFu, 0xE0E0E0u);
  EXPECT_FALSE(s->Cue().isVisibleTo(s.get()));
  s->Style(1);
  s->value(300);  // ignored, yet it repaints
  EXPECT_EQ(s->buffer().pixel(50, 7) & 0xFFFFFFu, 0x00FF00u);
  EXPECT_EQ(changes(*s), (std::vector<std::string>{"Style", "Style", "Style", "Value"}));
  // The cue's color is the cue box's background; neither color is a persisted change.
  s->ForeColor(0x123456);
  EXPECT_EQ(s->Cue().BackColor(), 0x123456u);
  EXPECT_EQ(changes(*s).size(), 4u);
}

TEST(HSliderBarTest, AnEmptyBagGivesTheReadDefaults) {
  auto s = std::make_unique<HSliderBar>(nullptr);
  s->resize(158, 20);
  const host::PropertyBag empty;
  s->load(&empty);
  EXPECT_EQ(s->Max(), 100);
  EXPECT_EQ(s->Min(), 0);
  EXPECT_EQ(s->value(), 0);
  EXPECT_EQ(s->BackColor(), 1u);
  EXPECT_EQ(s->BorderStyle(), 1);
  EXPECT_EQ(s->innerWidth(), 154);  // inside the sunken border
  EXPECT_TRUE(s->Enabled());
  EXPECT_EQ(s->Style(), 0);
  EXPECT_EQ(s->AutoCue(), 0);
  EXPECT_EQ(s->CueHeight(), 16);  // the inner height at load time
  // CueWidth reads 50, but the plain style's first paint sizes the cue from the range.
  EXPECT_EQ(s->CueWidth(), 1);  // 154 \ 100
  EXPECT_EQ(s->ForeColor(), 255u);
  EXPECT_EQ(s->MousePointer(), 0);
  EXPECT_TRUE(s->Picture().path.isEmpty());
  host::PropertyBag keepCue;
  keepCue.WriteProperty(QStringLiteral("AutoCue"), std::int32_t{1});
  s->load(&keepCue);
  EXPECT_EQ(s->CueWidth(), 50);
}

TEST(HSliderBarTest, WritesANewInstanceLeavingOutDefaults) {
  auto s = newSlider();
  host::PropertyBag bag;
  s->WriteProperties(bag);
  // A new instance: light grey background, no border, an 11 x 14 dark red cue.
  EXPECT_EQ(bag.keys().size(), 11u);
  for (const char* key : {"Max", "Min", "Value", "Enabled", "Style", "AutoCue", "MousePointer"})
    EXPECT_FALSE(bag.contains(QString::fromLatin1(key))) << key;
  EXPECT_EQ(bag.readLong(QStringLiteral("forecolor"), 0), 0xC0);
  EXPECT_EQ(bag.readSingle(QStringLiteral("cuewidth"), 0), 11.0f);
}

TEST(HSliderBarTest, EveryPropertyComesBackFromItsBag) {
  auto s = newSlider();
  s->Min(-20);
  s->Max(300);
  s->value(-7);
  s->Style(1);
  s->AutoCue(3);
  s->CueWidth(12);
  s->CueHeight(9);
  s->BorderStyle(1);
  s->MousePointer(99);
  s->Picture(host::PictureRef{QStringLiteral(":/sliders/rgb_track.png")});
  s->PictureCueDown(host::PictureRef{QStringLiteral(":/sliders/cue_down.png")});
  s->Enabled(false);
  host::PropertyBag bag;
  s->WriteProperties(bag);
  auto back = std::make_unique<HSliderBar>(nullptr);
  back->load(&bag);
  EXPECT_EQ(back->Min(), -20);
  EXPECT_EQ(back->Max(), 300);
  EXPECT_EQ(back->value(), -7);
  EXPECT_EQ(back->Style(), 1);
  EXPECT_EQ(back->AutoCue(), 3);
  EXPECT_EQ(back->CueWidth(), 12);
  EXPECT_EQ(back->CueHeight(), 9);
  EXPECT_EQ(back->BorderStyle(), 1);
  EXPECT_EQ(back->MousePointer(), 99);
  EXPECT_EQ(back->Picture(), s->Picture());
  EXPECT_EQ(back->PictureCueDown(), s->PictureCueDown());
  EXPECT_FALSE(back->Enabled());
  EXPECT_TRUE(bag.problems().empty());
}

// Both colors are written with the defaults they are read with, so every value survives a save
// and load; a background of &H00FF0000& and a cue color of 2 used to come back changed.
TEST(HSliderBarTest, BothColorsRoundTripExactly) {
  for (const host::ColorRef color : {0x00FF0000u, 2u, 1u, 255u, 0u, 0xE0E0E0u, 0x80000005u}) {
    auto s = newSlider();
    s->BackColor(color);
    s->ForeColor(color);
    host::PropertyBag bag;
    s->WriteProperties(bag);
    auto back = std::make_unique<HSliderBar>(nullptr);
    back->load(&bag);
    EXPECT_EQ(back->BackColor(), color) << std::hex << color;
    EXPECT_EQ(back->ForeColor(), color) << std::hex << color;
  }
}

TEST(HSliderBarTest, StoredValuesAreTakenAsTheyAreAndBadOnesFallBackQuietly) {
  const host::FormData data = host::FormData::parse(QStringLiteral(
      "[a]\nmax = 255\nvalue = 500\n"
      "[b]\nmax = \"lots\"\nborderstyle = 70000\npicture = Picture(\":/no/such.png\")\n"
      "cuewidth = 10.5\ncueheight = 13.5\nautocue = 1\n"));
  auto a = std::make_unique<HSliderBar>(nullptr);
  a->load(data.bagFor(QStringLiteral("a")));
  EXPECT_EQ(a->value(), 500);  // unchecked against Max
  auto b = std::make_unique<HSliderBar>(nullptr);
  b->load(data.bagFor(QStringLiteral("b")));
  EXPECT_EQ(b->Max(), 100);
  EXPECT_EQ(b->BorderStyle(), 1);
  EXPECT_EQ(b->Picture().path, QStringLiteral(":/no/such.png"));  // kept, drawn as no picture
  EXPECT_EQ(b->CueWidth(), 10);                                   // read rounded half to even
  EXPECT_EQ(b->CueHeight(), 14);
  b->BorderStyle(0x10000);  // the surface keeps the low 16 bits
  EXPECT_EQ(b->BorderStyle(), 0);
  b->MousePointer(0xFFFF);
  EXPECT_EQ(b->MousePointer(), -1);
  EXPECT_EQ(data.bagFor(QStringLiteral("b"))->problems().size(), 3u);
}

// An absurd stored size (found by fuzzing: gigabytes of surface for the cue) is drawn within the
// surfaces' limit.
TEST(HSliderBarTest, AnAbsurdStoredSizeStaysWithinTheSurfaceLimit) {
  const host::FormData data = host::FormData::parse(QStringLiteral(
      "[a]\n_extentx = 2147483647\n_extenty = 370\ncuewidth = 1e30\ncueheight = 1e30\n"));
  auto a = std::make_unique<HSliderBar>(nullptr);
  a->load(data.bagFor(QStringLiteral("a")));
  a->Refresh();
  EXPECT_LE(a->buffer().width(), host::kMaxSurface);
  EXPECT_LE(a->Cue().buffer().width(), host::kMaxSurface);
  EXPECT_LE(a->Cue().buffer().height(), host::kMaxSurface);
}

}  // namespace
