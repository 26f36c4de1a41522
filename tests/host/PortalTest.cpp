// The portal's parts that need no desktop.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <functional>
#include <limits>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "host/screen/portal/PortalFrame.h"
#include "host/screen/portal/PortalReply.h"
#include "host/screen/portal/PortalToken.h"

using namespace host;
using namespace host::portal;
using T = Value::Type;
using enum Request;
namespace fs = std::filesystem;

namespace {

const std::string kToken = "5b6c4bc2-1e4f-4f6a-9d55-0c2f3e1b7a10";

// The screen-cast stream's arithmetic: frame bytes to colors in each negotiated byte order,
// padded rows, frames that do not fit their memory, blocks cut at the frame's edges, frame pixels
// to desktop pixels on offset and scaled outputs, and the stored restore token.

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
  EXPECT_EQ(parseRestoreToken(kToken + "\n"), kToken);
  EXPECT_EQ(parseRestoreToken(std::string(256, 'a')), std::string(256, 'a'));
  using namespace std::string_view_literals;
  const std::string tooLong(257, 'a');
  for (const std::string_view bad : {""sv, "\n"sv, "abc\n\n"sv, "abc\ndef"sv, "a b"sv, "abc\r\n"sv,
                                     "\x01\xff"sv, "ab\0c"sv, std::string_view(tooLong)}) {
    EXPECT_FALSE(parseRestoreToken(bad).has_value()) << bad;
  }
}

// The portal's answers read from value trees as the bus carries them: the shapes shipped portals
// send, the shapes misbehaving ones have sent (each of which once crashed or stalled the
// program), and refusals, whose results are not read.

using Entries = std::vector<std::pair<std::string, Value>>;

Value u(std::int64_t n) {
  return Value::of(T::UInt32, n);
}
Value i(std::int64_t n) {
  return Value::of(T::Int32, n);
}
Value s(std::string text) {
  return Value::string(T::String, std::move(text));
}
Value pairOf(int a, int b) {
  return Value::structure({i(a), i(b)});
}
// One stream as the portal shares it, (u a{sv}), and the a(ua{sv}) of them.
Value stream(std::int64_t node, Entries props) {
  return Value::structure({u(node), Value::dict(std::move(props))});
}
Value streams(std::vector<Value> items) {
  return Value::array("(ua{sv})", std::move(items));
}

const std::string kSession = "/org/freedesktop/portal/desktop/session/1_42/tintwell7";

// An answer in one line: its code, then what it carries.
std::string describe(const Answer& a) {
  std::string out = std::to_string(a.response);
  if (!a.sessionHandle.empty()) out += " session " + a.sessionHandle;
  if (a.restoreToken) out += " token " + *a.restoreToken;
  if (!a.monitor) return out;
  out += " node " + std::to_string(a.monitor->node);
  if (const auto& p = a.monitor->position) {
    out += " at " + std::to_string(p->x) + "," + std::to_string(p->y);
  }
  if (const auto& z = a.monitor->size) {
    out += " size " + std::to_string(z->width) + "x" + std::to_string(z->height);
  }
  return out;
}

struct Grant {
  const char* what;
  Request request;
  Entries results;
  std::optional<std::string> answer = std::nullopt;  // described; none: unreadable
};

Grant grant(const char* what, Request request, Entries results,
            std::optional<std::string> answer = std::nullopt) {
  return {what, request, std::move(results), std::move(answer)};
}

class Grants : public ::testing::TestWithParam<Grant> {};

TEST_P(Grants, GiveTheSessionOrTheFirstMonitorOrSayWhyNot) {
  const Grant& c = GetParam();
  const ReadAnswer read = readResponse(c.request, {u(0), Value::dict(c.results)});
  EXPECT_EQ(read.answer ? std::optional(describe(*read.answer)) : std::nullopt, c.answer)
      << read.reason;
  EXPECT_EQ(read.reason.empty(), read.answer.has_value());  // a reason for each refusal to read
}

