// subcircuit IN.dag OUT.dag [--select NAME]...
// paste IN.dag SUB.dag OUT.dag
// The sub-circuit file writer and reader through the program's windows:
// IN is opened as Load opens it; the diagnostic memo's lines (the
// numbering, or the paste's trace) and the boxes the paste shows go to stdout.
#include <QPlainTextEdit>
#include <cstdio>

#include "platform/scripted_dialogs.h"
#include "platform/text_codec.h"
#include "testdrive/commands.h"
#include "testdrive/driver_support.h"
#include "ui/tform1.h"

namespace {

using vemu::model::TheLine;
using vemu::model::TheNode;

// Marks the members of the shown level named `name`; false when there is none.
bool SelectMembers(TForm1& form, const std::string& name) {
  const std::string cp1251 = vemu::platform::utf8ToCp1251(name);
  bool found = false;
  if (TheNode* level = form.Graph->MainNode)
    level->forEachLine([&](TheLine* l) {
      if (l->Kind != vemu::model::alHaveItem || !l->Node || l->Node->Name.str() != cp1251) return;
      l->Node->Selected = 1;
      found = true;
    });
  return found;
}

std::unique_ptr<testdrive::DriverSession> OpenCircuit(const char* command, const std::string& path) {
  testdrive::CircuitOptions options;
  options.positional.push_back(path);
  std::string error;
  auto session = testdrive::DriverSession::Open(options, error);
  if (!session) std::fprintf(stderr, "%s: %s\n", command, error.c_str());
  return session;
}

void PrintMemo(TForm1& form) { testdrive::PrintLines(testdrive::MemoLines(form.Memo1), stdout); }

}  // namespace

int SubcircuitCommand(const Args& args) {
  std::vector<std::string> positional, names;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] != "--select") {
      positional.push_back(args[i]);
      continue;
    }
    if (i + 1 >= args.size()) {
      std::fprintf(stderr, "subcircuit: option --select needs a value\n");
      return 2;
    }
    names.push_back(args[++i]);
  }
  if (positional.size() != 2) {
    std::fprintf(stderr, "subcircuit: expected IN.dag OUT.dag [--select NAME]...\n");
    return 2;
  }
  auto session = OpenCircuit("subcircuit", positional[0]);
  if (!session) return 2;
  TForm1& form = session->form1();
  for (const std::string& name : names)
    if (!SelectMembers(form, name)) {
      std::fprintf(stderr, "subcircuit: the shown level has no member named %s\n", name.c_str());
      return 2;
    }
  const bool written = form.SaveSubcircuit(session->Resolve(positional[1]));
  PrintMemo(form);
  return written ? 0 : 1;
}

int PasteCommand(const Args& args) {
  if (args.size() != 3) {
    std::fprintf(stderr, "paste: expected IN.dag SUB.dag OUT.dag\n");
    return 2;
  }
  auto session = OpenCircuit("paste", args[0]);
  if (!session) return 2;
  TForm1& form = session->form1();
  form.Memo1->clear();
  // What the paste says goes to stdout with its trace.
  const std::string path = session->Resolve(args[1]);
  vemu::platform::ScriptedDialogs boxes;
  bool pasted = false;
  {
    vemu::platform::ScopedDialogs scope(boxes);
    pasted = form.LoadSSFile(path);
  }
  // The file's path reads as "SUB", so that the texts do not hang on the folder.
  for (auto box : boxes.boxes) {
    for (auto at = box.text.find(path); at != std::string::npos; at = box.text.find(path))
      box.text.replace(at, path.size(), "SUB");
    std::printf("box [%s] %s\n", box.caption.c_str(), box.text.c_str());
  }
  if (!pasted) {
    PrintMemo(form);
    return 1;
  }
  form.NumberNets();
  PrintMemo(form);
  std::string error;
  if (!session->WriteCircuit(args[2], error)) {
    std::fprintf(stderr, "paste: %s\n", error.c_str());
    return 1;
  }
  return 0;
}
