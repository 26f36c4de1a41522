#pragma once

#include <QImage>
#include <QString>
#include <functional>
#include <memory>

#include "host/screen/ScreenSource.h"

namespace host {

// The screen of a Wayland desktop, where a client may read neither other windows' pixels nor the
// global pointer: the desktop's ScreenCast portal (over the session bus) shares a monitor as a
// PipeWire stream, whose frames give the pixels and whose cursor metadata gives the pointer.
// The desktop asks the user once; the portal's restore token is kept in the user's config
// directory (tintwell/portal-restore-token, 0600 in a 0700 folder) so that later starts do not
// ask again. A refusal with the kept token is tried once more without it, never more. An answer
// of the portal's that is not of the types its interface names is not read at all: `notice`
// says so.
//
// The stream runs on a PipeWire thread that keeps the newest frame dequeued (no copy per frame);
// the GUI thread reads it under a lock. Until a frame arrives, or when the portal is missing or
// the user declines, every pixel is the invalid color and grabs are black, as for a point that
// no screen covers, and `notice` says why in one line. The conversation with the portal is
// PortalSession's, the stream PortalStream's.
class PortalScreenSource final : public ScreenSource {
 public:
  // The source for a Wayland session, or nullptr on any other platform. The portal session
  // starts at once and goes on in the event loop.
  static std::unique_ptr<PortalScreenSource> create();
  ~PortalScreenSource() override;
  PortalScreenSource(const PortalScreenSource&) = delete;
  PortalScreenSource& operator=(const PortalScreenSource&) = delete;

  QPoint cursorPos() override;
  ColorRef pixel(QPoint p) override;
  QImage grab(const QRect& r) override;
  std::optional<QRect> screenGeometryAt(QPoint p) override;
  QRect primaryGeometry() override;
  // Through a pointer device of the program's own, where the desktop offers one (the wlroots
  // desktops do; GNOME and KDE do not).
  bool movePointerBy(QPoint delta) override;
  // The next new frame or pointer move (cursor metadata only: without it a move goes unseen).
  bool wakeOnActivity(std::function<void()> wake) override;

  // Waiting for the desktop, declined, no portal, the stream stopped: the notice says which.
  bool mayHaveNotice() const override { return true; }
  QString notice() const override;
  // After the portal conversation ended without a monitor.
  bool gaveUp() const override;
  void onNoticeChanged(std::function<void(const QString&)> changed) override;

 private:
  struct Impl;
  PortalScreenSource();
  std::unique_ptr<Impl> m;
};

}  // namespace host
