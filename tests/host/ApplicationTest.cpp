// What the program's application object sets up before the toolkit starts, as seen from inside the
// started toolkit (this suite runs under it).
#include <gtest/gtest.h>

#include <QAbstractEventDispatcher>
#include <QCoreApplication>

namespace {

// The toolkit runs on its own event loop, not GLib's, unless the user asked otherwise.
TEST(ApplicationTest, TheToolkitRunsItsOwnEventLoop) {
  // Set by the program when unset; another value can only be the user's, which is kept.
  if (qEnvironmentVariableIsSet("QT_NO_GLIB") && qgetenv("QT_NO_GLIB") != "1")
    GTEST_SKIP() << "QT_NO_GLIB is the user's own";
  QAbstractEventDispatcher* loop = QAbstractEventDispatcher::instance();
  ASSERT_NE(loop, nullptr);
  EXPECT_FALSE(loop->inherits("QEventDispatcherGlib")) << loop->metaObject()->className();
}

}  // namespace
