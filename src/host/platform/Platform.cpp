#include "host/platform/Platform.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QWidget>
#include <QWindow>
#include <chrono>
#include <cmath>
#include <thread>
#include <vector>

#ifndef _WIN32
#include <dlfcn.h>
#endif

#include "host/forms/Forms.h"

namespace host {

namespace {

std::function<void(int, int)>& beepHandler() {
  static std::function<void(int, int)> handler;
  return handler;
}

#ifndef _WIN32
// ALSA reports a missing sound card on stderr; a machine without one is normal here.
extern "C" void quietAlsaErrors(const char*, int, const char*, int, const char*, ...) {}

// ALSA, loaded when the program first beeps; no build dependency, and no sound server needed.
struct Alsa {
  using Open = int (*)(void**, const char*, int, int);
  using SetParams = int (*)(void*, int, int, unsigned, unsigned, int, unsigned);
  using WriteI = long (*)(void*, const void*, unsigned long);
  using Drain = int (*)(void*);
  using Close = int (*)(void*);
  using FreeConfig = int (*)();
  void* lib = nullptr;
  Open open = nullptr;
  SetParams setParams = nullptr;
  WriteI writei = nullptr;
  Drain drain = nullptr;
  Close close = nullptr;
  FreeConfig freeConfig = nullptr;
  bool ok = false;

  Alsa() {
    lib = dlopen("libasound.so.2", RTLD_NOW | RTLD_LOCAL);
    if (lib == nullptr) return;
    open = reinterpret_cast<Open>(dlsym(lib, "snd_pcm_open"));
    setParams = reinterpret_cast<SetParams>(dlsym(lib, "snd_pcm_set_params"));
    writei = reinterpret_cast<WriteI>(dlsym(lib, "snd_pcm_writei"));
    drain = reinterpret_cast<Drain>(dlsym(lib, "snd_pcm_drain"));
    close = reinterpret_cast<Close>(dlsym(lib, "snd_pcm_close"));
    freeConfig = reinterpret_cast<FreeConfig>(dlsym(lib, "snd_config_update_free_global"));
    ok = open && setParams && writei && drain && close;
    using ErrorHandler = void (*)(const char*, int, const char*, int, const char*, ...);
    using SetErrorHandler = int (*)(ErrorHandler);
    if (auto set = reinterpret_cast<SetErrorHandler>(dlsym(lib, "snd_lib_error_set_handler"))) {
      set(&quietAlsaErrors);
    }
  }

  // The configuration ALSA parsed to open an output (hundreds of kilobytes) is read again at the
  // next open; between tones nothing needs it.
  void forgetConfig() const {
    if (freeConfig != nullptr) freeConfig();
  }

  // No output to play on: the library and what it holds are of no further use.
  void release() {
    forgetConfig();
    if (lib != nullptr) dlclose(lib);
    lib = nullptr;
    ok = false;
  }
};

// Plays a square wave; false when no output could be used.
bool playTone(int frequency, int ms) {
  static Alsa alsa;
  static bool noOutput = false;  // once the default output failed to open, do not ask again
  if (!alsa.ok || noOutput || frequency <= 0 || ms <= 0) return false;
  void* pcm = nullptr;
  constexpr int kPlayback = 0, kNonBlock = 1, kFormatS16LE = 2, kAccessRwInterleaved = 3;
  if (alsa.open(&pcm, "default", kPlayback, kNonBlock) < 0 || pcm == nullptr) {
    noOutput = true;
    alsa.release();
    return false;
  }
  constexpr unsigned kRate = 22050;
  if (alsa.setParams(pcm, kFormatS16LE, kAccessRwInterleaved, 1, kRate, 1, 100000) < 0) {
    alsa.close(pcm);
    alsa.forgetConfig();
    return false;
  }
  const auto frames = static_cast<std::size_t>(kRate) * static_cast<std::size_t>(ms) / 1000;
  std::vector<std::int16_t> wave(frames);
  const double period = static_cast<double>(kRate) / frequency;
  for (std::size_t i = 0; i < frames; ++i) {
    wave[i] = std::fmod(static_cast<double>(i), period) < period / 2 ? 6000 : -6000;
  }
  const long written = alsa.writei(pcm, wave.data(), frames);
  if (written > 0) alsa.drain(pcm);
  alsa.close(pcm);
  alsa.forgetConfig();
  return written > 0;
}
#else
bool playTone(int, int) {
  return false;
}
#endif

}  // namespace

void Beep(int frequency, int ms) {
  if (endRequested()) return;  // the program is ending: no more sound, no more waiting
  if (beepHandler()) {
    beepHandler()(frequency, ms);
    return;
  }
  const auto start = std::chrono::steady_clock::now();
  playTone(frequency, ms);
  // Whatever happened, the call takes the tone's time, so start-up keeps its rhythm.
  const auto left = std::chrono::milliseconds(ms) - (std::chrono::steady_clock::now() - start);
  if (left > std::chrono::milliseconds(0)) std::this_thread::sleep_for(left);
}

void setBeepHandler(std::function<void(int, int)> handler) {
  beepHandler() = std::move(handler);
}

void SetTopmost(QWidget& window, bool topmost) {
  if (QWindow* handle = window.windowHandle(); handle != nullptr && window.isVisible()) {
    // On the platform window directly: changing the widget's flags would hide it.
    handle->setFlag(Qt::WindowStaysOnTopHint, topmost);
    window.overrideWindowFlags(handle->flags());
    return;
  }
  window.setWindowFlag(Qt::WindowStaysOnTopHint, topmost);
}

bool IsTopmost(const QWidget& window) {
  return window.windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}

bool InitCommonControls() {
  return true;
}

void copyToClipboard(const QString& text) {
  QGuiApplication::clipboard()->setText(text, QClipboard::Clipboard);
}

}  // namespace host
