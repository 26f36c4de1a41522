// The mixer panel's arithmetic: what it shows for a color, the shade step, the match window.
#include <gtest/gtest.h>

#include <string>

#include "mixer/MixerModel.h"

namespace {

using MixerModel::View;

struct OpenCase {
  const char* what;
  const char* hexBox;  // the picker's "#:" box
  int R, G, B, shade;
};

class Opening : public ::testing::TestWithParam<OpenCase> {};

TEST_P(Opening, SetsTheSlidersToTheFrozenColor) {
  const OpenCase& c = GetParam();
  const View v = MixerModel::viewOf(MixerModel::colorFromHexText(c.hexBox));
  EXPECT_EQ((std::array{v.R, v.G, v.B, v.shade}), (std::array{c.R, c.G, c.B, c.shade}));
}

INSTANTIATE_TEST_SUITE_P(Designed, Opening,
                         ::testing::Values(OpenCase{"orange", "FF8000", 255, 128, 0, 128},
                                           OpenCase{"black", "000000", 0, 0, 0, 0},
                                           OpenCase{"white", "FFFFFF", 255, 255, 255, 255},
                                           OpenCase{"smallBlue", "010205", 1, 2, 5, 3},
                                           // Before the first sample the box holds its design text:
                                           // no channel there is hex.
                                           OpenCase{"designText", "txt_Hex", 0, 0, 0, 0}),
                         [](const auto& param_info) { return std::string(param_info.param.what); });

TEST(MixerModelTest, AChannelBoxAlreadyShowingTheValueIsLeftAlone) {
  EXPECT_EQ(MixerModel::channelBoxText("12", 12), std::nullopt);
  EXPECT_EQ(MixerModel::channelBoxText("5", 5), std::nullopt);        // plain decimal: untouched
  EXPECT_EQ(MixerModel::channelBoxText("05", 5), std::string("05"));  // rewritten, caret to end
  EXPECT_EQ(MixerModel::channelBoxText("00", 0), std::string("00"));
  EXPECT_EQ(MixerModel::channelBoxText("255", 254), std::string("254"));
}

TEST(MixerModelTest, ShadeStepsMoveEveryChannelByTheDistanceAndClamp) {
  // The worked example: 250, 10, 10 opens with the shade at 90; dragged to 100 the red channel
  // clamps, and the shade slider is put back to the new mean, 295 / 3 = 98.33.
  const View opened = MixerModel::viewOf(host::RGB(250, 10, 10));
  ASSERT_EQ(opened.shade, 90);
  const host::ColorRef lighter = MixerModel::shadeStep(250, 10, 10, 100, 90);
  EXPECT_EQ(lighter, host::RGB(255, 20, 20));
  EXPECT_EQ(MixerModel::viewOf(lighter).shade, 98);
  // Darker past zero: clamped channels change the hue.
  EXPECT_EQ(MixerModel::shadeStep(200, 100, 30, 40, 90), host::RGB(150, 50, 0));
  // A red slider moved from FF8000 to 0 puts the shade at 43; the next shade step of 10 moves
  // every channel by 10, not by the distance from the opening shade of 128.
  const View moved = MixerModel::viewOf(host::RGB(0, 128, 0));
  ASSERT_EQ(moved.shade, 43);
  EXPECT_EQ(MixerModel::shadeStep(0, 128, 0, 53, static_cast<std::int16_t>(moved.shade)),
            host::RGB(10, 138, 10));
}

TEST(MixerModelTest, TheMatchWindowLiesThirtyTwipsInsideTheSwatch) {
  const host::TwipsRect swatch{75, 105, 915, 795};
  // 15 twips per pixel (96 DPI): two pixels in from each edge.
  const host::TwipsRect at96 = MixerModel::matchWindowRect(345, 140, swatch, 15, 15);
  EXPECT_EQ(at96.left, 5280);
  EXPECT_EQ(at96.top, 2235);
  EXPECT_EQ(at96.width, 855);
  EXPECT_EQ(at96.height, 735);
  // 12 twips per pixel (120 DPI, 125 %) and 9.6 (150 DPI): rounded half to even.
  const host::TwipsRect at120 = MixerModel::matchWindowRect(345, 140, swatch, 12, 12);
  EXPECT_EQ(at120.left, 4245);
  EXPECT_EQ(at120.top, 1815);
  const host::TwipsRect at150 = MixerModel::matchWindowRect(345, 141, swatch, 9.6, 9.6);
  EXPECT_EQ(at150.left, 3417);  // 3312 + 105 = 3417
  EXPECT_EQ(at150.top, 1489);   // 1353.6 + 135 = 1488.6
}

}  // namespace
