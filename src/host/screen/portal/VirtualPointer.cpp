#include "host/screen/portal/VirtualPointer.h"

#include <wayland-client.h>

#include <chrono>
#include <cstring>

namespace host {

namespace {

// The wlroots virtual-pointer protocol (version 1), written out by hand: the desktops that offer
// it ship its description, but no distribution packages it for clients. Only the requests are
// declared; neither interface has events. The order of each list is the protocol's opcodes.
extern const wl_interface kPointerInterface;

// Non-const arrays: the library's message type takes them so.
const wl_interface* kNoTypes[] = {nullptr, nullptr, nullptr, nullptr, nullptr};
const wl_interface* kCreateTypes[] = {&wl_seat_interface, &kPointerInterface};

const wl_message kPointerRequests[] = {
    {"motion", "uff", kNoTypes},   {"motion_absolute", "uuuuu", kNoTypes},
    {"button", "uuu", kNoTypes},   {"axis", "uuf", kNoTypes},
    {"frame", "", kNoTypes},       {"axis_source", "u", kNoTypes},
    {"axis_stop", "uu", kNoTypes}, {"axis_discrete", "uufi", kNoTypes},
    {"destroy", "", kNoTypes},
};
constexpr std::uint32_t kMotion = 0;
constexpr std::uint32_t kFrame = 4;
constexpr std::uint32_t kPointerDestroy = 8;

const wl_interface kPointerInterface = {
    "zwlr_virtual_pointer_v1", 1, 9, kPointerRequests, 0, nullptr,
};

const wl_message kManagerRequests[] = {
    {"create_virtual_pointer", "?on", kCreateTypes},
    {"destroy", "", kNoTypes},
};
constexpr std::uint32_t kCreatePointer = 0;
constexpr std::uint32_t kManagerDestroy = 1;

const wl_interface kManagerInterface = {
    "zwlr_virtual_pointer_manager_v1", 1, 2, kManagerRequests, 0, nullptr,
};

}  // namespace

struct VirtualPointer::Impl {
  wl_display* display = nullptr;
  wl_registry* registry = nullptr;
  wl_proxy* manager = nullptr;
  wl_proxy* pointer = nullptr;
  bool tried = false;

  static void onGlobal(void* data, wl_registry* registry, std::uint32_t name, const char* interface,
                       std::uint32_t) {
    auto* self = static_cast<Impl*>(data);
    if (self->manager == nullptr && std::strcmp(interface, kManagerInterface.name) == 0) {
      self->manager =
          static_cast<wl_proxy*>(wl_registry_bind(registry, name, &kManagerInterface, 1));
    }
  }
  static void onGlobalRemove(void*, wl_registry*, std::uint32_t) {}

  bool connect() {
    tried = true;
    display = wl_display_connect(nullptr);
    if (display == nullptr) return false;
    static const wl_registry_listener listener = {&Impl::onGlobal, &Impl::onGlobalRemove};
    registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &listener, this);
    if (wl_display_roundtrip(display) < 0 || manager == nullptr) {
      disconnect();
      return false;
    }
    // The desktop's default seat: the one whose pointer the user moves.
    pointer =
        wl_proxy_marshal_flags(manager, kCreatePointer, &kPointerInterface, 1, 0, nullptr, nullptr);
    if (pointer == nullptr || wl_display_roundtrip(display) < 0) {
      disconnect();
      return false;
    }
    return true;
  }

  void disconnect() {
    if (pointer != nullptr) {
      wl_proxy_marshal_flags(pointer, kPointerDestroy, nullptr, 1, WL_MARSHAL_FLAG_DESTROY);
    }
    if (manager != nullptr) {
      wl_proxy_marshal_flags(manager, kManagerDestroy, nullptr, 1, WL_MARSHAL_FLAG_DESTROY);
    }
    if (registry != nullptr) wl_registry_destroy(registry);
    if (display != nullptr) {
      wl_display_flush(display);
      wl_display_disconnect(display);
    }
    pointer = manager = nullptr;
    registry = nullptr;
    display = nullptr;
  }
};

VirtualPointer::VirtualPointer() : m(std::make_unique<Impl>()) {}

VirtualPointer::~VirtualPointer() {
  m->disconnect();
}

bool VirtualPointer::moveBy(double dx, double dy) {
  if (m->pointer == nullptr && (m->tried || !m->connect())) return false;
  // Event times are milliseconds on a clock of the client's choosing, for ordering only.
  const auto ms =
      static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                     std::chrono::steady_clock::now().time_since_epoch())
                                     .count());
  wl_proxy_marshal_flags(m->pointer, kMotion, nullptr, 1, 0, ms, wl_fixed_from_double(dx),
                         wl_fixed_from_double(dy));
  wl_proxy_marshal_flags(m->pointer, kFrame, nullptr, 1, 0);
  // One round trip: the next read of the screen sees the pointer where it was sent, and a
  // protocol error ends the device instead of going unnoticed.
  if (wl_display_roundtrip(m->display) < 0) {
    m->disconnect();
    return false;
  }
  return true;
}

}  // namespace host
