#include <charconv>
#include <cstdio>

#include "files/circuit_file.h"
#include "platform/text_file.h"

namespace vemu::files {
namespace {

void appendf(std::string& out, const char* format, auto... args) {
  char buffer[64];
  const int n = std::snprintf(buffer, sizeof buffer, format, args...);
  if (n > 0) out.append(buffer, static_cast<std::size_t>(std::min<int>(n, sizeof buffer - 1)));
}

// Three decimals, '.' as separator whatever the locale, at least 5 wide.
std::string formatScale(double scale) {
  char buffer[64];
  auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, scale, std::chars_format::fixed, 3);
  std::string text = ec == std::errc() ? std::string(buffer, end) : std::string("1.000");
  if (text.size() < 5) text.insert(0, 5 - text.size(), ' ');
  return text;
}

int lineCount(const model::TheNode* n) {
  int count = 0;
  n->forEachLine([&](model::TheLine*) { ++count; });
  return count;
}

}  // namespace

std::string FormatCircuitFile(model::TheBaseOfGraf& graph, const CircuitViewState& view) {
  graph.Renumber();
  std::string out;
  out.reserve(static_cast<std::size_t>(graph.LastNode() ? graph.LastNode()->Number : 0) * 80 + 256);
  out += "noname\r\n";
  out += "Vemu.exe (WxWy) $Cur $SS $Scale\r\n";
  out += "-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-\r\n";
  appendf(out, "%7d - How many nodes\r\n", graph.NodeCount());
  appendf(out, "%7d - Main node\r\n", model::TheBaseOfGraf::GetNumber(graph.MainNode));
  appendf(out, "%7d - Current node\r\n", model::TheBaseOfGraf::GetNumber(graph.CurrentNode));
  out += "--N--X---Y-Type-Up-Lines-Name-Value\r\n";
  graph.forEachNode([&](model::TheNode* n) {
    appendf(out, "%3d %3d %3d %2d %3d %1d %3d %3d ", n->Number, n->X, n->Y, int{n->NodeType},
            model::TheBaseOfGraf::GetNumber(n->Upper), lineCount(n), n->Wx, n->Wy);
    if (model::IsSignedAmplifierType(n->NodeType)) out += n->Polarity != 0 ? '+' : '-';
    out += n->Name.str();
    out += ' ';
    out += n->Value;
    if (n->Ground >= 1 && n->Ground <= 4) appendf(out, " G%d", n->Ground);
    out += "\r\n";
    n->forEachLine([&](model::TheLine* l) {
      appendf(out, "%8d %3d\r\n", int{l->Kind}, model::TheBaseOfGraf::GetNumber(l->Node));
    });
  });
  appendf(out, "%7d SubCircuit \r\n", model::TheBaseOfGraf::GetNumber(view.shownNode));
  appendf(out, "%7d %d ", view.originX, view.originY);
  out += formatScale(view.scale);
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
