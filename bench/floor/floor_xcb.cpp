// What the picker's per-tick work costs on X11 with nothing else around it: the floors that
// bench/compare measures beside Tintwell. One source, four programs (FLOOR_LEVEL), each doing
// the work of the one before and one step more, every 10 ms (the magnifier's interval):
//   0  floor_xcb_timer  a 100 Hz clock to absolute deadlines, over an open X connection
//   1  floor_xcb_query  + one pointer query round trip
//   2  floor_xcb_read   + the 15 x 15 block of root pixels around the pointer, through shared
//                        memory (MIT-SHM), or a plain image request when the server has none
//   3  floor_xcb_full   + that block at 5x put as the 75 x 74 magnifier into a window of its own,
//                        and every 10th tick (100 ms, the readouts' interval) a 317 x 100 image
//                        where the readouts would be
// SIGTERM or SIGINT ends it cleanly, with the tick count on stderr; a failed request or a lost
// connection ends it with a message and status 1.
#include <poll.h>
#include <sys/ipc.h>
#include <sys/shm.h>
#include <sys/signalfd.h>
#include <sys/timerfd.h>
#include <unistd.h>
#include <xcb/shm.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <vector>

#ifndef FLOOR_LEVEL
#error "FLOOR_LEVEL picks the program: 0 timer, 1 query, 2 read, 3 full"
#endif

