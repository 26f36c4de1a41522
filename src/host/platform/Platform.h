#pragma once

#include <functional>

class QString;
class QWidget;

// Platform services the windows call: sounds, the topmost band, the clipboard, and the
// registration of common controls. The sound can be replaced (tests record it).
namespace host {

// Plays a tone of `frequency` Hz for `ms` milliseconds on the default audio output and returns
// when it has played; where no output can be opened it waits the same time in silence. Once the
// program is ending it returns at once.
void Beep(int frequency, int ms);
void setBeepHandler(std::function<void(int, int)> handler);  // empty restores the real one

// Puts a top-level window into or out of the always-on-top band, keeping it shown.
void SetTopmost(QWidget& window, bool topmost);
bool IsTopmost(const QWidget& window);

// Puts `text` on the desktop's clipboard (not the X primary selection), owned by the program
// until another program takes it or the program ends.
void copyToClipboard(const QString& text);

// Registers the platform's extended common controls. The toolkit needs no registration, so
// this always succeeds.
bool InitCommonControls();

}  // namespace host
