#pragma once

#include <QString>

namespace host {

// Where the program reports a failure it does not raise: one error entry in the system log under
// the application's name, and a message box with the exclamation icon that the user closes. The
// only failures shown to the user go through here. Tests install a recording one.
class Reporter {
 public:
  virtual ~Reporter() = default;
  virtual void logError(const QString& entry) = 0;
  virtual void messageBox(const QString& title, const QString& prompt) = 0;
};

// The reporter in use: the system's, unless one was installed.
Reporter& reporter();
// Installs `replacement` (not owned; it must outlive its use); nullptr puts the system's back.
void setReporter(Reporter* replacement);

}  // namespace host
