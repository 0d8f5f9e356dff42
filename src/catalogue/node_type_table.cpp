#include "catalogue/node_type_table.h"

#include "catalogue/glyphs.h"
#include "platform/text_codec.h"

namespace vemu::catalogue {
namespace {

bool OneOf(int code, std::initializer_list<int> codes) {
  for (int c : codes)
    if (c == code) return true;
  return false;
}

// Codes without links of either kind.
bool HasNoLinks(int code, TypeCatalogue catalogue) {
  if (OneOf(code, {0, 1, 29, 32, 34})) return true;
  // The second build's spare codes accept no links.
  return catalogue == TypeCatalogue::Second && code >= 33;
}

// Codes whose elements carry a user-given value.
bool CarriesValue(int code, TypeCatalogue catalogue) {
  if (OneOf(code, {3, 4, 7, 8, 12, 14, 16}) || (code >= 18 && code <= 28) || code == 30 || code == 31)
    return true;
  if (catalogue == TypeCatalogue::Second) return false;  // nothing from 32 up
  return code >= 33 && code <= 38;
}

}  // namespace

TNodeTypeInfo TypeRules(int code, TypeCatalogue catalogue) {
  TNodeTypeInfo info;
  info.filename = "";
  info.L_in = HasNoLinks(code, catalogue) ? 0 : 1;
  info.L_out = info.L_in;
  info.L_types = (code >= 5 && code <= 10) || code == 29 ? '2' : '1';
  info.V = CarriesValue(code, catalogue);
  info.Flag_Arrow = false;
  info.TwoChars = OneOf(code, {12, 14, 16, 18});
  info.UseInfoLink = OneOf(code, {9, 12, 14, 16, 18});
  return info;
}

void InitNodeTypeTable(NodeTypeTable& table, int count, const GlyphOfType& glyphOf,
                       TypeCatalogue catalogue) {
  table.resize(count > 0 ? static_cast<std::size_t>(count) : 0);
  for (int t = 0; t < count; ++t) {
    TNodeTypeInfo& info = table[static_cast<std::size_t>(t)];
    std::string description = std::move(info.Uinfo);
    info = TypeRules(t, catalogue);
    info.Uinfo = std::move(description);
  }
  for (int t = 0; t < count; ++t) {
    TNodeTypeInfo& info = table[static_cast<std::size_t>(t)];
    const QImage glyph = glyphOf ? glyphOf(t) : QImage();
    info.B0 = CopyGlyph(glyph);
    info.BS = MakeSilhouette(info.B0);
  }
}

void SetDescription(TNodeTypeInfo& info, std::string_view utf8) {
  info.Uinfo = platform::utf8Left(utf8, kMaxDescriptionLength);
}

std::string TypeLetter(const TNodeTypeInfo& info) {
  if (platform::utf8Length(info.Uinfo) < 2) return "?";
  const std::string firstTwo = platform::utf8Left(info.Uinfo, 2);
  const std::string first = platform::utf8Left(info.Uinfo, 1);
  return firstTwo.substr(first.size());
}

char TypeLetterByte(const TNodeTypeInfo& info) {
  const std::string letter = platform::utf8ToCp1251(TypeLetter(info));
  return letter.size() == 1 ? letter[0] : '?';
}

int FindTypeByLetter(const NodeTypeTable& table, char letter) {
  const std::string wanted = platform::cp1251ToUtf8(std::string_view(&letter, 1));
  // The top level and the junction carry no letter of their own, whatever
  // their descriptions begin with; a type without a description has none.
  for (std::size_t code = 3; code < table.size(); ++code) {
    if (platform::utf8Length(table[code].Uinfo) >= 2 && TypeLetter(table[code]) == wanted)
      return static_cast<int>(code);
  }
  return 0;
}

}  // namespace vemu::catalogue