const Entries kMonitorProps = {
    {"position", pairOf(1920, -40)}, {"size", pairOf(1280, 720)}, {"source_type", u(1)}};

// A Start answer sharing one stream of node 42 with these properties.
Entries oneStream(Entries props) {
  return {{"streams", streams({stream(42, std::move(props))})}};
}

INSTANTIATE_TEST_SUITE_P(
    AnyRequest, Grants,
    ::testing::Values(
        grant("session_string", CreateSession, {{"session_handle", s(kSession)}},
              "0 session " + kSession),
        grant("session_object_path", CreateSession,
              {{"session_handle", Value::string(T::ObjectPath, kSession)}},
              "0 session " + kSession),
        grant("session_number", CreateSession, {{"session_handle", u(7)}}),
        grant("session_no_object_path", CreateSession, {{"session_handle", s("session 7")}}),
        grant("session_missing", CreateSession, {{"other", s(kSession)}}),
        // A grant of SelectSources carries nothing this program reads.
        grant("select_sources", SelectSources, {{"streams", u(3)}}, "0"),
        grant("shipped", Start,
              {{"streams", streams({stream(42, kMonitorProps)})}, {"restore_token", s(kToken)}},
              "0 token " + kToken + " node 42 at 1920,-40 size 1280x720"),
        // Older portals say nothing but the node: the stream is placed at the origin, unscaled.
        grant("node_alone", Start, oneStream({}), "0 node 42"),
        grant("window_before_monitor", Start,
              {{"streams",
                streams({stream(5, {{"source_type", u(2)}}), stream(6, {{"source_type", u(1)}})})}},
              "0 node 6"),
        grant("no_streams", Start, {}, "0"),
        grant("no_monitor", Start, oneStream({{"source_type", u(2)}}), "0"),
        grant("token_unusable", Start,
              {{"streams", streams({stream(7, {})})}, {"restore_token", s("two\nlines")}},
              "0 node 7"),
        grant("streams_of_string_arrays", Start,
              {{"streams",
                Value::array("(uas)", {Value::structure({u(42), Value::array("s", {s("x")})})})}}),
        grant("streams_with_a_struct_for_the_node", Start,
              {{"streams",
                Value::array("((u)a{sv})", {Value::structure({Value::structure({u(42)}),
                                                              Value::dict(kMonitorProps)})})}}),
        grant("empty_streams_of_another_type", Start, {{"streams", Value::array("(uas)", {})}}),
        grant("position_of_a_dict_and_an_int", Start,
              oneStream({{"position", Value::structure({Value::dict({}), i(0)})}})),
        grant("size_unsigned", Start, oneStream({{"size", Value::structure({u(1), u(1)})}})),
        grant("source_type_a_string", Start, oneStream({{"source_type", s("monitor")}})),
        grant("token_a_number", Start, {{"restore_token", u(5)}}),
        // Only a bus that lies about its own types could send it: an element of another type
        // than its array's.
        grant("array_unlike_its_elements", Start, {{"streams", Value::array("(ua{sv})", {u(1)})}})),
    [](const auto& p) { return std::string(p.param.what); });

struct ResponseCase {
  const char* what;
  std::vector<Value> arguments;
  std::optional<std::uint32_t> response;  // none: unreadable
};

class Responses : public ::testing::TestWithParam<ResponseCase> {};

