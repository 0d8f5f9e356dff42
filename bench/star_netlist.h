// A star netlist for the import benchmarks: `elements` resistors "Rk k 0 1k"
// from numbered nets to ground, after the given head lines and before ".END".
#pragma once

#include <string>
#include <vector>

inline std::vector<std::string> StarNetlist(std::vector<std::string> lines, int elements) {
  lines.reserve(lines.size() + static_cast<std::size_t>(elements) + 1);
  for (int k = 1; k <= elements; ++k) {
    std::string line = "R";
    line.append(std::to_string(k)).append(" ").append(std::to_string(k)).append(" 0 1k");
    lines.push_back(std::move(line));
  }
  lines.push_back(".END");
  return lines;
}