namespace {

constexpr int kLevel = FLOOR_LEVEL;
constexpr const char* kNames[] = {"floor_xcb_timer", "floor_xcb_query", "floor_xcb_read",
                                  "floor_xcb_full"};
constexpr const char* kName = kNames[kLevel];

constexpr long kTickNs = 10'000'000;  // 10 ms
constexpr int kBlock = 15;            // root pixels a side: what a 75 x 74 box shows at 5x
constexpr int kZoom = 5;
constexpr int kMagW = 75;  // the magnifier box, in window pixels
constexpr int kMagH = 74;
constexpr int kReadW = 317;  // the readouts' area below it, in window pixels
constexpr int kReadH = 100;
constexpr int kReadEvery = 10;  // ticks

[[noreturn]] void fail(const char* what) {
  std::fprintf(stderr, "%s: %s\n", kName, what);
  std::exit(1);
}

[[noreturn]] void failSys(const char* what) {
  std::fprintf(stderr, "%s: %s: %s\n", kName, what, std::strerror(errno));
  std::exit(1);
}

// Takes the error (xcb allocates it).
[[noreturn]] void failX(const char* what, xcb_generic_error_t* e) {
  std::fprintf(stderr, "%s: %s: X error %u (request %u.%u)\n", kName, what, e->error_code,
               e->major_code, e->minor_code);
  std::free(e);
  std::exit(1);
}

// A reply that did not come: the server's error, or the connection gone.
[[noreturn]] void failReply(const char* what, xcb_generic_error_t* e) {
  if (e != nullptr) failX(what, e);
  fail("the X connection was lost");
}

// A one-time request, checked with a round trip.
void check(xcb_connection_t* c, xcb_void_cookie_t cookie, const char* what) {
  if (xcb_generic_error_t* e = xcb_request_check(c, cookie)) failX(what, e);
}

struct Floor {
  xcb_connection_t* c = nullptr;
  const xcb_screen_t* screen = nullptr;
  // The block, BGRX, kBlock x kBlock; in the shared segment when there is one.
  bool shm = false;
  xcb_shm_seg_t seg = 0;
  std::uint32_t* block = nullptr;
  std::vector<std::uint32_t> plainBlock;
  // floor_xcb_full's window, with the magnifier at (0, 0) and the readouts under it.
  xcb_window_t window = 0;
  xcb_gcontext_t gc = 0;
  std::vector<std::uint32_t> magnified;  // BGRX, kMagW x kMagH
  std::vector<std::uint32_t> readouts;   // BGRX, kReadW x kReadH
  std::uint32_t maxRequestBytes = 0;
};

// Images travel as 32 bits a pixel, least significant byte first (BGRX), at depth 24.
void checkFormat(const xcb_setup_t* setup, const xcb_screen_t* screen) {
  if (screen->root_depth != 24 || setup->image_byte_order != XCB_IMAGE_ORDER_LSB_FIRST)
    fail("the screen is not 24-bit with LSB-first images; the floors read no other");
  for (auto f = xcb_setup_pixmap_formats_iterator(setup); f.rem; xcb_format_next(&f))
    if (f.data->depth == 24 && f.data->bits_per_pixel == 32) return;
  fail("the screen has no 32-bit pixmap format for depth 24");
}

// Says why the block is read without shared memory; false.
bool withoutShm(const char* why) {
  std::fprintf(stderr, "%s: %s; reading with plain image requests\n", kName, why);
  return false;
}

// A segment for the block; false (with a note) when the server or the system refuses one.
bool attachSegment(Floor& d) {
  const xcb_query_extension_reply_t* ext = xcb_get_extension_data(d.c, &xcb_shm_id);
  if (ext == nullptr || !ext->present) return withoutShm("no MIT-SHM on this X server");
  const int id = shmget(IPC_PRIVATE, std::size_t{kBlock} * kBlock * 4, IPC_CREAT | 0600);
  if (id < 0) return withoutShm("the system gives no shared segment");
  void* addr = shmat(id, nullptr, 0);
  // Marked for removal at once: it goes when both sides have detached, even after a crash.
  shmctl(id, IPC_RMID, nullptr);
  if (reinterpret_cast<std::intptr_t>(addr) == -1)
    return withoutShm("the system gives no shared segment");
  d.seg = xcb_generate_id(d.c);
  if (xcb_generic_error_t* e = xcb_request_check(
          d.c, xcb_shm_attach_checked(d.c, d.seg, static_cast<std::uint32_t>(id), 0))) {
    std::free(e);
    shmdt(addr);
    return withoutShm("the X server cannot attach a shared segment");
  }
  d.block = static_cast<std::uint32_t*>(addr);
  return true;
}

void createWindow(Floor& d) {
  d.magnified.resize(std::size_t{kMagW} * kMagH);
  d.readouts.resize(std::size_t{kReadW} * kReadH);
  d.window = xcb_generate_id(d.c);
  const std::uint32_t background = d.screen->black_pixel;
  check(d.c,
        xcb_create_window_checked(d.c, XCB_COPY_FROM_PARENT, d.window, d.screen->root, 0, 0, kReadW,
                                  kMagH + kReadH, 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                                  d.screen->root_visual, XCB_CW_BACK_PIXEL, &background),
        "creating the window");
  check(d.c,
        xcb_change_property_checked(d.c, XCB_PROP_MODE_REPLACE, d.window, XCB_ATOM_WM_NAME,
                                    XCB_ATOM_STRING, 8,
                                    static_cast<std::uint32_t>(std::strlen(kName)), kName),
        "naming the window");
  d.gc = xcb_generate_id(d.c);
  check(d.c, xcb_create_gc_checked(d.c, d.gc, d.window, 0, nullptr), "creating the window's GC");
  check(d.c, xcb_map_window_checked(d.c, d.window), "mapping the window");
  // Four bytes a unit; a put's own header takes 24 bytes.
  d.maxRequestBytes = xcb_get_maximum_request_length(d.c) * 4 - 24;
}

// Puts a w x h BGRX image at (x, y) of the window, in as many requests as the server's length
// limit asks for (unchecked: an error comes back as an event).
void put(Floor& d, const std::uint32_t* pixels, int w, int h, int x, int y) {
  const int rowsPerPut =
      std::max(1, static_cast<int>(d.maxRequestBytes / (static_cast<std::uint32_t>(w) * 4)));
  for (int top = 0; top < h; top += rowsPerPut) {
    const int rows = std::min(rowsPerPut, h - top);
    xcb_put_image(d.c, XCB_IMAGE_FORMAT_Z_PIXMAP, d.window, d.gc, static_cast<std::uint16_t>(w),
                  static_cast<std::uint16_t>(rows), static_cast<std::int16_t>(x),
                  static_cast<std::int16_t>(y + top), 0, 24,
                  static_cast<std::uint32_t>(w * rows * 4),
                  reinterpret_cast<const std::uint8_t*>(pixels + std::ptrdiff_t{top} * w));
  }
}

// The block around (px, py), root pixels, kept whole on the screen.
void readBlock(Floor& d, int px, int py) {
  const auto x =
      static_cast<std::int16_t>(std::clamp(px - kBlock / 2, 0, d.screen->width_in_pixels - kBlock));
  const auto y = static_cast<std::int16_t>(
      std::clamp(py - kBlock / 2, 0, d.screen->height_in_pixels - kBlock));
  xcb_generic_error_t* e = nullptr;
  if (d.shm) {
    xcb_shm_get_image_reply_t* r =
        xcb_shm_get_image_reply(d.c,
                                xcb_shm_get_image(d.c, d.screen->root, x, y, kBlock, kBlock, ~0u,
                                                  XCB_IMAGE_FORMAT_Z_PIXMAP, d.seg, 0),
                                &e);
    if (r == nullptr) failReply("reading the block", e);
    std::free(r);
    return;
  }
  xcb_get_image_reply_t* r = xcb_get_image_reply(
      d.c, xcb_get_image(d.c, XCB_IMAGE_FORMAT_Z_PIXMAP, d.screen->root, x, y, kBlock, kBlock, ~0u),
      &e);
  if (r == nullptr) failReply("reading the block", e);
  if (xcb_get_image_data_length(r) < kBlock * kBlock * 4) fail("the block came back short");
  std::memcpy(d.block, xcb_get_image_data(r), std::size_t{kBlock} * kBlock * 4);
  std::free(r);
}

// The block at 5x into the magnifier, and every 10th tick the readouts in its center's color.
void paint(Floor& d, long tick) {
  for (int y = 0; y < kMagH; ++y)
    for (int x = 0; x < kMagW; ++x)
      d.magnified[std::size_t(y * kMagW + x)] = d.block[(y / kZoom) * kBlock + x / kZoom];
  put(d, d.magnified.data(), kMagW, kMagH, 0, 0);
  if (tick % kReadEvery == 0) {
    std::fill(d.readouts.begin(), d.readouts.end(), d.block[(kBlock / 2) * kBlock + kBlock / 2]);
    put(d, d.readouts.data(), kReadW, kReadH, 0, kMagH);
  }
  xcb_flush(d.c);
}

void tick([[maybe_unused]] Floor& d, [[maybe_unused]] long n) {
  if constexpr (kLevel >= 1) {
    xcb_generic_error_t* e = nullptr;
    xcb_query_pointer_reply_t* r =
        xcb_query_pointer_reply(d.c, xcb_query_pointer(d.c, d.screen->root), &e);
    if (r == nullptr) failReply("querying the pointer", e);
    const int px = r->root_x;
    const int py = r->root_y;
    const bool onScreen = r->same_screen != 0;
    std::free(r);
    if (!onScreen) return;  // on another screen: nothing of ours to read
    if constexpr (kLevel >= 2) readBlock(d, px, py);
    if constexpr (kLevel >= 3) paint(d, n);
  }
}

// Events that came in: only errors of unchecked requests are expected, and end the program.
void drain(Floor& d, bool readSocket) {
  while (xcb_generic_event_t* ev =
             readSocket ? xcb_poll_for_event(d.c) : xcb_poll_for_queued_event(d.c)) {
    if (ev->response_type == 0)
      failX("a request failed", reinterpret_cast<xcb_generic_error_t*>(ev));
    std::free(ev);
  }
  if (xcb_connection_has_error(d.c)) fail("the X connection was lost");
}

}  // namespace

