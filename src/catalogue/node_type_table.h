// Building the element-type table: the fixed link limits, value rule, wire
// style and controlling-link rule of every type code, and the two pictures
// made from the type's palette glyph. Descriptions come later, from the
// captions file.
#pragma once

#include <QImage>
#include <functional>
#include <string>
#include <string_view>

#include "catalogue/node_type_info.h"

namespace vemu::catalogue {

// Which program's catalogue: the full one (codes 0 to 38) or the second
// build's (codes 0 to 35, where 33 to 35 are spare codes without a tool).
enum class TypeCatalogue { Full, Second };

// The glyph of a type code's palette button; a null image when it has none.
using GlyphOfType = std::function<QImage(int code)>;

// The fixed fields of one type code (link limits, V, L_types, UseInfoLink,
// TwoChars, Flag_Arrow false, filename empty); no pictures, no description.
TNodeTypeInfo TypeRules(int code, TypeCatalogue catalogue = TypeCatalogue::Full);

// Sizes the table to `count` records and sets, for every code in ascending
// order, the fixed fields and the pictures B0 (copy of the glyph) and BS (its
// silhouette). Descriptions already in the table are kept.
void InitNodeTypeTable(NodeTypeTable& table, int count, const GlyphOfType& glyphOf,
                       TypeCatalogue catalogue = TypeCatalogue::Full);

// Most characters a description keeps.
constexpr std::size_t kMaxDescriptionLength = 100;
// Sets the description (UTF-8), cut to its first 100 characters.
void SetDescription(TNodeTypeInfo& info, std::string_view utf8);

// The type letter: the description's second character (UTF-8), the
// designator after the opening quotation mark. "?" while the description has
// fewer than two characters (before any captions file is applied).
std::string TypeLetter(const TNodeTypeInfo& info);
// The same letter as one code page 1251 byte, as element names store it;
// '?' when there is none or the code page lacks it.
char TypeLetterByte(const TNodeTypeInfo& info);
// The lowest type code whose type letter is `letter` (a code page 1251
// byte); 0 when no type has it. The top level (1) and the junction (2) have
// no letter.
int FindTypeByLetter(const NodeTypeTable& table, char letter);

}  // namespace vemu::catalogue
