// Where the result lines of the elements stand: for each key (an element's
// name followed by "= ") the first line that contains it anywhere, found in
// one pass over the lines instead of one search per element.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vemu::netlist {

class ResultIndex {
 public:
  // `keys`: the keys asked for, each ending in "= " (others are never
  // found); `lines`: the lines searched. Gives the same lines as a search
  // of each key through the lines from the first.
  ResultIndex(const std::vector<std::string>& keys, const std::vector<std::string_view>& lines);
  ResultIndex(const std::vector<std::string>& keys, const std::vector<std::string>& lines)
      : ResultIndex(keys, std::vector<std::string_view>(lines.begin(), lines.end())) {}

  // The index of the first line that contains `key`, nothing when none does.
  std::optional<std::size_t> FirstLineWith(std::string_view key) const;

 private:
  std::unordered_map<std::string, std::size_t> first_;
};

}  // namespace vemu::netlist