int main() {
  // SIGTERM and SIGINT arrive through a descriptor, so that they end the loop between ticks.
  sigset_t stop;
  sigemptyset(&stop);
  sigaddset(&stop, SIGTERM);
  sigaddset(&stop, SIGINT);
  if (sigprocmask(SIG_BLOCK, &stop, nullptr) != 0) failSys("sigprocmask");
  const int signals = signalfd(-1, &stop, SFD_CLOEXEC);
  if (signals < 0) failSys("signalfd");

  Floor d;
  int screenNumber = 0;
  d.c = xcb_connect(nullptr, &screenNumber);
  if (xcb_connection_has_error(d.c)) fail("cannot connect to the X display (is DISPLAY set?)");
  const xcb_setup_t* setup = xcb_get_setup(d.c);
  auto roots = xcb_setup_roots_iterator(setup);
  for (int i = 0; i < screenNumber && roots.rem > 0; ++i)
    xcb_screen_next(&roots);
  if (roots.rem == 0) fail("the display has no such screen");
  d.screen = roots.data;
  if constexpr (kLevel >= 2) {
    checkFormat(setup, d.screen);
    d.shm = attachSegment(d);
    if (!d.shm) {
      d.plainBlock.resize(std::size_t{kBlock} * kBlock);
      d.block = d.plainBlock.data();
    }
  }
  if constexpr (kLevel >= 3) createWindow(d);

  // Every 10 ms from the first deadline on, on the monotonic clock: the kernel keeps the
  // deadlines absolute, so a late tick does not shift the next.
  const int timer = timerfd_create(CLOCK_MONOTONIC, TFD_CLOEXEC);
  if (timer < 0) failSys("timerfd_create");
  itimerspec period{};
  clock_gettime(CLOCK_MONOTONIC, &period.it_value);
  period.it_value.tv_nsec += kTickNs;
  if (period.it_value.tv_nsec >= 1'000'000'000) {
    period.it_value.tv_nsec -= 1'000'000'000;
    ++period.it_value.tv_sec;
  }
  period.it_interval.tv_nsec = kTickNs;
  if (timerfd_settime(timer, TFD_TIMER_ABSTIME, &period, nullptr) != 0) failSys("timerfd_settime");

  long ticks = 0;
  std::uint64_t missed = 0;
  pollfd fds[] = {
      {timer, POLLIN, 0}, {signals, POLLIN, 0}, {xcb_get_file_descriptor(d.c), POLLIN, 0}};
  for (;;) {
    if (poll(fds, 3, -1) < 0) {
      if (errno == EINTR) continue;
      failSys("poll");
    }
    if (fds[1].revents != 0) break;
    if (fds[2].revents != 0) drain(d, true);
    if (fds[0].revents != 0) {
      std::uint64_t expirations = 0;
      if (read(timer, &expirations, sizeof expirations) != static_cast<ssize_t>(sizeof expirations))
        failSys("timerfd");
      // Ticks that came due while one ran are skipped, as a toolkit's timer skips them.
      missed += expirations - 1;
      tick(d, ticks++);
      drain(d, false);
    }
  }

  std::fprintf(stderr, "%s: %ld ticks, %llu skipped\n", kName, ticks,
               static_cast<unsigned long long>(missed));
  if (d.window != 0) {
    xcb_free_gc(d.c, d.gc);
    xcb_destroy_window(d.c, d.window);
  }
  if (d.shm) {
    xcb_shm_detach(d.c, d.seg);
    shmdt(d.block);
  }
  xcb_flush(d.c);
  xcb_disconnect(d.c);
  close(timer);
  close(signals);
  return 0;
}
