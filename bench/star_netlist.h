// Netlists for the import benchmarks, after the given head lines and before
// ".END". A star: `elements` resistors "Rk k 0 1k" from numbered nets to
// ground. Random wiring: `elements` resistors "Rk a b 1k" between nets a and
// b drawn at random from `nets` numbered nets.
#pragma once

#include <random>
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

inline std::vector<std::string> RandomNetNetlist(std::vector<std::string> lines, int elements, int nets,
                                                 unsigned seed) {
  std::mt19937 random(seed);
  lines.reserve(lines.size() + static_cast<std::size_t>(elements) + 1);
  for (int k = 1; k <= elements; ++k)
    lines.push_back("R" + std::to_string(k) + " " + std::to_string(random() % static_cast<unsigned>(nets)) + " " +
                    std::to_string(random() % static_cast<unsigned>(nets)) + " 1k");
  lines.push_back(".END");
  return lines;
}
