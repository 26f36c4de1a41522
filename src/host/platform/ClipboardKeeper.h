#pragma once

#include <QByteArray>
#include <QString>
#include <memory>

namespace host {

// Keeps a text on the desktop's clipboard after the program has ended, as command-line clipboard
// tools do: a small process of its own owns the clipboard until another program takes it, and
// then ends. On X11 it owns the CLIPBOARD selection over a plain connection (no toolkit); on
// Wayland it holds the toolkit's clipboard for as long as it lives (a desktop may refuse a
// clipboard from a program without a focused window).
//
// The process is forked before the toolkit starts any thread (a child of a threaded process may
// run only async-signal-safe code), waits for its text, and detaches: no terminal, no standard
// streams (a shell reading the program's output is not kept waiting for it), a session of its own.
class ClipboardKeeper {
 public:
  // Forks the keeper. Null where no process can be made (the copy is then left out).
  static std::unique_ptr<ClipboardKeeper> start();
  // A keeper never given its text ends without touching the clipboard.
  ~ClipboardKeeper();
  ClipboardKeeper(const ClipboardKeeper&) = delete;
  ClipboardKeeper& operator=(const ClipboardKeeper&) = delete;

  // Hands `text` (at most 4 KiB of UTF-8) to the keeper for the display the application object
  // runs on. Returns once the keeper holds the clipboard (true) or has given up (false), after
  // at most two seconds, so that the clipboard can be read as soon as the program has ended.
  bool keep(const QString& text);
  // The same for the X display named (empty: $DISPLAY), where there is no application object.
  bool keepOnX11(const QByteArray& display, const QString& text);

 private:
  // Sends `message` (the kind of display, its name, a zero byte, the text) and waits for the
  // keeper to hold the clipboard.
  bool hand(QByteArray message, const QString& text);

  ClipboardKeeper(int toKeeper, int fromKeeper) : m_to(toKeeper), m_from(fromKeeper) {}
  int m_to;    // the text goes down this pipe
  int m_from;  // one byte comes back once the keeper holds the clipboard
};

}  // namespace host
