// A screen-cast stream for the Wayland end-to-end test where the desktop's own portal cannot
// share the screen: a PipeWire video source that sends one picture (the desktop's, taken with
// grim) as BGRx frames in shared memory, 20 a second, each with cursor metadata whose position is
// read from a file ("x y", frame pixels; no file: no pointer information). Prints its node's id
// on stdout (one line) once the node exists. One serves one portal session, as a desktop's own
// stream does: buffers held by a consumer that dies are not given back to the producer, so a
// stream shared by session after session runs dry.
// Usage: tintwell_test_screen_stream PICTURE.png POINTER_FILE
#include <QImage>
#include <QString>

#include <cstdio>
#include <cstring>
#include <fstream>

#include "host/screen/portal/PipeWire.h"

TW_PIPEWIRE_BEGIN

namespace {

struct Producer {
  QImage picture;
  const char* pointerFile = nullptr;
  pw_main_loop* loop = nullptr;
  pw_stream* stream = nullptr;
  spa_hook listener{};
  std::uint32_t cursorSerial = 0;
  bool announced = false;
};

void onStateChanged(void* data, pw_stream_state, pw_stream_state state, const char*) {
  auto* p = static_cast<Producer*>(data);
  const std::uint32_t node = pw_stream_get_node_id(p->stream);
  if (p->announced || state == PW_STREAM_STATE_ERROR || node == SPA_ID_INVALID) return;
  std::printf("%u\n", node);
  std::fflush(stdout);
  p->announced = true;
}

void onParamChanged(void* data, std::uint32_t id, const spa_pod* param) {
  auto* p = static_cast<Producer*>(data);
  if (param == nullptr || id != SPA_PARAM_Format) return;
  const int stride = p->picture.width() * 4;
  std::uint8_t buffer[1024];
  spa_pod_builder b = SPA_POD_BUILDER_INIT(buffer, sizeof(buffer));
  const spa_pod* params[2];
  params[0] = static_cast<const spa_pod*>(spa_pod_builder_add_object(
      &b, SPA_TYPE_OBJECT_ParamBuffers, SPA_PARAM_Buffers, SPA_PARAM_BUFFERS_buffers,
      SPA_POD_CHOICE_RANGE_Int(4, 2, 8), SPA_PARAM_BUFFERS_blocks, SPA_POD_Int(1),
      SPA_PARAM_BUFFERS_size, SPA_POD_Int(stride * p->picture.height()), SPA_PARAM_BUFFERS_stride,
      SPA_POD_Int(stride), SPA_PARAM_BUFFERS_dataType,
      SPA_POD_CHOICE_FLAGS_Int(1 << SPA_DATA_MemFd)));
  params[1] = static_cast<const spa_pod*>(
      spa_pod_builder_add_object(&b, SPA_TYPE_OBJECT_ParamMeta, SPA_PARAM_Meta, SPA_PARAM_META_type,
                                 SPA_POD_Id(SPA_META_Cursor), SPA_PARAM_META_size,
                                 SPA_POD_Int(static_cast<int>(sizeof(spa_meta_cursor)))));
  pw_stream_update_params(p->stream, params, 2);
}

void onProcess(void* data) {
  auto* p = static_cast<Producer*>(data);
  pw_buffer* b = pw_stream_dequeue_buffer(p->stream);
  if (b == nullptr) return;
  spa_data& d = b->buffer->datas[0];
  if (d.data != nullptr) {
    const auto bytes = static_cast<std::uint32_t>(p->picture.sizeInBytes());
    std::memcpy(d.data, p->picture.constBits(), std::min(bytes, d.maxsize));
    d.chunk->offset = 0;
    d.chunk->size = std::min(bytes, d.maxsize);
    d.chunk->stride = p->picture.width() * 4;
  }
  if (auto* c = static_cast<spa_meta_cursor*>(
          spa_buffer_find_meta_data(b->buffer, SPA_META_Cursor, sizeof(spa_meta_cursor)))) {
    std::ifstream in(p->pointerFile);
    int x = 0, y = 0;
    if (in >> x >> y) {
      c->id = 1;
      c->position.x = x;
      c->position.y = y;
      c->hotspot.x = 3;  // a bitmap's offset: must not move the point
      c->hotspot.y = 4;
    } else {
      c->id = 0;
    }
    c->flags = 0;
    c->bitmap_offset = 0;
  }
  pw_stream_queue_buffer(p->stream, b);
}

void onTimer(void* data, std::uint64_t) {
  auto* p = static_cast<Producer*>(data);
  pw_stream_trigger_process(p->stream);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs("usage: tintwell_test_screen_stream PICTURE.png POINTER_FILE\n", stderr);
    return 2;
  }
  Producer p;
  p.picture = QImage(QString::fromLocal8Bit(argv[1])).convertToFormat(QImage::Format_RGB32);
  p.pointerFile = argv[2];
  if (p.picture.isNull()) {
    std::fputs("tintwell_test_screen_stream: cannot read the picture\n", stderr);
    return 1;
  }
  pw_init(&argc, &argv);
  p.loop = pw_main_loop_new(nullptr);
  p.stream = pw_stream_new_simple(
      pw_main_loop_get_loop(p.loop), "tintwell-test-screen",
      pw_properties_new(PW_KEY_MEDIA_CLASS, "Video/Source", PW_KEY_NODE_NAME,
                        "tintwell-test-screen", nullptr),
      [] {
        static pw_stream_events e{};
        e.version = PW_VERSION_STREAM_EVENTS;
        e.param_changed = onParamChanged;
        e.process = onProcess;
        e.state_changed = onStateChanged;
        return &e;
      }(),
      &p);
  // The picture's format and size only: QImage's RGB32 is BGRx in memory.
  std::uint8_t buffer[1024];
  spa_pod_builder b = SPA_POD_BUILDER_INIT(buffer, sizeof(buffer));
  const spa_rectangle size = SPA_RECTANGLE(static_cast<std::uint32_t>(p.picture.width()),
                                           static_cast<std::uint32_t>(p.picture.height()));
  const spa_fraction rate = SPA_FRACTION(20, 1);
  const spa_pod* params[1];
  params[0] = static_cast<const spa_pod*>(spa_pod_builder_add_object(
      &b, SPA_TYPE_OBJECT_Format, SPA_PARAM_EnumFormat, SPA_FORMAT_mediaType,
      SPA_POD_Id(SPA_MEDIA_TYPE_video), SPA_FORMAT_mediaSubtype, SPA_POD_Id(SPA_MEDIA_SUBTYPE_raw),
      SPA_FORMAT_VIDEO_format, SPA_POD_Id(SPA_VIDEO_FORMAT_BGRx), SPA_FORMAT_VIDEO_size,
      SPA_POD_Rectangle(&size), SPA_FORMAT_VIDEO_framerate, SPA_POD_Fraction(&rate)));
  pw_stream_connect(
      p.stream, PW_DIRECTION_OUTPUT, PW_ID_ANY,
      static_cast<pw_stream_flags>(PW_STREAM_FLAG_DRIVER | PW_STREAM_FLAG_MAP_BUFFERS), params, 1);
  spa_source* timer = pw_loop_add_timer(pw_main_loop_get_loop(p.loop), onTimer, &p);
  timespec first{0, 1}, every{0, 50'000'000};
  pw_loop_update_timer(pw_main_loop_get_loop(p.loop), timer, &first, &every, false);
  pw_main_loop_run(p.loop);
  pw_stream_destroy(p.stream);
  pw_main_loop_destroy(p.loop);
  pw_deinit();
  return 0;
}
TW_PIPEWIRE_END
