// Fuzz target for the ".dag" circuit reader. Every input must either be
// refused with an error text and no graph, or give a graph whose written
// file reads back, and writing that again gives a file that no longer
// changes (the format's fixed point after one round). Boxes that a damaged
// file raises are only counted, so memory stays flat over a long run.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/circuit_file.h"
#include "platform/dialogs.h"

namespace {

class CountingDialogs final : public vemu::platform::Dialogs {
 public:
  std::size_t boxes = 0;

  vemu::platform::MsgResult messageBox(const std::string&, const std::string&,
                                       vemu::platform::MsgButtons,
                                       vemu::platform::MsgIcon) override {
    ++boxes;
    return vemu::platform::MsgResult::Ok;
  }
  std::optional<std::string> inputQuery(const std::string&, const std::string&,
                                        const std::string&) override {
    return std::nullopt;
  }
  std::optional<std::string> openFile(const vemu::platform::FileDialogRequest&) override {
    return std::nullopt;
  }
  std::optional<std::string> saveFile(const vemu::platform::FileDialogRequest&) override {
    return std::nullopt;
  }
  std::optional<std::uint32_t> chooseColor(std::uint32_t) override { return std::nullopt; }
  std::optional<std::vector<std::string>> editText(const vemu::platform::TextEditRequest&) override {
    return std::nullopt;
  }
};

CountingDialogs& installedDialogs() {
  static CountingDialogs dialogs;
  static vemu::platform::ScopedDialogs scope(dialogs);
  return dialogs;
}

[[noreturn]] void fail(const char* what, const std::string& detail) {
  std::fprintf(stderr, "circuit_reader_fuzz: %s\n%s\n", what, detail.c_str());
  std::abort();
}

// Reads `text`, then writes what was read.
bool readAndWrite(std::string_view text, std::string& written, std::string& error) {
  auto result = vemu::files::ReadCircuitText(text, "fuzz.dag");
  if (!result.ok) {
    if (result.graph || result.error.empty()) fail("a refused read must give an error and no graph", result.error);
    error = result.error;
    return false;
  }
  if (!result.graph) fail("a read that succeeded gave no graph", std::string());
  const vemu::files::CircuitViewState view = vemu::files::SettleForRewrite(result);
  // A node without owner is named "Upper Level"; written back, the second
  // word of that name reads as the value, and what follows it (a junction's
  // ground mark, the rest of a text node's line) moves along by one word
  // with every round. Such nodes (the root, and owner-less nodes of a
  // damaged file) are compared without value and mark.
  result.graph->forEachNode([](vemu::model::TheNode* n) {
    if (n->Upper) return;
    n->Value.clear();
    n->Ground = 0;
  });
  written = vemu::files::FormatCircuitFile(*result.graph, view);
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  installedDialogs();
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  std::string first, second, third, error;
  if (!readAndWrite(input, first, error)) return 0;
  if (!readAndWrite(first, second, error)) fail("the writer's own file does not read back", error + "\n" + first);
  if (!readAndWrite(second, third, error)) fail("the writer's own file does not read back", error + "\n" + second);
  if (second != third) fail("writing a file read back changed it again", second + "\n----\n" + third);
  return 0;
}
