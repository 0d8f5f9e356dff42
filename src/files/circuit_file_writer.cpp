#include <charconv>

#include "files/circuit_file.h"
#include "files/record_text.h"
#include "platform/text_file.h"

namespace vemu::files {
namespace {

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

}  // namespace

std::string FormatCircuitFile(model::TheBaseOfGraf& graph, const CircuitViewState& view) {
  graph.Renumber();
  const int nodeCount = graph.NodeCount();
  std::string out;
  out.reserve(static_cast<std::size_t>(nodeCount) * 100 + 256);
  out += "noname\r\n";
  out += "Vemu.exe (WxWy) $Cur $SS $Scale\r\n";
  out += "-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-\r\n";
  AppendInt(out, nodeCount, 7);
  out += " - How many nodes\r\n";
  AppendInt(out, model::TheBaseOfGraf::GetNumber(graph.MainNode), 7);
  out += " - Main node\r\n";
  AppendInt(out, model::TheBaseOfGraf::GetNumber(graph.CurrentNode), 7);
  out += " - Current node\r\n";
  out += "--N--X---Y-Type-Up-Lines-Name-Value\r\n";
  graph.forEachNode([&](model::TheNode* n) {
    AppendRecordNumbers(out, n->Number, n->X, n->Y, n->NodeType, model::TheBaseOfGraf::GetNumber(n->Upper),
                        lineCount(n), n->Wx, n->Wy);
    AppendNameValueGround(out, *n);
    n->forEachLine(
        [&](model::TheLine* l) { AppendLink(out, l->Kind, model::TheBaseOfGraf::GetNumber(l->Node)); });
  });
  AppendInt(out, model::TheBaseOfGraf::GetNumber(view.shownNode), 7);
  out += " SubCircuit \r\n";
  AppendInt(out, view.originX, 7);
  out += ' ';
  AppendInt(out, view.originY, 0);
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
