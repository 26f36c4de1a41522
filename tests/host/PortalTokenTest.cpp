// The restore token's file, in a temporary folder: read only from a regular file, kept private,
// written whole, and whatever else is at its path (a link, a FIFO, a folder) neither followed
// nor waited on nor written through.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

#include "host/screen/portal/PortalToken.h"

using namespace host::portal;
namespace fs = std::filesystem;

namespace {

const std::string kToken = "5b6c4bc2-1e4f-4f6a-9d55-0c2f3e1b7a10";

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
