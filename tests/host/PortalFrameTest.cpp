// The screen-cast stream's arithmetic: frame bytes to colors in each negotiated byte order,
// padded rows, frames that do not fit their memory, blocks cut at the frame's edges, frame pixels
// to desktop pixels on offset and scaled outputs, and the stored restore token.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "host/screen/portal/PortalFrame.h"

using namespace host;
using namespace host::portal;

namespace {

// A byte order with its bytes named in memory order ("BGRx").
using Layout = std::pair<PixelOrder, std::string_view>;
const Layout kBGRx{PixelOrder::BGRx, "BGRx"};

// A 3 x 2 frame of known colors laid out as `layout`, rows padded to `stride` bytes with 0xEE.
struct Synthetic {
  static constexpr std::array<ColorRef, 6> colors = {RGB(255, 128, 0), RGB(0, 0, 255),
                                                     RGB(1, 2, 3),     RGB(128, 128, 128),
                                                     RGB(255, 0, 1),   RGB(0, 255, 255)};
  std::vector<std::uint8_t> bytes;
  FrameView view;
  Synthetic(Layout layout, int stride) : bytes(static_cast<std::size_t>(stride) * 2, 0xEE) {
    const auto byte = [](int v) { return static_cast<std::uint8_t>(v); };
    for (std::size_t i = 0; i < 6; ++i) {
      std::uint8_t* p = bytes.data() + (i / 3) * static_cast<std::size_t>(stride) + (i % 3) * 4;
      p[layout.second.find('R')] = byte(redOf(colors[i]));
      p[layout.second.find('G')] = byte(greenOf(colors[i]));
      p[layout.second.find('B')] = byte(blueOf(colors[i]));
      p[layout.second.find('x')] = 0x5A;  // padding or alpha: must not leak into the color
    }
    view = {bytes.data(), bytes.size(), 3, 2, stride, layout.first};
  }
};

class PixelOrders : public ::testing::TestWithParam<std::tuple<Layout, int>> {};

TEST_P(PixelOrders, EveryPixelAndBlockReadsItsColorWhateverTheOrderAndPadding) {
  const auto [layout, stride] = GetParam();
  const Synthetic s(layout, stride);
  for (int i = 0; i < 6; ++i)
    EXPECT_EQ(pixelOf(s.view, i % 3, i / 3), Synthetic::colors[static_cast<std::size_t>(i)]) << i;
  std::array<std::uint32_t, 6> block{};
  copyBlock(s.view, 0, 0, 3, 2, block.data(), 3);
  for (std::size_t i = 0; i < 6; ++i)
    EXPECT_EQ(block[i], 0xFF000000u | toRgb24(Synthetic::colors[i])) << i;
}

INSTANTIATE_TEST_SUITE_P(Formats, PixelOrders,
                         ::testing::Combine(::testing::Values(kBGRx,
                                                              Layout{PixelOrder::RGBx, "RGBx"},
                                                              Layout{PixelOrder::xRGB, "xRGB"},
                                                              Layout{PixelOrder::xBGR, "xBGR"}),
                                            ::testing::Values(12, 16, 64)));

TEST(PortalFrame, PointsAndBlocksOffTheFrameAndFramesThatDoNotFitTheirMemoryReadAsNoScreen) {
  Synthetic s(kBGRx, 16);
  for (const auto& [x, y] : {std::pair{-1, 0}, {0, -1}, {3, 0}, {0, 2}, {INT32_MIN, INT32_MAX}})
    EXPECT_EQ(pixelOf(s.view, x, y), kInvalidColor) << x << "," << y;
  // A 3 x 3 block at (-1, -1): its first row and column are off the frame, black.
  const std::uint32_t k = 0xFF000000u;
  const auto c = [](std::size_t i) { return 0xFF000000u | toRgb24(Synthetic::colors[i]); };
  std::array<std::uint32_t, 9> block{};
  copyBlock(s.view, -1, -1, 3, 3, block.data(), 3);
  EXPECT_EQ(block, (std::array<std::uint32_t, 9>{k, k, k, k, c(0), c(1), k, c(3), c(4)}));

  FrameView tight = s.view, shortBytes = s.view, narrow = s.view, tall = s.view;
  tight.bytes = 16 + 12;  // the last row needs only its pixels, not its padding
  EXPECT_EQ(pixelOf(tight, 2, 1), Synthetic::colors[5]);
  shortBytes.bytes = 16 + 11;  // one byte short of the last pixel
  narrow.stride = 8;           // narrower than a row
  tall.height = 3;             // more rows than the memory holds
  for (const FrameView& bad : {shortBytes, narrow, tall, FrameView{}})
    EXPECT_EQ(pixelOf(bad, 0, 0), kInvalidColor);
  block.fill(1);
  copyBlock(tall, 0, 0, 3, 3, block.data(), 3);
  EXPECT_EQ(block, (std::array<std::uint32_t, 9>{k, k, k, k, k, k, k, k, k}));
}

struct PlacementCase {
  const char* what;
  StreamPlacement placement;
  Point frame;
  Point desktop;
};

class Placements : public ::testing::TestWithParam<PlacementCase> {};

TEST_P(Placements, FramePixelsAreDesktopPixelsOneToOneAtAnyScale) {
  const PlacementCase& c = GetParam();
  SCOPED_TRACE(c.what);
  EXPECT_EQ(frameToDesktop(c.placement, c.frame), c.desktop);
  EXPECT_EQ(desktopToFrame(c.placement, c.desktop), c.frame);
  // Cursor metadata gives the hot spot's position; its offset in the bitmap plays no part.
  const auto pointer = pointerOnDesktop(c.placement, {7, c.frame.x, c.frame.y, 11, 13});
  ASSERT_TRUE(pointer.has_value());
  EXPECT_EQ(*pointer, c.desktop);
}

INSTANTIATE_TEST_SUITE_P(
    Outputs, Placements,
    ::testing::Values(
        PlacementCase{"size not given", {0, 0, 0, 0, 1280, 720}, {1279, 719}, {1279, 719}},
        PlacementCase{"right of another", {1920, 0, 1280, 720, 1280, 720}, {5, 6}, {1925, 6}},
        PlacementCase{
            "left of and above", {-1280, -720, 1280, 720, 1280, 720}, {0, 0}, {-1280, -720}},
        // Odd frame pixels of a scaled output are pixels of their own, not their logical
        // pixel's top-left one.
        PlacementCase{"scale 2, even", {100, 50, 640, 360, 1280, 720}, {600, 200}, {700, 250}},
        PlacementCase{"scale 2, odd", {100, 50, 640, 360, 1280, 720}, {601, 201}, {701, 251}},
        PlacementCase{"scale 1.5", {0, 0, 1280, 720, 1920, 1080}, {5, 5}, {5, 5}}));

TEST(PortalFrame, LogicalPointsScaleAboutTheStreamsCornerAndStayOffItWhenOff) {
  const StreamPlacement scale2{100, 50, 640, 360, 1280, 720};
  EXPECT_EQ(logicalToDesktop(scale2, {400, 150}), (Point{700, 250}));
  // One logical pixel left of and above the stream is outside it, not on its edge.
  EXPECT_EQ(logicalToDesktop(scale2, {99, 49}), (Point{98, 48}));
  const StreamPlacement scale15{0, 0, 1280, 720, 1920, 1080};
  EXPECT_EQ(logicalToDesktop(scale15, {3, 3}), (Point{4, 4}));  // 4.5 floors
  const StreamPlacement unknown{};                              // no format yet: unscaled
  EXPECT_EQ(logicalToDesktop(unknown, {10, 20}), (Point{10, 20}));
  // Metadata with id 0 carries no pointer.
  EXPECT_FALSE(pointerOnDesktop(scale2, {0, 600, 200, 0, 0}).has_value());
}

TEST(PortalFrame, AChunkIsReadOnlyWithinItsPlanesMappedBytes) {
  std::array<std::uint8_t, 64> mapped{};
  const std::uint8_t* m = mapped.data();
  struct Case {
    const char* what;
    Plane plane;
    std::ptrdiff_t start;  // from the mapped bytes' start; -1: no frame
    std::size_t size;
  };
  const Case cases[] = {
      {"whole", {m, 64, 0, 64, false}, 0, 64},
      {"inside", {m, 64, 8, 16, false}, 8, 16},
      {"past the end", {m, 64, 48, 64, false}, 48, 16},
      {"largest offset and size", {m, 64, 63, UINT32_MAX, false}, 63, 1},
      {"starts at the end", {m, 64, 64, 4, false}, -1, 0},
      {"starts beyond", {m, 64, UINT32_MAX, UINT32_MAX, false}, -1, 0},
      {"empty", {m, 64, 0, 0, false}, -1, 0},
      {"corrupted", {m, 64, 0, 64, true}, -1, 0},
      {"nothing mapped", {nullptr, 64, 0, 64, false}, -1, 0},
  };
  for (const Case& c : cases) {
    const auto bytes = chunkBytes(c.plane);
    ASSERT_EQ(bytes.has_value(), c.start >= 0) << c.what;
    if (!bytes) continue;
    EXPECT_EQ(bytes->data, m + c.start) << c.what;
    EXPECT_EQ(bytes->size, c.size) << c.what;
  }
}

TEST(PortalFrame, OnlyOneLineOfPrintableTextIsARestoreToken) {
  EXPECT_EQ(parseRestoreToken("3f1c0c9e-5d2a-4b7e-9a55-2b6f0d1e8c41\n"),
            "3f1c0c9e-5d2a-4b7e-9a55-2b6f0d1e8c41");
  EXPECT_EQ(parseRestoreToken("abc"), "abc");
  EXPECT_EQ(parseRestoreToken(std::string(256, 'a')), std::string(256, 'a'));
  using namespace std::string_view_literals;
  const std::string tooLong(257, 'a');
  for (const std::string_view bad : {""sv, "\n"sv, "abc\n\n"sv, "abc\ndef"sv, "a b"sv, "abc\r\n"sv,
                                     "\x01\xff"sv, "ab\0c"sv, std::string_view(tooLong)}) {
    EXPECT_FALSE(parseRestoreToken(bad).has_value()) << bad;
  }
}

}  // namespace
