#pragma once

#include <QStringList>

// The program's own command line: --help and --version, nothing else. The toolkit's options
// (-platform, -style, -display ...) pass through to it. Read before the application object
// exists, so that --help and --version work without a display.
namespace CommandLine {

struct Outcome {
  bool run = true;  // false: print `text` and end with `status`
  int status = 0;   // 0 after --help or --version, 2 after anything unknown
  QString text;     // for stdout when status is 0, stderr otherwise
};

// `arguments` as the program got them, the program's path first.
Outcome read(const QStringList& arguments, const QString& version);

}  // namespace CommandLine
