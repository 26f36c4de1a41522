// The slider's painter: track tiles and cue per drawing state and value in picture style, the
// cue box in plain style, and what it does with equal bounds and missing pictures.
#include "SliderFixture.h"

namespace {

using namespace slidertest;

struct PlacementCase {
  std::int32_t value;
  int cueFrom, cueTo;  // the columns the cue covers
};

class CuePlacement : public SliderTest, public ::testing::WithParamInterface<PlacementCase> {};

TEST_P(CuePlacement, TheCueCoversItsColumnsOverTheTiledTrack) {
  const PlacementCase c = GetParam();
  make({158, 30}).value(c.value);  // as high as the track picture from the first paint
  EXPECT_EQ(pixel(c.cueFrom), kCue);
  EXPECT_EQ(pixel(c.cueTo), kCue);
  if (c.cueFrom > 0) {
    EXPECT_EQ(pixel(c.cueFrom - 1), c.cueFrom == 1 ? kMarker : kTrack);
  }
  if (c.cueTo < 157) {
    EXPECT_EQ(pixel(c.cueTo + 1), kTrack);
    // The 157-pixel track is tiled again from x = 157, the slider's last column.
    EXPECT_EQ(pixel(157), kMarker);
  }
  EXPECT_EQ(slider->height(), 14);
}

// 148 pixels for 255 units: 128 puts the left edge at 74.29, drawn from column 74.
INSTANTIATE_TEST_SUITE_P(Values, CuePlacement,
                         ::testing::Values(PlacementCase{0, 0, 9}, PlacementCase{128, 74, 83},
                                           PlacementCase{255, 148, 157}, PlacementCase{2, 1, 10}));

using SliderPaintTest = SliderTest;

TEST_F(SliderPaintTest, EachStateDrawsItsTrackAndCue) {
  make();  // value 0: the cue covers columns 0..9
  const struct {
    const char* what;
    std::function<void()> act;
    QRgb track, cue;
  } steps[] = {
      {"pointer in", [&] { under = slider, move(50); }, kTrackOver, kCueOver},
      {"press on the cue", [&] { press(5); }, kTrackOver, kCueDown},
      {"release on the cue", [&] { release(5); }, kTrackOver, kCueOver},
      {"press on the track", [&] { press(60); }, kTrackOver, kCueOver},
      {"release elsewhere", [&] { under = nullptr, release(200); }, kTrack, kCue},
  };
  for (const auto& s : steps) {
    s.act();
    EXPECT_EQ(pixel(100), s.track) << s.what;
    EXPECT_EQ(pixel(static_cast<int>(slider->cueGeometry().left) + 5), s.cue) << s.what;
  }
}

TEST_F(SliderPaintTest, APictureCueShorterThanTheSliderIsCentred) {
  bag.WriteProperty(QStringLiteral("cueheight"), std::int32_t{10});
  make();
  EXPECT_EQ(slider->cueGeometry().top, 2.0f);
  EXPECT_EQ(pixel(3, 1), kTrack);
  EXPECT_EQ(pixel(3, 2), kCue);
  EXPECT_EQ(pixel(3, 11), kCue);
  EXPECT_EQ(pixel(3, 12), kTrack);
}

TEST_F(SliderPaintTest, MissingPicturesLeaveTheBackgroundAndNoCue) {
  bag.WriteProperty(QStringLiteral("picture"), host::PictureRef{});
  bag.WriteProperty(QStringLiteral("picturecue"), host::PictureRef{});
  make();
  EXPECT_EQ(pixel(100), kBack);
  EXPECT_EQ(pixel(3), kBack);
  EXPECT_FALSE(slider->Cue().isVisible());
}

TEST_F(SliderPaintTest, EqualBoundsStillPaintAndLeaveTheCueWhereItWas) {
  bag.WriteProperty(QStringLiteral("max"), std::int32_t{5});
  bag.WriteProperty(QStringLiteral("min"), std::int32_t{5});
  make();
  slider->resize(170, 14);
  slider->Refresh();
  EXPECT_EQ(pixel(100), kTrack);
  // Where the new control's cue box was laid out: 9 pixels from the left.
  EXPECT_EQ(slider->cueGeometry().left, 9.0f);
  EXPECT_EQ(pixel(9), kCue);
  EXPECT_EQ(pixel(8), kTrack);
}

TEST_F(SliderPaintTest, AResizeToTheCuesWidthDoesNotRepaint) {
  bag.WriteProperty(QStringLiteral("picture"), host::PictureRef{});
  bag.WriteProperty(QStringLiteral("picturecue"), host::PictureRef{});
  make();
  slider->BackColor(0x00FF00);
  slider->resize(10, 14);
  EXPECT_EQ(pixel(5), kBack);
  slider->resize(12, 14);
  EXPECT_EQ(pixel(5), 0x00FF00u);
}

struct PlainCase {
  std::int32_t max, autoCue, value;
  QRect cue;  // the cue box in surface pixels
};

class PlainStyle : public SliderTest, public ::testing::WithParamInterface<PlainCase> {};

// The plain style shows the cue box itself, from the top; AutoCue 0 sizes it from the range
// (158 \ 10 = 15 and 158 \ 255 = 0 pixels wide, as high as the slider).
TEST_P(PlainStyle, ShowsTheCueBoxSizedAndPlaced) {
  const PlainCase c = GetParam();
  bag.WriteProperty(QStringLiteral("style"), std::int32_t{0});
  bag.WriteProperty(QStringLiteral("max"), c.max);
  bag.WriteProperty(QStringLiteral("autocue"), c.autoCue);
  bag.WriteProperty(QStringLiteral("cueheight"), std::int32_t{8});
  make().value(c.value);
  EXPECT_TRUE(slider->Cue().isVisible());
  EXPECT_EQ(slider->Cue().geometry(), c.cue);
}

INSTANTIATE_TEST_SUITE_P(Cases, PlainStyle,
                         ::testing::Values(PlainCase{10, 0, 10, {143, 0, 15, 14}},
                                           PlainCase{10, 0, 0, {0, 0, 15, 14}},
                                           PlainCase{255, 0, 255, {158, 0, 0, 14}},
                                           PlainCase{255, 1, 255, {148, 0, 10, 8}},
                                           PlainCase{255, 1, 128, {74, 0, 10, 8}}));

TEST_F(SliderPaintTest, ThePlainStyleKeepsTheLastTrackAndShowsTheCuesColor) {
  make().ForeColor(0x0000FF);  // red
  slider->Style(0);
  slider->Refresh();
  EXPECT_EQ(pixel(100), kTrack);  // nothing cleared the surface
  ASSERT_TRUE(slider->Cue().isVisible());
  // The box carries the last cue picture over its own color.
  EXPECT_EQ(slider->Cue().buffer().pixel(5, 7) & 0xFFFFFFu, kCue);
  slider->PictureCue(host::PictureRef{});  // repaints in plain style: the box keeps its picture
  EXPECT_EQ(slider->Cue().buffer().pixel(5, 7) & 0xFFFFFFu, kCue);
  slider->Style(1);
  slider->Refresh();  // an empty cue picture now
  slider->Style(0);
  slider->Refresh();
  EXPECT_EQ(slider->Cue().buffer().pixel(5, 7) & 0xFFFFFFu, 0xFF0000u);
}

}  // namespace