TEST_P(Responses, CarryACodeAndResultsAndARefusalsResultsAreNotRead) {
  const ResponseCase& c = GetParam();
  for (const Request r : {CreateSession, SelectSources, Start}) {
    const ReadAnswer read = readResponse(r, c.arguments);
    ASSERT_EQ(read.answer.has_value(), c.response.has_value()) << read.reason;
    if (c.response) {
      EXPECT_EQ(read.answer->response, *c.response);
    } else {
      EXPECT_NE(read.reason.find("Response"), std::string::npos) << read.reason;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    AnyRequest, Responses,
    ::testing::Values(
        ResponseCase{"declined", {u(1), Value::dict({})}, 1u},
        ResponseCase{
            "refused_with_unreadable_results",
            {u(2), Value::dict({{"session_handle", u(1)}, {"streams", Value::array("(uas)", {})}})},
            2u},
        ResponseCase{"code_a_string", {s("0"), Value::dict({})}, std::nullopt},
        ResponseCase{"code_alone", {u(0)}, std::nullopt},
        ResponseCase{"results_of_strings", {u(0), Value::array("{ss}", {})}, std::nullopt},
        ResponseCase{"an_argument_more", {u(0), Value::dict({}), u(0)}, std::nullopt}),
    [](const auto& p) { return std::string(p.param.what); });

// The Screenshot portal's answer to PickColor: a color only from three numbers within 0..1.

Value d(double v) {
  Value x = Value::of(T::Double, 0);
  x.real = v;
  return x;
}
Value colorOf(double r, double g, double b) {
  return Value::structure({d(r), d(g), d(b)});
}

struct PickCase {
  const char* what;
  std::vector<Value> arguments;
  std::optional<std::pair<std::uint32_t, host::ColorRef>> answer;  // none: unreadable
};

class PickAnswers : public ::testing::TestWithParam<PickCase> {};

TEST_P(PickAnswers, GiveTheColorOrTheCodeOrSayWhyNot) {
  const PickCase& c = GetParam();
  const ReadPick read = readPickResponse(c.arguments);
  ASSERT_EQ(read.answer.has_value(), c.answer.has_value()) << read.reason;
  EXPECT_EQ(read.reason.empty(), read.answer.has_value());
  if (c.answer) {
    EXPECT_EQ(std::pair(read.answer->response, read.answer->color), *c.answer);
  }
}

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

INSTANTIATE_TEST_SUITE_P(
    PickColor, PickAnswers,
    ::testing::Values(
        PickCase{"orange",
                 {u(0), Value::dict({{"color", colorOf(1, 128 / 255.0, 0)}})},
                 std::pair(0u, host::RGB(255, 128, 0))},
        PickCase{"nearest_of_255",
                 {u(0), Value::dict({{"color", colorOf(0.5, 0.0019, 0.998)}, {"x", s("y")}})},
                 std::pair(0u, host::RGB(128, 0, 254))},
        PickCase{"cancelled", {u(1), Value::dict({})}, std::pair(1u, host::ColorRef{0})},
        PickCase{"refused_with_a_bad_color",
                 {u(2), Value::dict({{"color", s("red")}})},
                 std::pair(2u, host::ColorRef{0})},
        PickCase{"no_color", {u(0), Value::dict({})}, std::nullopt},
        PickCase{"color_of_integers",
                 {u(0), Value::dict({{"color", Value::structure({i(1), i(0), i(0)})}})},
                 std::nullopt},
        PickCase{"color_of_four",
                 {u(0), Value::dict({{"color", Value::structure({d(1), d(0), d(0), d(1)})}})},
                 std::nullopt},
        PickCase{"color_an_array",
                 {u(0), Value::dict({{"color", Value::array("d", {d(1)})}})},
                 std::nullopt},
        PickCase{
            "above_one", {u(0), Value::dict({{"color", colorOf(0, 1.0001, 0)}})}, std::nullopt},
        PickCase{
            "below_zero", {u(0), Value::dict({{"color", colorOf(0, 0, -0.01)}})}, std::nullopt},
        PickCase{
            "not_a_number", {u(0), Value::dict({{"color", colorOf(kNaN, 0, 0)}})}, std::nullopt},
        PickCase{"infinite",
                 {u(0),
                  Value::dict({{"color", colorOf(0, std::numeric_limits<double>::infinity(), 0)}})},
                 std::nullopt},
        PickCase{"code_alone", {u(0)}, std::nullopt}),
    [](const auto& p) { return std::string(p.param.what); });

// The restore token's file, in a temporary folder: read only from a regular file, kept private,
// written whole, and whatever else is at its path (a link, a FIFO, a folder) neither followed
// nor waited on nor written through.

class TokenFile : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string t = (fs::temp_directory_path() / "tw-token-XXXXXX").string();
    ASSERT_NE(::mkdtemp(t.data()), nullptr);
    dir = t;
    path = dir + "/tintwell/portal-restore-token";
  }
  void TearDown() override { fs::remove_all(dir); }

  static std::string contents(const std::string& file) {
    std::ostringstream text;
    text << std::ifstream(file, std::ios::binary).rdbuf();
    return text.str();
  }

  std::string dir;
  std::string path;
};

