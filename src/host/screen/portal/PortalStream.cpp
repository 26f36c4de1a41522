#include "host/screen/portal/PortalStream.h"

#include <unistd.h>
#include <QObject>

#include <mutex>
#include <utility>

#include "host/screen/portal/PipeWire.h"

namespace host {

namespace {

// Largest cursor bitmap asked for in the metadata (pixels a side); only the position is used,
// but a producer that sends bitmaps needs room for one.
constexpr int kCursorBitmapSide = 64;

std::optional<portal::PixelOrder> orderOf(std::uint32_t format) {
  switch (format) {
    case SPA_VIDEO_FORMAT_BGRx:
    case SPA_VIDEO_FORMAT_BGRA:
      return portal::PixelOrder::BGRx;
    case SPA_VIDEO_FORMAT_RGBx:
    case SPA_VIDEO_FORMAT_RGBA:
      return portal::PixelOrder::RGBx;
    case SPA_VIDEO_FORMAT_xRGB:
    case SPA_VIDEO_FORMAT_ARGB:
      return portal::PixelOrder::xRGB;
    case SPA_VIDEO_FORMAT_xBGR:
    case SPA_VIDEO_FORMAT_ABGR:
      return portal::PixelOrder::xBGR;
    default:
      return std::nullopt;
  }
}

}  // namespace

struct PortalStream::Impl {
  std::function<void(const QString&)> notice;
  // Lives on the GUI thread: what the stream thread posts there (notices, wakes) runs in its
  // name, and is dropped with it.
  QObject gui;

  // PipeWire, on its own thread.
  pw_thread_loop* loop = nullptr;
  pw_context* context = nullptr;
  pw_core* core = nullptr;
  pw_stream* stream = nullptr;
  spa_hook streamListener{};
  bool metadataAsked = false;

  // What the stream thread hands the GUI thread.
  std::mutex lock;
  pw_buffer* held = nullptr;  // the newest frame, dequeued until a newer one replaces it
  portal::FrameView frame;    // over `held`
  portal::StreamPlacement placement;
  std::optional<portal::PixelOrder> order;
  std::optional<QPoint> pointer;  // from the cursor metadata, desktop (physical) pixels
  // New frames and pointer moves so far, and how many of them the GUI thread's last read saw: a
  // resting caller is woken by the next one.
  std::uint64_t changes = 0;
  std::uint64_t changesRead = 0;
  std::function<void()> wake;
  std::uint64_t wakeRequest = 0;  // the GUI thread's; a posted wake of an older one is dropped

  explicit Impl(std::function<void(const QString&)> noticeTo) : notice(std::move(noticeTo)) {}
  ~Impl() { stop(); }

  // From the stream thread: the notice is given on the GUI thread.
  void postNotice(const QString& text) {
    QMetaObject::invokeMethod(
        &gui, [this, text] { notice(text); }, Qt::QueuedConnection);
  }

  void start(int fd, std::uint32_t node, QPoint position, QSize size, bool metadata);
  void stop();
  void releaseHeld();  // on the stream thread or with its loop locked

