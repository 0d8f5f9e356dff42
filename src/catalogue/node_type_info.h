// One element type: glyphs, link limits, value rule, wire style, picture
// and description. The table holds one record per type code.
#pragma once

#include <QImage>
#include <string>
#include <vector>

#include "model/short_string.h"

namespace vemu::catalogue {

struct TNodeTypeInfo {
  QImage B0;                 // normal glyph, drawn transparently
  QImage BS;                 // silver silhouette of the glyph on yellow (transparent)
  bool UseInfoLink = false;  // needs a controlling link (kind 7) to its partner
  int L_in = 0;              // most input links (kind 5)
  int L_out = 0;             // most output links (kind 4)
  bool V = false;            // carries a user-given value
  char L_types = '1';        // wire style class of the element's own links
  bool Flag_Arrow = false;
  bool TwoChars = false;     // generator half of a controlled source
  model::ShortString<30> filename;  // picture file in IMAGES/
  std::string Uinfo;         // description (UTF-8, at most 100 characters); 2nd character = type letter
};

using NodeTypeTable = std::vector<TNodeTypeInfo>;

}  // namespace vemu::catalogue
