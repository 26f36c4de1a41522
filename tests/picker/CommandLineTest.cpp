// The command line: help, version, the toolkit's own options, the commands that print a color
// (--at, --pick, --format, --copy), and anything else refused.
#include <gtest/gtest.h>

#include "picker/CommandLine.h"

namespace {

using CommandLine::Mode;

constexpr int kRuns = -1;

struct Case {
  const char* what;
  QStringList arguments;  // after the program's path
  int status;             // kRuns: the program goes on
  const char* textStart;
  Mode mode = Mode::Window;
  QPoint at{};
  const char* notations = "";  // the names read, joined by commas
  bool copy = false;
};

class CommandLineTable : public ::testing::TestWithParam<Case> {};

TEST_P(CommandLineTable, ReadsOnlyItsOwnOptions) {
  const Case& c = GetParam();
  const CommandLine::Outcome out = CommandLine::read(
      QStringList{QStringLiteral("/usr/bin/tintwell")} + c.arguments, QStringLiteral("1.0.0.1"));
  EXPECT_EQ(out.run, c.status == kRuns);
  if (!out.run) {
    EXPECT_EQ(out.status, c.status);
  }
  const QString start = QString::fromUtf8(c.textStart);
  EXPECT_TRUE(start.isEmpty() ? out.text.isEmpty() : out.text.startsWith(start))
      << out.text.toStdString();
  // A command's bad argument is one line, for scripts.
  if (c.status == CommandLine::kUsage) {
    EXPECT_EQ(out.text.count(u'\n'), 1) << out.text.toStdString();
  }
  if (!out.run) return;
  EXPECT_EQ(out.mode, c.mode);
  EXPECT_EQ(out.at, c.at);
  std::string names;
  for (const ColorText::Notation n : out.notations)
    names += (names.empty() ? "" : ",") + std::string(ColorText::nameOf(n));
  EXPECT_EQ(names, c.notations);
  EXPECT_EQ(out.copy, c.copy);
}

constexpr int kUsage = CommandLine::kUsage;

INSTANTIATE_TEST_SUITE_P(
    Table, CommandLineTable,
    ::testing::Values(
        Case{"none", {}, kRuns, ""},
        Case{"help", {"--help"}, 0, "Usage: tintwell [--help] [--version]"},
        Case{"shortHelp", {"-h"}, 0, "Usage:"},
        Case{"helpBeforeCommand", {"--at", "1,2", "--help"}, 0, "Usage:"},
        Case{"version", {"--version"}, 0, "tintwell 1.0.0.1\n"},
        Case{"toolkitOptions", {"-platform", "xcb", "-style=fusion", "-reverse"}, kRuns, ""},
        Case{"toolkitThenVersion", {"--platform=offscreen", "-v"}, 0, "tintwell 1.0.0.1"},
        Case{"unknownOption", {"--zoom=5"}, 2, "tintwell: Unknown option 'zoom'."},
        Case{"argument", {"picture.png"}, 2, "tintwell: unexpected argument"},
        // The commands.
        Case{"at", {"--at", "12,34"}, kRuns, "", Mode::At, {12, 34}, "html"},
        Case{"atLeftOfAndAbove",
             {"--at", "-5,-70", "--format", "hex,rgb,hex"},
             kRuns,
             "",
             Mode::At,
             {-5, -70},
             "hex,rgb,hex"},
        Case{"atLargest",
             {"--at=999999,-999999", "--copy"},
             kRuns,
             "",
             Mode::At,
             {999999, -999999},
             "html",
             true},
        Case{"pick",
             {"-platform", "xcb", "--pick", "--format=oklch", "--copy"},
             kRuns,
             "",
             Mode::Pick,
             {},
             "oklch",
             true},
        // A command's bad arguments.
        Case{"atOneNumber", {"--at", "12"}, kUsage, "tintwell: --at wants X,Y"},
        Case{"atThreeNumbers", {"--at", "1,2,3"}, kUsage, "tintwell: --at wants X,Y"},
        Case{"atFraction", {"--at", "1.5,2"}, kUsage, "tintwell: --at wants X,Y"},
        Case{"atPlus", {"--at", "+1,2"}, kUsage, "tintwell: --at wants X,Y"},
        Case{"atSpace", {"--at", "1, 2"}, kUsage, "tintwell: --at wants X,Y"},
        Case{"atMinusAlone", {"--at", "-,2"}, kUsage, "tintwell: --at wants X,Y"},
        Case{"atTooLong", {"--at", "1234567,0"}, kUsage, "tintwell: --at wants X,Y"},
        Case{"atEmpty", {"--at="}, kUsage, "tintwell: --at wants X,Y"},
        Case{"atControl",
             {"--at", "1,\x1b[2J"},
             kUsage,
             "tintwell: --at wants X,Y in whole "
             "pixels (up to six digits each), not '1,?[2J'\n"},
        Case{"atMissingValue", {"--pick", "--at"}, kUsage, "tintwell: Missing value after '--at'."},
        Case{"atTwice", {"--at", "1,2", "--at", "3,4"}, kUsage, "tintwell: --at is given more"},
        Case{"formatUnknown",
             {"--pick", "--format", "HEX"},
             kUsage,
             "tintwell: --format: unknown notation \"HEX\""},
        Case{"formatEmptyItem", {"--pick", "--format", "hex,,rgb"}, kUsage, "tintwell: --format: "},
        Case{"formatTwice",
             {"--pick", "--format", "hex", "--format", "rgb"},
             kUsage,
             "tintwell: --format is given more"},
        Case{"both", {"--at", "1,2", "--pick"}, kUsage, "tintwell: --at or --pick, not both"},
        Case{"formatAlone", {"--format", "hex"}, kUsage, "tintwell: --format needs --at or --pick"},
        Case{"copyAlone", {"--copy"}, kUsage, "tintwell: --copy needs --at or --pick"},
        Case{"unknownWithCommand", {"--pick", "--zoom"}, kUsage, "tintwell: Unknown option 'zoom'"},
        Case{"argumentWithCommand", {"--pick", "x"}, kUsage, "tintwell: unexpected argument 'x'"}),
    [](const auto& param_info) { return std::string(param_info.param.what); });

}  // namespace
