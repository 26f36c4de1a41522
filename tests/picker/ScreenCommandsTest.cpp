// --at's read of one point: from the primary monitor's corner, at once where the source reads at
// once, and where the desktop must first share the screen, waiting until it does, gives up, or the
// time runs out.
#include <gtest/gtest.h>

#include <QElapsedTimer>

#include "host/screen/ScreenSource.h"
#include "picker/ScreenCommands.h"

namespace {

// A desktop whose one monitor (the primary) lies at 100,50, 200 x 100, and whose pixels read
// only from the `grantedAfter`-th read on; one that declines gives up after two reads.
class AskingSource final : public host::ScreenSource {
 public:
  AskingSource(int grantedAfter, bool declines, bool asks)
      : m_grantedAfter(grantedAfter), m_declines(declines), m_asks(asks) {}
  QPoint cursorPos() override { return {}; }
  QImage grab(const QRect&) override { return {}; }
  QRect primaryGeometry() override { return kMonitor; }
  std::optional<QRect> screenGeometryAt(QPoint p) override {
    return kMonitor.contains(p) ? std::optional(kMonitor) : std::nullopt;
  }
  host::ColorRef pixel(QPoint p) override {
    if (++m_reads < m_grantedAfter || m_declines) return host::kInvalidColor;
    return host::RGB(p.x() - kMonitor.x(), p.y() - kMonitor.y(), 7);
  }
  bool mayHaveNotice() const override { return m_asks; }
  QString notice() const override { return m_declines ? QStringLiteral("declined") : QString(); }
  bool gaveUp() const override { return m_declines && m_reads >= 2; }

 private:
  static constexpr QRect kMonitor{100, 50, 200, 100};
  int m_reads = 0;
  int m_grantedAfter;
  bool m_declines;
  bool m_asks;
};

struct Case {
  const char* what;
  int grantedAfter;
  bool declines;
  bool asks;  // the source may have to ask first (it waits), or reads at once
  QPoint at;
  int status;
  host::ColorRef color;
  const char* why;  // the start of the line for stderr
  bool waitsItOut;  // the whole wait passes
};

class ReadAt : public ::testing::TestWithParam<Case> {};

TEST_P(ReadAt, ReadsFromThePrimarysCornerWaitingOnlyForADesktopThatMayStillShare) {
  const Case& c = GetParam();
  AskingSource screen(c.grantedAfter, c.declines, c.asks);
  constexpr int kWaitMs = 300;
  QElapsedTimer took;
  took.start();
  const ScreenCommands::Reading read = ScreenCommands::readAt(screen, c.at, kWaitMs);
  EXPECT_EQ(read.status, c.status) << read.why.toStdString();
  EXPECT_EQ(read.color, c.color);
  const QString why = QString::fromUtf8(c.why);
  EXPECT_TRUE(why.isEmpty() ? read.why.isEmpty() : read.why.startsWith(why))
      << read.why.toStdString();
  EXPECT_EQ(took.elapsed() >= kWaitMs, c.waitsItOut) << took.elapsed() << " ms";
}

using CommandLine::kNoMonitor;
using CommandLine::kPicked;
using CommandLine::kUnreadable;

INSTANTIATE_TEST_SUITE_P(
    Table, ReadAt,
    ::testing::Values(
        Case{"atOnce", 0, false, false, {30, 20}, kPicked, host::RGB(30, 20, 7), "", false},
        Case{"farCorner", 0, false, true, {199, 99}, kPicked, host::RGB(199, 99, 7), "", false},
        Case{"offTheMonitor",
             0,
             false,
             true,
             {200, 0},
             kNoMonitor,
             0,
             "no monitor shows the "
             "point 200,0",
             false},
        Case{"leftOfIt", 0, false, true, {-1, 0}, kNoMonitor, 0, "no monitor", false},
        Case{"unreadableAtOnce",
             3,
             false,
             false,
             {1, 1},
             kUnreadable,
             0,
             "the screen cannot be read",
             false},
        Case{"sharedAfterAWhile", 4, false, true, {1, 2}, kPicked, host::RGB(1, 2, 7), "", false},
        Case{"declined",
             0,
             true,
             true,
             {1, 1},
             kUnreadable,
             0,
             "the screen cannot be read (declined)",
             false},
        Case{"neverShared",
             1000000,
             false,
             true,
             {1, 1},
             kUnreadable,
             0,
             "the screen cannot be read (no picture came from the desktop in 1 s)",
             true}),
    [](const auto& param_info) { return std::string(param_info.param.what); });

}  // namespace
