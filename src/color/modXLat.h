#pragma once

#include <cstdint>
#include <string_view>

namespace modXLat {

// The value of a text of hexadecimal digits (either case, most significant first); 0 for an
// empty text; -1 for a text holding any character that is not a hexadecimal digit. A text whose
// value does not fit a non-negative 32-bit integer (above 7FFFFFFF, which takes eight or more
// significant digits) also gives -1 rather than a wrapped number: the callers already treat -1
// as "not a color channel".
std::int32_t HexToLong(std::string_view text);

}  // namespace modXLat
