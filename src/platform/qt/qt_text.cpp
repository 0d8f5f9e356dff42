#include "platform/qt/qt_text.h"

#include <QApplication>
#include <QPalette>

#include "platform/text_codec.h"

namespace vemu::platform {

QString fromCp1251(std::string_view bytes) { return fromUtf8(cp1251ToUtf8(bytes)); }

std::string toCp1251(const QString& text) { return utf8ToCp1251(toUtf8(text)); }

namespace {
// The system colours the settings use, by their index.
QColor systemColor(std::uint32_t index) {
  const QPalette palette = QApplication::palette();
  switch (index) {
    case 5: return palette.color(QPalette::Base);
    case 8: return palette.color(QPalette::Text);
    case 15: return palette.color(QPalette::Button);
    case 24: return palette.color(QPalette::ToolTipBase);
    case 27: return QColor(0xB9, 0xD1, 0xEA);  // gradient of an active caption
    case 28: return QColor(0xD7, 0xE4, 0xF2);  // gradient of an inactive caption
    default: return palette.color(QPalette::Window);
  }
}
}  // namespace

QColor colorFromRef(std::uint32_t ref) {
  if (ref & 0x80000000u) return systemColor(ref & 0xFFu);
  return QColor(static_cast<int>(ref & 0xFF), static_cast<int>((ref >> 8) & 0xFF),
                static_cast<int>((ref >> 16) & 0xFF));
}

std::uint32_t colorToRef(const QColor& color) {
  return static_cast<std::uint32_t>(color.red()) | (static_cast<std::uint32_t>(color.green()) << 8) |
         (static_cast<std::uint32_t>(color.blue()) << 16);
}

}  // namespace vemu::platform
