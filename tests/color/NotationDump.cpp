// Every notation of runs of colors, for tests/color/notation_reference.mjs to check against
// colorjs.io: per color one line, "RRGGBB" and each notation in the listed order, tab-separated.
// A run FIRST:COUNT:STEP is COUNT colors from FIRST on, STEP apart (FIRST and STEP 0xRRGGBB in
// hex). Usage: color_notation_dump RUN...   (0:16777216:1 is every color)
#include <cstdio>
#include <string>

#include "color/ColorText.h"

int main(int argc, char** argv) {
  std::string line;
  for (int i = 1; i < argc; ++i) {
    unsigned first = 0, count = 0, step = 0;
    int end = 0;
    if (std::sscanf(argv[i], "%x:%u:%x%n", &first, &count, &step, &end) != 3 || argv[i][end]) {
      std::fprintf(stderr, "usage: color_notation_dump FIRST:COUNT:STEP...\n");
      return 2;
    }
    for (unsigned k = 0; k < count; ++k) {
      const host::ColorRef c = host::fromRgb24((first + k * step) & 0xFFFFFFu);
      line = ColorText::hex(c);
      for (const ColorText::Notation n : ColorText::kNotations)
        line += '\t' + ColorText::format(n, c);
      line += '\n';
      std::fwrite(line.data(), 1, line.size(), stdout);
    }
  }
  return std::fflush(stdout) == 0 ? 0 : 1;
}
