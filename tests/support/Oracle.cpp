#include "Oracle.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

std::string oracleDir() {
  if (const char* env = std::getenv("TINTWELL_GDI_ORACLE")) return env;
  return TINTWELL_GDI_ORACLE_DEFAULT;
}

std::string valueAfter(const std::string& line, const std::string& key) {
  const std::string needle = key + "=";
  auto at = line.find(needle);
  while (at != std::string::npos && at > 0 && line[at - 1] != ' ')
    at = line.find(needle, at + 1);
  if (at == std::string::npos) return {};
  const auto start = at + needle.size();
  return line.substr(start, line.find(' ', start) - start);
}

// A block for a line that carries grid=x0,y0,w,h; false when it has none.
bool openBlock(const std::string& line, std::string label, OracleBlock& out) {
  const std::string grid = valueAfter(line, "grid");
  if (grid.empty()) return false;
  out = OracleBlock{};
  out.label = std::move(label);
  return std::sscanf(grid.c_str(), "%d,%d,%d,%d", &out.x0, &out.y0, &out.width, &out.height) == 4;
}

}  // namespace

std::string OracleFile::headerValue(const std::string& key) const {
  return valueAfter(header, key);
}

int OracleFile::headerInt(const std::string& key, int fallback) const {
  const std::string v = headerValue(key);
  return v.empty() ? fallback : std::stoi(v);
}

OracleFile readOracle(const std::string& name) {
  OracleFile f;
  const std::string path = oracleDir() + "/" + name;
  std::ifstream in(path);
  if (!in) {
    ADD_FAILURE() << "missing oracle file " << path;
    return f;
  }
  std::getline(in, f.header);
  OracleBlock block;
  if (openBlock(f.header, "", block)) f.blocks.push_back(block);
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty()) continue;
    if (line[0] == '@') {
      const std::string label = line.substr(1, line.find(" grid=") - 1);
      if (openBlock(line, label, block)) f.blocks.push_back(block);
      continue;
    }
    if (f.blocks.empty()) continue;
    OracleBlock& b = f.blocks.back();
    if (line.find_first_not_of("#.") == std::string::npos) {
      b.maskRows.push_back(line);
      continue;
    }
    std::istringstream row(line);
    std::vector<host::ColorRef> colors;
    std::string hex;
    while (row >> hex) {
      colors.push_back(host::fromRgb24(static_cast<std::uint32_t>(std::stoul(hex, nullptr, 16))));
    }
    b.rgb.push_back(std::move(colors));
  }
  for (const OracleBlock& b : f.blocks) {
    const auto rows = b.maskRows.empty() ? b.rgb.size() : b.maskRows.size();
    if (rows != static_cast<std::size_t>(b.height)) {
      ADD_FAILURE() << path << " " << b.label << ": " << rows << " rows, grid says " << b.height;
    }
  }
  return f;
}
