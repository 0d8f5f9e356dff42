// Where text and colours meet the screen: UTF-8 and code page 1251 bytes to
// QString and back, and 0x00BBGGRR colour values to QColor and back.
#pragma once

#include <QColor>
#include <QString>
#include <cstdint>
#include <string>
#include <string_view>

namespace vemu::platform {

inline QString fromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
inline std::string toUtf8(const QString& text) {
  const QByteArray bytes = text.toUtf8();
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}
// Code page 1251 bytes (circuit names and values) to and from the screen.
QString fromCp1251(std::string_view bytes);
std::string toCp1251(const QString& text);

// A colour value 0x00BBGGRR; a system colour (top bit set) maps to the
// palette colour of its index.
QColor colorFromRef(std::uint32_t ref);
std::uint32_t colorToRef(const QColor& color);

}  // namespace vemu::platform
