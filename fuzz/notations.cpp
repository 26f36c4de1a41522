// A command line's list of notation names: any bytes in, either exactly the names it lists or one
// short printable line saying why not; and each notation read writes a color as non-empty ASCII.
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "color/ColorText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  // What the list names, split at every comma; none when an item is no name.
  std::vector<ColorText::Notation> want;
  bool valid = !text.empty();
  for (std::size_t start = 0; valid && start <= text.size();) {
    std::size_t comma = text.find(',', start);
    if (comma == std::string_view::npos) comma = text.size();
    valid = false;
    for (const ColorText::Notation n : ColorText::kNotations) {
      if (ColorText::nameOf(n) == text.substr(start, comma - start)) {
        want.push_back(n);
        valid = true;
      }
    }
    start = comma + 1;
  }
  const ColorText::NotationList got = ColorText::parseNotations(text);
  if (got.ok() != valid) std::abort();
  if (valid && got.notations != want) std::abort();
  if (!valid && (!got.notations.empty() || got.error.size() > 400)) std::abort();
  for (const char c : got.error) {
    if (c < 0x20 || c > 0x7E) std::abort();
  }
  const host::ColorRef color = size >= 3 ? host::RGB(data[0], data[1], data[2]) : 0;
  for (const ColorText::Notation n : got.notations) {
    const std::string out = ColorText::format(n, color);
    if (out.empty()) std::abort();
    for (const char c : out) {
      if (c < 0x20 || c > 0x7E) std::abort();
    }
  }
  return 0;
}
