#pragma once

#include <string>
#include <vector>

#include "host/ColorRef.h"

// One reference file of ../shared/gdi-oracle: the header line and the sampled grid, either a
// mask ('#' inside or changed, '.' not) or pixel colors.
struct OracleGrid {
  std::string header;
  int x0 = 0;
  int y0 = 0;
  int width = 0;
  int height = 0;
  std::vector<std::string> maskRows;             // when the file holds a mask
  std::vector<std::vector<host::ColorRef>> rgb;  // when it holds pixel rows (as ColorRefs)

  bool masked(int x, int y) const {
    return maskRows[static_cast<std::size_t>(y - y0)][static_cast<std::size_t>(x - x0)] == '#';
  }
  host::ColorRef color(int x, int y) const {
    return rgb[static_cast<std::size_t>(y - y0)][static_cast<std::size_t>(x - x0)];
  }
  // The integer after `key=` in the header (the first one of a comma list), or `fallback`.
  int headerInt(const std::string& key, int fallback = 0) const;
  std::string headerValue(const std::string& key) const;
};

// Reads `name` from the oracle directory (TINTWELL_GDI_ORACLE, else the build's default).
// Fails the calling test when the file is missing or malformed.
OracleGrid readOracle(const std::string& name);
