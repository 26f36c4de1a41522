// The button's properties, palettes, color routines and persistence.
#include <gtest/gtest.h>

#include "controls/button/CandyButton.h"
#include "host/forms/PropertyBag.h"

namespace {

std::unique_ptr<CandyButton> button() {
  auto b = std::make_unique<CandyButton>(nullptr);
  b->setObjectName(QStringLiteral("btn_Test"));
  b->resize(110, 29);
  b->load(nullptr);
  b->clearPropertyChanges();
  return b;
}

std::vector<std::string> changes(const CandyButton& b) {
  std::vector<std::string> out;
  for (const QString& c : b.propertyChanges())
    out.push_back(c.toStdString());
  return out;
}

TEST(CandyButtonTest, ASchemeSetsFourColorsAndOneHandSetColorBreaksIt) {
  auto b = button();
  b->ColorScheme(7);
  EXPECT_EQ(b->ColorButtonUp(), 0x000080u);
  EXPECT_EQ(b->ColorButtonHover(), 0x0000A0u);
  EXPECT_EQ(b->ColorButtonDown(), 0x0000F0u);
  EXPECT_EQ(b->ColorBright(), 0x0253E8u);
  EXPECT_EQ(b->ColorScheme(), 7);
  b->clearPropertyChanges();
  b->ColorButtonUp(0x112233);
  EXPECT_EQ(b->ColorScheme(), 0);
  EXPECT_EQ(b->ColorButtonHover(), 0x0000A0u);
  EXPECT_EQ(changes(*b), (std::vector<std::string>{"m_ColorScheme", "m_ColorButtonUp"}));
}

TEST(CandyButtonTest, SchemesFourteenAndFifteenSetTheBrightColorFirst) {
  auto b = button();
  b->ColorScheme(14);
  EXPECT_EQ(changes(*b),
            (std::vector<std::string>{"m_ColorBright", "m_ColorButtonDown", "m_ColorButtonHover",
                                      "m_ColorButtonUp", "m_ColorScheme"}));
  EXPECT_EQ(b->ColorBright(), 0x7C4801u);
  EXPECT_EQ(b->ColorScheme(), 14);
}

TEST(CandyButtonTest, UnknownSchemesAreStoredWithoutTouchingColors) {
  auto b = button();
  b->ColorButtonUp(0x123456);
  for (const int scheme : {16, -3, 0}) {
    b->ColorScheme(scheme);
    EXPECT_EQ(b->ColorScheme(), scheme);
    EXPECT_EQ(b->ColorButtonUp(), 0x123456u);
  }
}

TEST(CandyButtonTest, BorderBrightnessIsClampedAndStyleTheSameIsANoOp) {
  auto b = button();
  b->BorderBrightness(250);
  EXPECT_EQ(b->BorderBrightness(), 100);
  b->BorderBrightness(-250);
  EXPECT_EQ(b->BorderBrightness(), -100);
  b->Style(3);
  b->clearPropertyChanges();
  b->Style(3);
  b->PictureAlignment(0);
  EXPECT_TRUE(b->propertyChanges().empty());
  b->Style(99);  // stored as given
  EXPECT_EQ(b->Style(), 99);
}

struct BlendCase {
  host::ColorRef c1, c2;
  std::int32_t pct, pctAfter;
  host::ColorRef out;
};

class BlendTable : public ::testing::TestWithParam<BlendCase> {};

TEST_P(BlendTable, TruncatesTowardZeroAndClampsThePercentage) {
  BlendCase c = GetParam();
  std::int32_t pct = c.pct;
  EXPECT_EQ(CandyButton::BlendColors(c.c1, c.c2, pct), c.out);
  EXPECT_EQ(pct, c.pctAfter);
}

INSTANTIATE_TEST_SUITE_P(Designed, BlendTable,
                         ::testing::Values(BlendCase{0x000000, 0x0000FF, 50, 50, 0x00007F},
                                           BlendCase{0x000000, 0x0000FF, 150, 100, 0x0000FF},
                                           BlendCase{0x0000FF, 0x000000, 33, 33, 0x0000AB},
                                           BlendCase{0x0000FF, 0x000000, -5, 0, 0x0000FF},
                                           BlendCase{0x10FF20, 0xF00030, 100, 100, 0xF00030}));

TEST(CandyButtonTest, CheckedPaintsCheckedEvenWhenDisabled) {
  auto b = button();
  b->Enabled(false);
  b->Checked(true);
  EXPECT_EQ(b->lastState(), CandyButton::Checked_);
  b->Redraw(CandyButton::Hot);
  EXPECT_EQ(b->lastState(), CandyButton::Checked_);
  b->Checked(false);
  EXPECT_EQ(b->lastState(), CandyButton::Normal);
}

TEST(CandyButtonTest, NothingIsPaintedBeforeThePropertiesAreLoaded) {
  CandyButton b(nullptr);
  b.Caption(QStringLiteral("x"));
  EXPECT_EQ(b.lastState(), -1);
  b.setUserMode(false);  // a designer's new instance gets the designer's defaults
  b.setObjectName(QStringLiteral("CandyButton1"));
  b.InitProperties();
  EXPECT_TRUE(b.ready());
  EXPECT_EQ(b.Caption(), QStringLiteral("CandyButton1"));
  EXPECT_EQ(b.ColorButtonHover(), 0xFFC090u);
  EXPECT_EQ(b.ColorScheme(), 0);
}

TEST(CandyButtonTest, SaveThenLoadRestoresEveryProperty) {
  auto a = button();
  a->ColorScheme(15);
  a->Caption(QStringLiteral("ColorMixer »»»"));
  a->Style(3);
  a->Checked(true);
  a->BorderBrightness(-40);
  a->CaptionHighLite(true);
  a->CaptionHighLiteColor(0xFFFFFF);
  a->ForeColor(0xE0E0E0);
  a->DisplayHand(true);
  a->Enabled(false);
  host::PropertyBag bag;
  a->WriteProperties(bag);
  EXPECT_FALSE(bag.contains(QStringLiteral("IconHighLite")));  // equal to its default
  EXPECT_TRUE(bag.contains(QStringLiteral("checked")));

  auto b = std::make_unique<CandyButton>(nullptr);
  b->load(&bag);
  EXPECT_EQ(b->Caption(), a->Caption());
  EXPECT_EQ(b->Style(), 3);
  EXPECT_TRUE(b->Checked());
  EXPECT_EQ(b->BorderBrightness(), -40);
  EXPECT_EQ(b->ColorScheme(), 15);
  EXPECT_EQ(b->ColorButtonUp(), a->ColorButtonUp());
  EXPECT_EQ(b->ColorBright(), a->ColorBright());
  EXPECT_TRUE(b->CaptionHighLite());
  EXPECT_EQ(b->CaptionHighLiteColor(), 0xFFFFFFu);
  EXPECT_EQ(b->ForeColor(), 0xE0E0E0u);
  EXPECT_EQ(b->drawColor(), 0xE0E0E0u);
  EXPECT_EQ(b->MousePointer(), 99);
  EXPECT_FALSE(b->Enabled());
  EXPECT_TRUE(b->ready());
}

TEST(CandyButtonTest, ABagWithoutCheckedKeepsTheCurrentValueAndDefaultsTheRest) {
  host::PropertyBag bag;
  bag.WriteProperty(QStringLiteral("Caption"), QStringLiteral("Go"));
  bag.WriteProperty(QStringLiteral("BorderBrightness"), std::int32_t{500});  // taken as stored
  CandyButton b(nullptr);
  b.Checked(true);
  b.load(&bag);
  EXPECT_TRUE(b.Checked());
  EXPECT_EQ(b.BorderBrightness(), 500);
  EXPECT_EQ(b.ColorButtonUp(), 0xE99950u);
  EXPECT_EQ(b.ColorButtonHover(), 0xFFC090u);
  EXPECT_EQ(b.CaptionHighLiteColor(), 0x00FF00u);
  EXPECT_EQ(b.MousePointer(), 1);
}

}  // namespace
