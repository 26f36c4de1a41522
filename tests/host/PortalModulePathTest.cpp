// Where the program looks for its Wayland module: an installed program never beside itself.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "host/screen/ScreenSourceLoader.h"

namespace {

TEST(PortalModulePathTest, AnInstalledProgramLooksOnlyInItsPrivateFolder) {
  QTemporaryDir root;
  ASSERT_TRUE(root.isValid());
  const QString r = root.path();
  ASSERT_TRUE(QDir(r).mkpath(QStringLiteral("usr/bin")));
  ASSERT_TRUE(QDir(r).mkpath(QStringLiteral("usr/lib/tintwell")));
  ASSERT_TRUE(QDir(r).mkpath(QStringLiteral("build/src/picker")));
  ASSERT_TRUE(QDir(r).mkpath(QStringLiteral("opt/bin")));
  // A library planted beside the installed program is never looked at.
  QFile planted(r + QStringLiteral("/usr/bin/tintwell-portal.so"));
  ASSERT_TRUE(planted.open(QIODevice::WriteOnly));
  planted.close();
  const QString privateDir = QStringLiteral("../lib/tintwell");
  struct Case {
    const char* what;
    QString programDir;
    QString installBinDir;
    QString expected;
  };
  const Case cases[] = {
      {"installed, its private folder beside it, a library planted beside it", r + "/usr/bin",
       "/usr/bin", r + "/usr/lib/tintwell/tintwell-portal.so"},
      {"run from the folder it was installed to, the private folder missing", r + "/opt/bin",
       r + "/opt/bin/", r + "/opt/lib/tintwell/tintwell-portal.so"},
      {"in the build tree", r + "/build/src/picker", "/usr/bin",
       r + "/build/src/picker/tintwell-portal.so"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(host::portalModulePath(c.programDir, privateDir, c.installBinDir), c.expected)
        << c.what;
  }
}

}  // namespace
