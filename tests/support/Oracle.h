#pragma once

#include <string>
#include <vector>

#include "host/core/ColorRef.h"

// One sampled grid of a reference file of tests/data/gdi: either a mask ('#' inside or
// changed, '.' not) or pixel colors, for the logical area x0, y0, width, height.
struct OracleBlock {
  std::string label;  // the '@' line that opened the block ("corner TL"), empty for the first
  int x0 = 0;
  int y0 = 0;
  int width = 0;
  int height = 0;
  std::vector<std::string> maskRows;
  std::vector<std::vector<host::ColorRef>> rgb;  // as ColorRefs

  bool masked(int x, int y) const {
    return maskRows[static_cast<std::size_t>(y - y0)][static_cast<std::size_t>(x - x0)] == '#';
  }
  host::ColorRef color(int x, int y) const {
    return rgb[static_cast<std::size_t>(y - y0)][static_cast<std::size_t>(x - x0)];
  }
};

struct OracleFile {
  std::string header;
  std::vector<OracleBlock> blocks;

  const OracleBlock& grid() const { return blocks.at(0); }
  std::string headerValue(const std::string& key) const;  // the text after " key="
  int headerInt(const std::string& key, int fallback = 0) const;
};

// Reads `name` from the oracle directory (TINTWELL_GDI_ORACLE, else the build's default).
// Fails the calling test when the file is missing or a block's row count is off.
OracleFile readOracle(const std::string& name);
