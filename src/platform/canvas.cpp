#include <QFontMetrics>
#include <array>
#include <deque>
#include <string_view>
#include <vector>

#include "platform/canvas.h"
#include "platform/canvas_text.h"
#include "platform/image_canvas.h"
#include "platform/text_codec.h"

namespace vemu::platform {

std::uint32_t SystemColorRgb(std::uint32_t color) {
  if ((color & 0x80000000u) == 0) return color & 0x00FFFFFFu;
  static constexpr std::array<std::uint32_t, 31> kSystemColors{
      0xC8C8C8, 0x000000, 0xD1B499, 0xDBCDBF, 0xF0F0F0, 0xFFFFFF, 0x646464, 0x000000,
      0x000000, 0x000000, 0xB4B4B4, 0xFCF7F4, 0xABABAB, 0xFF9933, 0xFFFFFF, 0xF0F0F0,
      0xA0A0A0, 0x6D6D6D, 0x000000, 0x000000, 0xFFFFFF, 0x696969, 0xE3E3E3, 0x000000,
      0xE1FFFF, 0xB5B5B5, 0xCC6600, 0xEAD1B9, 0xF2E4D7, 0xFF9933, 0xF0F0F0};
  const std::uint32_t index = color & 0xFFu;
  return index < kSystemColors.size() ? kSystemColors[index] : 0x000000;
}

namespace {

// Every code page 1251 byte as one Unicode character.
const std::array<char16_t, 256>& Cp1251Table() {
  static const std::array<char16_t, 256> table = [] {
    std::array<char16_t, 256> t{};
    for (int b = 0; b < 256; ++b) {
      const std::string utf8 = cp1251ToUtf8(std::string(1, static_cast<char>(b)));
      const QString s = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
      t[static_cast<std::size_t>(b)] = s.size() == 1 ? s.at(0).unicode() : u'?';
    }
    return t;
  }();
  return table;
}

// Made texts and their extents; forgotten in one go when the store grows
// past a few tens of thousands (labels change rarely between frames). The
// texts sit one after the other; an open table of their hashes finds them
// (a probe, then one text to compare). A label is measured and then
// written: the last text asked for is kept at hand.
class TextStore {
 public:
  DrawingText& Find(const std::string& bytes) {
    if (last_ && last_->key == bytes) return last_->text;
    const std::uint64_t hash = std::hash<std::string_view>{}(bytes);
    const auto tag = static_cast<std::uint32_t>(hash >> 32) | 1u;  // never 0: 0 marks a free slot
    if (slots_.empty() || 2 * (entries_.size() + 1) > slots_.size()) Grow();
    std::size_t i = static_cast<std::size_t>(hash) & (slots_.size() - 1);
    for (;; i = (i + 1) & (slots_.size() - 1)) {
      const Slot slot = slots_[i];
      if (slot.tag == 0) break;
      if (slot.tag == tag && entries_[slot.index].key == bytes) return Remember(entries_[slot.index]);
    }
    Entry& entry = entries_.emplace_back();
    entry.key = bytes;
    const auto& table = Cp1251Table();
    entry.text.text.resize(static_cast<qsizetype>(bytes.size()));
    for (std::size_t k = 0; k < bytes.size(); ++k)
      entry.text.text[static_cast<qsizetype>(k)] = QChar(table[static_cast<unsigned char>(bytes[k])]);
    slots_[i] = {tag, static_cast<std::uint32_t>(entries_.size() - 1)};
    return Remember(entry);
  }

 private:
  struct Entry {
    std::string key;
    DrawingText text;
  };
  struct Slot {
    std::uint32_t tag = 0;
    std::uint32_t index = 0;
  };
  static constexpr std::size_t kMaxTexts = 40000;

  DrawingText& Remember(Entry& e) {
    last_ = &e;
    return e.text;
  }
  // Room for one more text: twice the slots, or everything forgotten at the limit.
  void Grow() {
    if (entries_.size() >= kMaxTexts) {
      entries_.clear();
      slots_.assign(slots_.size(), Slot{});
      last_ = nullptr;
      return;
    }
    std::vector<Slot> old = std::move(slots_);
    slots_.assign(std::max<std::size_t>(1024, 2 * old.size()), Slot{});
    for (std::size_t k = 0; k < entries_.size(); ++k) {
      const std::uint64_t hash = std::hash<std::string_view>{}(entries_[k].key);
      std::size_t i = static_cast<std::size_t>(hash) & (slots_.size() - 1);
      while (slots_[i].tag != 0) i = (i + 1) & (slots_.size() - 1);
      slots_[i] = {static_cast<std::uint32_t>(hash >> 32) | 1u, static_cast<std::uint32_t>(k)};
    }
  }

  std::deque<Entry> entries_;
  std::vector<Slot> slots_;
  Entry* last_ = nullptr;
};

DrawingText& Entry(const std::string& bytes) {
  static TextStore store;
  return store.Find(bytes);
}

const QFontMetrics& Metrics() {
  static const QFontMetrics metrics(DrawingFont());
  return metrics;
}

}  // namespace

const QString& CachedCp1251Text(const std::string& bytes) { return Entry(bytes).text; }

DrawingText& DrawingTextOf(const std::string& bytes) {
  DrawingText& entry = Entry(bytes);
  if (entry.extent.cx < 0) entry.extent = {Metrics().horizontalAdvance(entry.text), Metrics().height()};
  return entry;
}

TSize DrawingTextExtent(const std::string& bytes) {
  DrawingText& entry = Entry(bytes);
  if (entry.extent.cx < 0) entry.extent = {Metrics().horizontalAdvance(entry.text), Metrics().height()};
  return entry.extent;
}

int DrawingFontAscent() { return Metrics().ascent(); }

}  // namespace vemu::platform