struct AtThePath {
  const char* what;
  std::function<void(const std::string& path, const std::string& dir)> make;
  bool isToken;
  bool replaced;  // by a write of a new token
};

const AtThePath kAtThePath[] = {
    {"a regular file", [](auto& p, auto&) { std::ofstream(p) << kToken << "\n"; }, true, true},
    {"nothing", [](auto&, auto&) {}, false, true},
    {"a link to a token file",
     [](auto& p, auto& d) {
       std::ofstream(d + "/elsewhere") << kToken << "\n";
       fs::create_symlink(d + "/elsewhere", p);
     },
     false, false},
    // Opened without O_NONBLOCK, a FIFO without a writer would hold the start for ever.
    {"a FIFO", [](auto& p, auto&) { ASSERT_EQ(::mkfifo(p.c_str(), 0600), 0); }, false, false},
    {"a folder", [](auto& p, auto&) { fs::create_directory(p); }, false, false},
    {"a file over 4 KiB",
     [](auto& p, auto&) { std::ofstream(p) << kToken << "\n"
                                           << std::string(5000, 'x'); }, false,
     true},
};

TEST_F(TokenFile, IsWrittenPrivateInPrivateFoldersAndLeavesNothingElse) {
  // A folder and file open to all, as an earlier version left them, are made private on the next
  // write.
  ASSERT_TRUE(writeTokenFile(path, kToken));
  ASSERT_EQ(::chmod((dir + "/tintwell").c_str(), 0755), 0);
  ASSERT_EQ(::chmod(path.c_str(), 0644), 0);
  ASSERT_TRUE(writeTokenFile(path, "second-token"));
  EXPECT_EQ(fs::symlink_status(dir + "/tintwell").permissions(), fs::perms::owner_all);
  EXPECT_EQ(fs::symlink_status(path).permissions(), fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_EQ(contents(path), "second-token\n");
  // No temporary file is left beside it.
  EXPECT_EQ(std::distance(fs::directory_iterator(dir + "/tintwell"), fs::directory_iterator()), 1);

  EXPECT_FALSE(writeTokenFile(path, "two\nlines"));
  EXPECT_EQ(contents(path), "second-token\n");

  forgetTokenFile(path);
  EXPECT_FALSE(fs::exists(fs::symlink_status(path)));
}

TEST_F(TokenFile, IsReadFromARegularFileAloneAndNeverWaitedOnNorWrittenThrough) {
  for (const AtThePath& c : kAtThePath) {
    SCOPED_TRACE(c.what);
    fs::remove_all(dir);
    fs::create_directories(dir + "/tintwell");
    c.make(path, dir);
    EXPECT_EQ(readTokenFile(path), c.isToken ? std::optional(kToken) : std::nullopt);
    const fs::file_type before = fs::symlink_status(path).type();
    EXPECT_EQ(writeTokenFile(path, "new-token"), c.replaced);
    if (c.replaced) {
      EXPECT_EQ(readTokenFile(path), "new-token");
      continue;
    }
    EXPECT_EQ(fs::symlink_status(path).type(), before);
    forgetTokenFile(path);
    EXPECT_EQ(fs::symlink_status(path).type(), before);
    if (before == fs::file_type::symlink) {
      EXPECT_EQ(contents(dir + "/elsewhere"), kToken + "\n");
    }
  }
}

}  // namespace
