#pragma once

#include <QString>
#include <vector>

#include "host/platform/Reporter.h"

// Records what would have gone to the system log and the message boxes, and installs itself for
// its lifetime.
class RecordingReporter final : public host::Reporter {
 public:
  RecordingReporter() { host::setReporter(this); }
  ~RecordingReporter() override { host::setReporter(nullptr); }
  RecordingReporter(const RecordingReporter&) = delete;
  RecordingReporter& operator=(const RecordingReporter&) = delete;

  void logError(const QString& entry) override { log.push_back(entry); }
  void messageBox(const QString& title, const QString& prompt) override {
    boxes.push_back({title, prompt});
  }

  struct Box {
    QString title;
    QString prompt;
  };
  std::vector<QString> log;
  std::vector<Box> boxes;
};
