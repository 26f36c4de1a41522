#include "host/screen/ScreenSourceLoader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>

#include "host/screen/PortalModule.h"
#include "host/screen/QtScreenSource.h"
#include "host/screen/X11ScreenSource.h"

#ifdef TINTWELL_WAYLAND_PORTAL
#include <dlfcn.h>
#include <QFile>
#endif

namespace host {

#ifdef TINTWELL_WAYLAND_PORTAL
namespace {

// A function of the Wayland module (see portalModulePath), loaded once. Null where the module is
// missing or does not load, with one warning that says what is done instead.
void* portalFunction(const char* name, const char* instead) {
  const QString path = portalModulePath(QCoreApplication::applicationDirPath(),
                                        QStringLiteral(TINTWELL_PORTAL_MODULE_DIR),
                                        QStringLiteral(TINTWELL_INSTALL_BINDIR));
  QString problem = QStringLiteral("not found in ") + QFileInfo(path).absolutePath();
  if (QFile::exists(path)) {
    // Never closed: the source, its PipeWire thread and what it queued on the event loop run
    // the module's code until the program ends.
    if (void* module = dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL)) {
      if (void* function = dlsym(module, name)) return function;
    }
    problem = QString::fromLocal8Bit(dlerror());
  }
  qWarning("tintwell: the Wayland screen source %s did not load (%s); %s", kPortalModuleFile,
           qUtf8Printable(problem), instead);
  return nullptr;
}

// The Wayland source from its module. Null where the module does not load, or where the platform
// is not Wayland after all.
std::unique_ptr<ScreenSource> loadPortalSource() {
  if (const auto create = reinterpret_cast<PortalFactory>(
          portalFunction(kPortalModuleFactory, "reading through the toolkit"))) {
    return std::unique_ptr<ScreenSource>(create());
  }
  return nullptr;
}

}  // namespace
#endif

QString portalModulePath(const QString& programDir, const QString& privateDir,
                         const QString& installBinDir) {
  const QString folder = QDir::cleanPath(programDir + u'/' + privateDir);
  const bool installed =
      QFileInfo(folder).isDir() || QDir::cleanPath(programDir) == QDir::cleanPath(installBinDir);
  return (installed ? folder : QDir::cleanPath(programDir)) + u'/' +
         QString::fromLatin1(kPortalModuleFile);
}

std::unique_ptr<ScreenSource> createScreenSource() {
  if (auto x11 = X11ScreenSource::create()) return x11;
#ifdef TINTWELL_WAYLAND_PORTAL
  // Only a Wayland session loads the module, and with it PipeWire and Qt's D-Bus module.
  if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
    if (auto portal = loadPortalSource()) return portal;
  }
#endif
  return std::make_unique<QtScreenSource>();
}

DesktopPick pickOnDesktop() {
  DesktopPick out;
#ifdef TINTWELL_WAYLAND_PORTAL
  if (!QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) return out;
  // The module says why it cannot pick; so does the loader when the module does not load.
  out.said = true;
  const auto pick =
      reinterpret_cast<PortalPicker>(portalFunction(kPortalModulePicker, "no color to pick"));
  if (pick == nullptr) return out;
  std::uint32_t color = 0;
  const int status = pick(&color);
  if (status == kPortalPicked) {
    out.status = DesktopPick::Status::Picked;
    out.color = color & 0xFFFFFFu;
  } else if (status == kPortalCancelled) {
    out.status = DesktopPick::Status::Cancelled;
  }
#endif
  return out;
}

}  // namespace host
