#include "host/platform/Reporter.h"

#include <QApplication>
#include <QMessageBox>

#ifndef _WIN32
#include <syslog.h>
#endif

namespace host {

namespace {

// The system log (syslog, so the journal where there is one) and a modal warning box.
class SystemReporter final : public Reporter {
 public:
  void logError(const QString& entry) override {
    qWarning("%s", qPrintable(entry));
#ifndef _WIN32
    static const QByteArray ident = QCoreApplication::applicationName().toUtf8();
    static const bool opened = [] {
      openlog(ident.isEmpty() ? "tintwell" : ident.constData(), LOG_PID, LOG_USER);
      return true;
    }();
    (void)opened;
    syslog(LOG_ERR, "%s", entry.toUtf8().constData());
#endif
  }

  void messageBox(const QString& title, const QString& prompt) override {
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) return;
    QMessageBox box(QMessageBox::Warning, title, prompt, QMessageBox::Ok);
    box.exec();
  }
};

Reporter*& installed() {
  static Reporter* current = nullptr;
  return current;
}

}  // namespace

Reporter& reporter() {
  static SystemReporter system;
  return installed() != nullptr ? *installed() : system;
}

void setReporter(Reporter* replacement) {
  installed() = replacement;
}

}  // namespace host
