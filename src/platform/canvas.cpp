#include <QFontMetrics>
#include <array>
#include <unordered_map>

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
// past a few thousand (labels change rarely between frames).
struct TextEntry {
  QString text;
  TSize extent{-1, -1};
};

TextEntry& Entry(const std::string& bytes) {
  static std::unordered_map<std::string, TextEntry> store;
  auto it = store.find(bytes);
  if (it != store.end()) return it->second;
  if (store.size() > 20000) store.clear();
  TextEntry entry;
  const auto& table = Cp1251Table();
  entry.text.resize(static_cast<qsizetype>(bytes.size()));
  for (std::size_t i = 0; i < bytes.size(); ++i)
    entry.text[static_cast<qsizetype>(i)] = QChar(table[static_cast<unsigned char>(bytes[i])]);
  return store.emplace(bytes, std::move(entry)).first->second;
}

const QFontMetrics& Metrics() {
  static const QFontMetrics metrics(DrawingFont());
  return metrics;
}

}  // namespace

const QString& CachedCp1251Text(const std::string& bytes) { return Entry(bytes).text; }

TSize DrawingTextExtent(const std::string& bytes) {
  TextEntry& entry = Entry(bytes);
  if (entry.extent.cx < 0) entry.extent = {Metrics().horizontalAdvance(entry.text), Metrics().height()};
  return entry.extent;
}

int DrawingFontAscent() { return Metrics().ascent(); }

}  // namespace vemu::platform
