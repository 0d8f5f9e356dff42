// The text of one node record and its link lines, shared by the circuit
// file and the sub-circuit file (both write the same record layout).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "model/graph.h"

namespace vemu::files {

// A decimal integer right-aligned in a field of at least `width`
// characters, as printf's "%<width>d" writes it: a wider number widens the
// field, a negative one carries its minus sign.
void AppendInt(std::string& out, std::int64_t value, std::size_t width);
// Text with every CR, LF or CR LF replaced by `lineBreak`: a record is one line.
void AppendOneLine(std::string& out, std::string_view text, char lineBreak);
// "%3d %3d %3d %2d %3d %1d %3d %3d " up to the name.
void AppendRecordNumbers(std::string& out, std::int32_t number, std::int32_t x, std::int32_t y, int type,
                         std::int32_t up, std::int64_t lines, std::int32_t wx, std::int32_t wy);
// The rest of a record: an amplifier's sign, the name, a blank, the value (a
// text note's line breaks become "/", others a blank), the ground mark
// " G<1-4>" and the line end.
void AppendNameValueGround(std::string& out, const model::TheNode& n);
// One link line: "%8d %3d".
void AppendLink(std::string& out, int kind, std::int32_t target);

}  // namespace vemu::files
