#include <charconv>

#include "files/circuit_file.h"
#include "platform/text_file.h"

namespace vemu::files {
namespace {

// A decimal integer right-aligned in a field of at least `width`
// characters, as printf's "%<width>d" writes it: a wider number widens the
// field, a negative one carries its minus sign.
void appendInt(std::string& out, std::int64_t value, std::size_t width) {
  char buffer[24];
  const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
  const auto length = static_cast<std::size_t>(end - buffer);
  if (length < width) out.append(width - length, ' ');
  out.append(buffer, length);
}

// Three decimals, '.' as separator whatever the locale, at least 5 wide.
void appendScale(std::string& out, double scale) {
  char buffer[400];  // room for the widest double in fixed notation
  const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, scale, std::chars_format::fixed, 3);
  std::string_view text = ec == std::errc() ? std::string_view(buffer, static_cast<std::size_t>(end - buffer))
                                            : std::string_view("1.000");
  if (text.size() < 5) out.append(5 - text.size(), ' ');
  out.append(text);
}

int lineCount(const model::TheNode* n) {
  int count = 0;
  n->forEachLine([&](model::TheLine*) { ++count; });
  return count;
}

// Appends text with every CR, LF or CR LF replaced by `lineBreak`.
void appendOneLine(std::string& out, std::string_view text, char lineBreak) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      out += lineBreak;
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      out += c;
    }
  }
}

}  // namespace

std::string FormatCircuitFile(model::TheBaseOfGraf& graph, const CircuitViewState& view) {
  graph.Renumber();
  const int nodeCount = graph.NodeCount();
  std::string out;
  out.reserve(static_cast<std::size_t>(nodeCount) * 100 + 256);
  out += "noname\r\n";
  out += "Vemu.exe (WxWy) $Cur $SS $Scale\r\n";
  out += "-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-\r\n";
  appendInt(out, nodeCount, 7);
  out += " - How many nodes\r\n";
  appendInt(out, model::TheBaseOfGraf::GetNumber(graph.MainNode), 7);
  out += " - Main node\r\n";
  appendInt(out, model::TheBaseOfGraf::GetNumber(graph.CurrentNode), 7);
  out += " - Current node\r\n";
  out += "--N--X---Y-Type-Up-Lines-Name-Value\r\n";
  graph.forEachNode([&](model::TheNode* n) {
    // "%3d %3d %3d %2d %3d %1d %3d %3d %s %s"
    appendInt(out, n->Number, 3);
    out += ' ';
    appendInt(out, n->X, 3);
    out += ' ';
    appendInt(out, n->Y, 3);
    out += ' ';
    appendInt(out, n->NodeType, 2);
    out += ' ';
    appendInt(out, model::TheBaseOfGraf::GetNumber(n->Upper), 3);
    out += ' ';
    appendInt(out, lineCount(n), 1);
    out += ' ';
    appendInt(out, n->Wx, 3);
    out += ' ';
    appendInt(out, n->Wy, 3);
    out += ' ';
    if (model::IsSignedAmplifierType(n->NodeType)) out += n->Polarity != 0 ? '+' : '-';
    appendOneLine(out, n->Name.str(), ' ');
    out += ' ';
    // A record is one line: a line break inside a text note becomes its line
    // separator "/", anywhere else a blank.
    appendOneLine(out, n->Value, n->IsText() ? '/' : ' ');
    if (n->Ground >= 1 && n->Ground <= 4) {
      out += " G";
      out += static_cast<char>('0' + n->Ground);
    }
    out += "\r\n";
    n->forEachLine([&](model::TheLine* l) {
      // "%8d %3d"
      appendInt(out, l->Kind, 8);
      out += ' ';
      appendInt(out, model::TheBaseOfGraf::GetNumber(l->Node), 3);
      out += "\r\n";
    });
  });
  appendInt(out, model::TheBaseOfGraf::GetNumber(view.shownNode), 7);
  out += " SubCircuit \r\n";
  appendInt(out, view.originX, 7);
  out += ' ';
  appendInt(out, view.originY, 0);
  out += ' ';
  appendScale(out, view.scale);
  out += "\r\n";
  return out;
}

bool WriteCircuitFile(model::TheBaseOfGraf& graph, const CircuitViewState& view,
                      const std::string& path, std::string* error) {
  platform::SafeFileWriter writer(path);
  writer.write(FormatCircuitFile(graph, view));
  if (writer.commit()) return true;
  if (error) *error = writer.error();
  return false;
}

}  // namespace vemu::files