  static void onParamChanged(void* data, std::uint32_t id, const spa_pod* param);
  static void onStateChanged(void* data, pw_stream_state old, pw_stream_state state,
                             const char* error);
  static void onProcess(void* data);
  static void onRemoveBuffer(void* data, pw_buffer* buffer);
};

TW_PIPEWIRE_BEGIN

void PortalStream::Impl::start(int fd, std::uint32_t node, QPoint position, QSize size,
                               bool metadata) {
  if (fd < 0) {
    notice(QStringLiteral("Wayland: the screen stream could not be opened."));
    return;
  }
  metadataAsked = metadata;
  {
    std::lock_guard guard(lock);
    placement.x = position.x();
    placement.y = position.y();
    placement.width = size.width();
    placement.height = size.height();
  }
  pw_init(nullptr, nullptr);
  loop = pw_thread_loop_new("tintwell-screen", nullptr);
  if (loop == nullptr) {
    close(fd);
    notice(QStringLiteral("Wayland: the screen stream could not be opened."));
    return;
  }
  context = pw_context_new(pw_thread_loop_get_loop(loop), nullptr, 0);
  pw_thread_loop_start(loop);
  pw_thread_loop_lock(loop);
  core = context != nullptr ? pw_context_connect_fd(context, fd, nullptr, 0) : nullptr;
  if (core == nullptr) {
    pw_thread_loop_unlock(loop);
    notice(QStringLiteral("Wayland: the screen stream could not be opened."));
    return;
  }
  stream = pw_stream_new(core, "Tintwell",
                         pw_properties_new(PW_KEY_MEDIA_TYPE, "Video", PW_KEY_MEDIA_CATEGORY,
                                           "Capture", PW_KEY_MEDIA_ROLE, "Screen", nullptr));
  static const pw_stream_events events = [] {
    pw_stream_events e{};
    e.version = PW_VERSION_STREAM_EVENTS;
    e.state_changed = &Impl::onStateChanged;
    e.param_changed = &Impl::onParamChanged;
    e.process = &Impl::onProcess;
    e.remove_buffer = &Impl::onRemoveBuffer;
    return e;
  }();
  pw_stream_add_listener(stream, &streamListener, &events, this);

  // 32-bit formats whose bytes convert exactly to a color; any size and rate the monitor has.
  std::uint8_t buffer[1024];
  spa_pod_builder b = SPA_POD_BUILDER_INIT(buffer, sizeof(buffer));
  const spa_rectangle defSize = SPA_RECTANGLE(1920, 1080), minSize = SPA_RECTANGLE(1, 1),
                      maxSize = SPA_RECTANGLE(16384, 16384);
  const spa_fraction defRate = SPA_FRACTION(30, 1), minRate = SPA_FRACTION(0, 1),
                     maxRate = SPA_FRACTION(1000, 1);
  const spa_pod* params[1];
  params[0] = static_cast<const spa_pod*>(spa_pod_builder_add_object(
      &b, SPA_TYPE_OBJECT_Format, SPA_PARAM_EnumFormat, SPA_FORMAT_mediaType,
      SPA_POD_Id(SPA_MEDIA_TYPE_video), SPA_FORMAT_mediaSubtype, SPA_POD_Id(SPA_MEDIA_SUBTYPE_raw),
      SPA_FORMAT_VIDEO_format,
      SPA_POD_CHOICE_ENUM_Id(9, SPA_VIDEO_FORMAT_BGRx, SPA_VIDEO_FORMAT_BGRx, SPA_VIDEO_FORMAT_RGBx,
                             SPA_VIDEO_FORMAT_xRGB, SPA_VIDEO_FORMAT_xBGR, SPA_VIDEO_FORMAT_BGRA,
                             SPA_VIDEO_FORMAT_RGBA, SPA_VIDEO_FORMAT_ARGB, SPA_VIDEO_FORMAT_ABGR),
      SPA_FORMAT_VIDEO_size, SPA_POD_CHOICE_RANGE_Rectangle(&defSize, &minSize, &maxSize),
      SPA_FORMAT_VIDEO_framerate, SPA_POD_CHOICE_RANGE_Fraction(&defRate, &minRate, &maxRate)));
  const int connected = pw_stream_connect(
      stream, PW_DIRECTION_INPUT, node,
      static_cast<pw_stream_flags>(PW_STREAM_FLAG_AUTOCONNECT | PW_STREAM_FLAG_MAP_BUFFERS), params,
      1);
  pw_thread_loop_unlock(loop);
  if (connected < 0) notice(QStringLiteral("Wayland: the screen stream could not be opened."));
}

void PortalStream::Impl::onParamChanged(void* data, std::uint32_t id, const spa_pod* param) {
  auto* self = static_cast<Impl*>(data);
  if (param == nullptr || id != SPA_PARAM_Format) return;
  spa_video_info_raw info{};
  if (spa_format_video_raw_parse(param, &info) < 0) return;
  {
    std::lock_guard guard(self->lock);
    self->order = orderOf(info.format);
    self->placement.frameWidth = static_cast<int>(info.size.width);
    self->placement.frameHeight = static_cast<int>(info.size.height);
  }
  self->releaseHeld();
  if (!orderOf(info.format)) {
    self->postNotice(QStringLiteral("Wayland: the stream's pixel format is unreadable."));
    return;
  }
  // Shared memory only: the frames are read by the CPU, one pixel or block at a time.
  std::uint8_t buffer[1024];
  spa_pod_builder b = SPA_POD_BUILDER_INIT(buffer, sizeof(buffer));
  const spa_pod* params[2];
  std::uint32_t n = 0;
  params[n++] = static_cast<const spa_pod*>(spa_pod_builder_add_object(
      &b, SPA_TYPE_OBJECT_ParamBuffers, SPA_PARAM_Buffers, SPA_PARAM_BUFFERS_dataType,
      SPA_POD_CHOICE_FLAGS_Int((1 << SPA_DATA_MemPtr) | (1 << SPA_DATA_MemFd))));
  if (self->metadataAsked) {
    const int cursorSize = static_cast<int>(sizeof(spa_meta_cursor) + sizeof(spa_meta_bitmap)) +
                           kCursorBitmapSide * kCursorBitmapSide * 4;
    params[n++] = static_cast<const spa_pod*>(spa_pod_builder_add_object(
        &b, SPA_TYPE_OBJECT_ParamMeta, SPA_PARAM_Meta, SPA_PARAM_META_type,
        SPA_POD_Id(SPA_META_Cursor), SPA_PARAM_META_size,
        SPA_POD_CHOICE_RANGE_Int(cursorSize, static_cast<int>(sizeof(spa_meta_cursor)),
                                 cursorSize)));
  }
  pw_stream_update_params(self->stream, params, n);
}

void PortalStream::Impl::onStateChanged(void* data, pw_stream_state old, pw_stream_state state,
                                        const char* error) {
  auto* self = static_cast<Impl*>(data);
  if (state == PW_STREAM_STATE_ERROR || state == PW_STREAM_STATE_UNCONNECTED) {
    // The stream's buffers may be gone already: the held one is dropped, not queued back.
    {
      std::lock_guard guard(self->lock);
      self->held = nullptr;
      self->frame = portal::FrameView{};
    }
    self->postNotice(QStringLiteral("Wayland: the screen stream stopped%1.")
                         .arg(error != nullptr
                                  ? QStringLiteral(" (%1)").arg(QString::fromUtf8(error))
                                  : QString()));
  } else if (state == PW_STREAM_STATE_PAUSED && old == PW_STREAM_STATE_STREAMING) {
    // The producer went away (or renegotiates, and streams again in a moment).
    self->postNotice(QStringLiteral("Wayland: the screen stream stopped."));
  } else if (state == PW_STREAM_STATE_STREAMING) {
    // Pixels come; without cursor metadata the pointer's position does not.
    self->postNotice(self->metadataAsked
                         ? QString()
                         : QStringLiteral("Wayland: this desktop shares no pointer position."));
  }
}

void PortalStream::Impl::onProcess(void* data) {
  auto* self = static_cast<Impl*>(data);
  // Only the newest frame matters; older ones go straight back. Each may carry a pointer move.
  pw_buffer* newest = nullptr;
  portal::Bytes newestBytes;
  std::int32_t newestStride = 0;
  std::optional<QPoint> pointer;
  while (pw_buffer* b = pw_stream_dequeue_buffer(self->stream)) {
    const spa_buffer* sb = b->buffer;
    if (sb == nullptr) {
      pw_stream_queue_buffer(self->stream, b);
      continue;
    }
    if (auto* c = static_cast<spa_meta_cursor*>(
            spa_buffer_find_meta_data(sb, SPA_META_Cursor, sizeof(spa_meta_cursor)))) {
      const portal::CursorMeta meta{c->id, c->position.x, c->position.y, c->hotspot.x,
                                    c->hotspot.y};
      std::lock_guard guard(self->lock);
      if (const auto p = portal::pointerOnDesktop(self->placement, meta))
        pointer = QPoint(p->x, p->y);
    }
    // A buffer may come with no data plane at all (cursor metadata alone).
    std::optional<portal::Bytes> bytes;
    if (sb->n_datas > 0 && sb->datas != nullptr && sb->datas[0].chunk != nullptr) {
      const spa_data& d = sb->datas[0];
      bytes =
          portal::chunkBytes({static_cast<const std::uint8_t*>(d.data), d.maxsize, d.chunk->offset,
                              d.chunk->size, (d.chunk->flags & SPA_CHUNK_FLAG_CORRUPTED) != 0});
      if (bytes) newestStride = d.chunk->stride;
    }
    if (!bytes) {
      pw_stream_queue_buffer(self->stream, b);
      continue;
    }
    if (newest != nullptr) pw_stream_queue_buffer(self->stream, newest);
    newest = b;
    newestBytes = *bytes;
  }
  pw_buffer* old = nullptr;
  std::function<void()> wake;
  {
    std::lock_guard guard(self->lock);
    if (newest != nullptr || (pointer && pointer != self->pointer)) {
      ++self->changes;
      wake = std::move(self->wake);
      self->wake = nullptr;
    }
    if (pointer) self->pointer = pointer;
    if (newest != nullptr) {
      old = self->held;
      self->held = newest;
      self->frame.data = newestBytes.data;
      self->frame.bytes = newestBytes.size;
      self->frame.width = self->placement.frameWidth;
      self->frame.height = self->placement.frameHeight;
      self->frame.stride = newestStride > 0 ? newestStride : self->frame.width * 4;
      self->frame.order = self->order.value_or(portal::PixelOrder::BGRx);
      if (!self->order) self->frame.data = nullptr;  // a format we cannot convert: no pixels
    }
  }
  if (old != nullptr) pw_stream_queue_buffer(self->stream, old);
  if (wake) {
    QMetaObject::invokeMethod(&self->gui, std::move(wake), Qt::QueuedConnection);
  }
}

void PortalStream::Impl::onRemoveBuffer(void* data, pw_buffer* buffer) {
  // Buffers go when the format changes or the producer goes away: never read one after that.
  auto* self = static_cast<Impl*>(data);
  std::lock_guard guard(self->lock);
  if (self->held == buffer) {
    self->held = nullptr;
    self->frame = portal::FrameView{};
  }
}

void PortalStream::Impl::releaseHeld() {
  pw_buffer* old = nullptr;
  {
    std::lock_guard guard(lock);
    old = held;
    held = nullptr;
    frame = portal::FrameView{};
  }
  if (old != nullptr && stream != nullptr) pw_stream_queue_buffer(stream, old);
}

void PortalStream::Impl::stop() {
  if (loop == nullptr) return;
  pw_thread_loop_lock(loop);
  if (stream != nullptr) {
    releaseHeld();
    pw_stream_destroy(stream);
    stream = nullptr;
  }
  if (core != nullptr) pw_core_disconnect(core);
  core = nullptr;
  pw_thread_loop_unlock(loop);
  pw_thread_loop_stop(loop);
  if (context != nullptr) pw_context_destroy(context);
  context = nullptr;
  pw_thread_loop_destroy(loop);
  loop = nullptr;
}

TW_PIPEWIRE_END

PortalStream::PortalStream(std::function<void(const QString&)> notice)
    : m(std::make_unique<Impl>(std::move(notice))) {}

PortalStream::~PortalStream() = default;

void PortalStream::start(int fd, std::uint32_t node, QPoint position, QSize size,
                         bool cursorMetadata) {
  m->start(fd, node, position, size, cursorMetadata);
}

void PortalStream::stop() {
  m->stop();
}

portal::StreamPlacement PortalStream::placement() const {
  std::lock_guard guard(m->lock);
  return m->placement;
}

PortalStream::Pointer PortalStream::pointer() const {
  std::lock_guard guard(m->lock);
  return {m->pointer, m->placement};
}

ColorRef PortalStream::pixel(QPoint p) {
  std::lock_guard guard(m->lock);
  m->changesRead = m->changes;
  const portal::Point f = portal::desktopToFrame(m->placement, {p.x(), p.y()});
  return portal::pixelOf(m->frame, f.x, f.y);
}

void PortalStream::copyBlock(const QRect& r, std::uint32_t* words, int stride) {
  std::lock_guard guard(m->lock);
  m->changesRead = m->changes;
  const portal::Point f = portal::desktopToFrame(m->placement, {r.x(), r.y()});
  portal::copyBlock(m->frame, f.x, f.y, r.width(), r.height(), words, stride);
}

bool PortalStream::wakeOnActivity(std::function<void()> wake) {
  const std::uint64_t request = ++m->wakeRequest;
  std::lock_guard guard(m->lock);
  m->wake = nullptr;
  // Only a stream with cursor metadata tells of every pointer move; before the first frame, or
  // with something new since the last read, the caller goes on polling.
  if (!wake || m->loop == nullptr || !m->metadataAsked || !m->held ||
      m->changes != m->changesRead) {
    return false;
  }
  m->wake = [impl = m.get(), request, wake = std::move(wake)] {
    if (impl->wakeRequest == request) wake();
  };
  return true;
}

}  // namespace host
