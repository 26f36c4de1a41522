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
}  // namespace

std::string OracleGrid::headerValue(const std::string& key) const {
  const std::string needle = " " + key + "=";
  const auto at = header.find(needle);
  if (at == std::string::npos) return {};
  const auto start = at + needle.size();
  return header.substr(start, header.find(' ', start) - start);
}

int OracleGrid::headerInt(const std::string& key, int fallback) const {
  const std::string v = headerValue(key);
  return v.empty() ? fallback : std::stoi(v);
}

OracleGrid readOracle(const std::string& name) {
  OracleGrid g;
  const std::string path = oracleDir() + "/" + name;
  std::ifstream in(path);
  if (!in) {
    ADD_FAILURE() << "missing oracle file " << path;
    return g;
  }
  std::getline(in, g.header);
  const std::string grid = g.headerValue("grid");
  if (std::sscanf(grid.c_str(), "%d,%d,%d,%d", &g.x0, &g.y0, &g.width, &g.height) != 4) {
    ADD_FAILURE() << "no grid= in " << path;
    return g;
  }
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '@') continue;
    if (line.find_first_not_of("#.") == std::string::npos) {
      g.maskRows.push_back(line);
      continue;
    }
    std::istringstream row(line);
    std::vector<host::ColorRef> colors;
    std::string hex;
    while (row >> hex)
      colors.push_back(host::fromRgb24(static_cast<std::uint32_t>(std::stoul(hex, nullptr, 16))));
    g.rgb.push_back(std::move(colors));
  }
  const auto rows = g.maskRows.empty() ? g.rgb.size() : g.maskRows.size();
  if (rows != static_cast<std::size_t>(g.height)) {
    ADD_FAILURE() << path << ": " << rows << " rows, grid says " << g.height;
  }
  return g;
}
