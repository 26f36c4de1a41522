// Hexadecimal text to a number: any bytes in, -1 or the exact value out, never a wrapped one.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "color/modXLat.h"
#include "mixer/MixerModel.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  // The value the digits stand for, saturating past the 32-bit range.
  std::int64_t want = 0;
  for (const char c : text) {
    int digit = -1;
    if (c >= '0' && c <= '9') digit = c - '0';
    if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    if (digit < 0) {
      want = -1;
      break;
    }
    want = want * 16 + digit;
    if (want > 0x7FFFFFFF) want = 0x80000000;
  }
  if (want > 0x7FFFFFFF) want = -1;
  if (modXLat::HexToLong(text) != want) std::abort();
  if (MixerModel::colorFromHexText(text) > 0xFFFFFFu) std::abort();
  return 0;
}
