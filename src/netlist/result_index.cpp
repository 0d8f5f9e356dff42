#include "netlist/result_index.h"

#include "platform/text_file.h"

namespace vemu::netlist {
namespace {

// Every key ends in these two characters, so a key can only stand in a line
// where they do. From each such place the keys are matched backwards, all at
// once, through a tree of the keys read from their last character: a step
// per character, and the walk stops where no key goes on.
constexpr std::string_view kKeyEnd = "= ";

class BackwardKeyTree {
 public:
  static constexpr std::uint32_t kNone = UINT32_MAX;

  // Adds a key; its number is its index in keys().
  void Add(const std::string& key) {
    std::uint32_t node = 0;
    for (std::size_t i = key.size(); i-- > 0;) {
      const std::uint64_t edge = Edge(node, static_cast<unsigned char>(key[i]));
      auto it = children_.find(edge);
      if (it == children_.end()) {
        it = children_.emplace(edge, static_cast<std::uint32_t>(keyAt_.size())).first;
        keyAt_.push_back(kNone);
      }
      node = it->second;
    }
    if (keyAt_[node] == kNone) {
      keyAt_[node] = static_cast<std::uint32_t>(keys_.size());
      keys_.push_back(key);
    }
  }

  // Calls found(key number, start) for every key that ends at `end` of
  // `line` and starts at `start`.
  template <typename F>
  void MatchEndingAt(std::string_view line, std::size_t end, F found) const {
    std::uint32_t node = 0;
    for (std::size_t i = end; i-- > 0;) {
      auto it = children_.find(Edge(node, static_cast<unsigned char>(line[i])));
      if (it == children_.end()) return;
      node = it->second;
      if (keyAt_[node] != kNone) found(keyAt_[node], i);
    }
  }

  const std::vector<std::string>& keys() const { return keys_; }

 private:
  static std::uint64_t Edge(std::uint32_t node, unsigned char c) {
    return (static_cast<std::uint64_t>(node) << 8) | c;
  }

  std::unordered_map<std::uint64_t, std::uint32_t> children_;
  std::vector<std::uint32_t> keyAt_{kNone};  // per tree node: the key ending there
  std::vector<std::string> keys_;
};

}  // namespace

template <typename Walk>
void ResultIndex::Build(const std::vector<std::string>& keys, Walk walk) {
  BackwardKeyTree tree;
  for (const std::string& key : keys)
    if (key.size() >= kKeyEnd.size() && key.compare(key.size() - kKeyEnd.size(), kKeyEnd.size(), kKeyEnd) == 0)
      tree.Add(key);
  std::vector<bool> opened(tree.keys().size(), false);
  std::vector<bool> held(tree.keys().size(), false);
  std::size_t notOpened = opened.size();
  opening_.reserve(opened.size());
  std::size_t l = 0;
  walk([&](std::string_view line) {
    if (notOpened == 0) return false;
    std::size_t lead = 0;
    while (lead < line.size() && static_cast<unsigned char>(line[lead]) <= 32) ++lead;
    for (std::size_t end = line.find(kKeyEnd); end != std::string_view::npos && notOpened > 0;
         end = line.find(kKeyEnd, end + 1)) {
      tree.MatchEndingAt(line, end + kKeyEnd.size(), [&](std::uint32_t k, std::size_t start) {
        const std::string& key = tree.keys()[k];
        if (!held[k]) {
          held[k] = true;
          within_.emplace(key, Found{Place{l, start}, line});
        }
        if (start == lead && !opened[k]) {
          opened[k] = true;
          opening_.emplace(key, Found{Place{l, start}, line});
          --notOpened;
        }
      });
    }
    ++l;
    return true;
  });
}

ResultIndex::ResultIndex(const std::vector<std::string>& keys, const std::vector<std::string_view>& lines) {
  Build(keys, [&](auto take) {
    for (const std::string_view line : lines)
      if (!take(line)) return;
  });
}

ResultIndex ResultIndex::OfTexts(const std::vector<std::string>& keys, const std::vector<std::string_view>& texts) {
  ResultIndex index;
  index.Build(keys, [&](auto take) {
    for (const std::string_view text : texts) {
      platform::LineCursor cursor(text);
      for (std::string_view line; cursor.next(line);)
        if (!take(line)) return;
    }
  });
  return index;
}

const ResultIndex::Found* ResultIndex::Lookup(std::string_view key, bool anywhere) const {
  const std::string text(key);
  if (auto it = opening_.find(text); it != opening_.end()) return &it->second;
  if (!anywhere) return nullptr;
  if (auto it = within_.find(text); it != within_.end()) return &it->second;
  return nullptr;
}

std::optional<ResultIndex::Place> ResultIndex::ResultLineOf(std::string_view key, bool anywhere) const {
  const Found* found = Lookup(key, anywhere);
  return found ? std::optional(found->place) : std::nullopt;
}

std::optional<std::string_view> ResultIndex::TextAfter(std::string_view key, bool anywhere) const {
  const Found* found = Lookup(key, anywhere);
  return found ? std::optional(found->line.substr(found->place.at + key.size())) : std::nullopt;
}

}  // namespace vemu::netlist
