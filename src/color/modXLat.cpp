#include "modXLat.h"

namespace modXLat {

std::int32_t HexToLong(std::string_view text) {
  // Scanned from the last character towards the first, as the digits' weights grow; a bad
  // character anywhere gives -1 whatever the others are. The sum is kept in 64 bits and checked
  // against the 32-bit range after every digit, so no text can overflow it.
  constexpr std::int64_t kMax = 0x7FFFFFFF;
  std::int64_t total = 0;
  std::int64_t weight = 1;  // 16^i, or beyond kMax once further digits can only be zeros
  bool overflow = false;
  const std::size_t n = text.size();
  for (std::size_t i = 0; i < n; ++i) {
    const char c = text[n - 1 - i];
    std::int64_t digit;
    if (c >= '0' && c <= '9') {
      digit = c - '0';
    } else if (c >= 'A' && c <= 'F') {
      digit = c - 55;
    } else if (c >= 'a' && c <= 'f') {
      digit = c - 87;
    } else {
      return -1;
    }
    if (digit != 0) {
      if (weight > kMax) {
        overflow = true;
      } else {
        total += digit * weight;
        if (total > kMax) overflow = true;
      }
    }
    if (weight <= kMax) weight *= 16;
  }
  return overflow ? -1 : static_cast<std::int32_t>(total);
}

}  // namespace modXLat
