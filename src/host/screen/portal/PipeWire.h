#pragma once

// PipeWire's C headers, and the code that uses their macros, build parameters with compound
// literals and C casts: warnings this project otherwise treats as errors are off between
// TW_PIPEWIRE_BEGIN and TW_PIPEWIRE_END.
#define TW_PIPEWIRE_BEGIN                                                         \
  _Pragma("GCC diagnostic push") _Pragma("GCC diagnostic ignored \"-Wpedantic\"") \
      _Pragma("GCC diagnostic ignored \"-Wold-style-cast\"")                      \
          _Pragma("GCC diagnostic ignored \"-Wconversion\"")                      \
              _Pragma("GCC diagnostic ignored \"-Wsign-conversion\"")             \
                  _Pragma("GCC diagnostic ignored \"-Wmissing-field-initializers\"")
#define TW_PIPEWIRE_END _Pragma("GCC diagnostic pop")

TW_PIPEWIRE_BEGIN
#include <pipewire/pipewire.h>
#include <spa/buffer/meta.h>
#include <spa/param/video/format-utils.h>
#include <spa/pod/builder.h>
TW_PIPEWIRE_END
