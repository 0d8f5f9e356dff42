// Where the result lines of the elements stand: for each key (an element's
// name followed by "= ") the first line that opens with it (after leading
// characters of code 32 or less) or, when no line does, the first line that
// contains it anywhere; found in one pass over the lines instead of one
// search per element.
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
  // of each key through the lines from the first, first for a line opening
  // with the key, then for one holding it.
  ResultIndex(const std::vector<std::string>& keys, const std::vector<std::string_view>& lines);
  ResultIndex(const std::vector<std::string>& keys, const std::vector<std::string>& lines)
      : ResultIndex(keys, std::vector<std::string_view>(lines.begin(), lines.end())) {}
  // The same over the lines of whole file texts, one after the other, walked
  // once: nothing is kept per line, only per key found. The texts must
  // outlive the index.
  static ResultIndex OfTexts(const std::vector<std::string>& keys, const std::vector<std::string_view>& texts);

  struct Place {
    std::size_t line;  // index into the lines
    std::size_t at;    // where the key starts in that line (its first place there)
    bool operator==(const Place&) const = default;
  };

  // The result line of `key`: the first line opening with it or, when
  // `anywhere` and none does, the first line holding it; nothing when there
  // is no such line.
  std::optional<Place> ResultLineOf(std::string_view key, bool anywhere) const;
  // The text after the key in that line.
  std::optional<std::string_view> TextAfter(std::string_view key, bool anywhere) const;

 private:
  ResultIndex() = default;
  // Fills the tables from the lines `walk` hands, in order, to the function
  // it is given (until that returns false).
  template <typename Walk>
  void Build(const std::vector<std::string>& keys, Walk walk);

  struct Found {
    Place place;
    std::string_view line;
  };
  const Found* Lookup(std::string_view key, bool anywhere) const;

  std::unordered_map<std::string, Found> opening_;  // first line opening with the key
  std::unordered_map<std::string, Found> within_;   // first line holding it anywhere

};

}  // namespace vemu::netlist
