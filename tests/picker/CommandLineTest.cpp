// The command line: help, version, the toolkit's own options, and anything else refused.
#include <gtest/gtest.h>

#include "picker/CommandLine.h"

namespace {

struct Case {
  const char* what;
  QStringList arguments;  // after the program's path
  bool run;
  int status;
  const char* textStart;
};

class CommandLineTable : public ::testing::TestWithParam<Case> {};

TEST_P(CommandLineTable, ReadsOnlyItsOwnOptions) {
  const Case& c = GetParam();
  const CommandLine::Outcome out = CommandLine::read(
      QStringList{QStringLiteral("/usr/bin/tintwell")} + c.arguments, QStringLiteral("1.0.0.1"));
  EXPECT_EQ(out.run, c.run);
  EXPECT_EQ(out.status, c.status);
  const QString start = QString::fromUtf8(c.textStart);
  EXPECT_TRUE(start.isEmpty() ? out.text.isEmpty() : out.text.startsWith(start))
      << out.text.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Table, CommandLineTable,
    ::testing::Values(
        Case{"none", {}, true, 0, ""},
        Case{"help", {"--help"}, false, 0, "Usage: tintwell [--help] [--version]"},
        Case{"shortHelp", {"-h"}, false, 0, "Usage:"},
        Case{"version", {"--version"}, false, 0, "tintwell 1.0.0.1\n"},
        Case{"toolkitOptions", {"-platform", "xcb", "-style=fusion", "-reverse"}, true, 0, ""},
        Case{"toolkitThenVersion", {"--platform=offscreen", "-v"}, false, 0, "tintwell 1.0.0.1"},
        Case{"unknownOption", {"--zoom=5"}, false, 2, "tintwell: Unknown option 'zoom'."},
        Case{"argument", {"picture.png"}, false, 2, "tintwell: unexpected argument"}),
    [](const auto& param_info) { return std::string(param_info.param.what); });

}  // namespace
