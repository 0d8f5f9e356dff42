#include "netlist/second_import.h"

#include <array>

#include "catalogue/messages.h"
#include "catalogue/node_type_table.h"
#include "model/node_types.h"
#include "netlist/import_messages.h"
#include "netlist/netlist_import.h"
#include "platform/dialogs.h"
#include "platform/text_codec.h"
#include "platform/text_file.h"

namespace vemu::netlist {
namespace {

using model::TheLine;
using model::TheNode;

constexpr std::size_t kMostWords = 7;
constexpr std::size_t kNameLength = 30;

// A name as a node stores it: at most 30 characters.
std::string_view Cut(std::string_view name) { return name.substr(0, kNameLength); }

// The amplifier a controlled source with both lower nets on ground stands for.
int AmplifierOfSource(int type) {
  switch (type) {
    case 12: return 27;
    case 14: return 26;
    case 16: return 25;
    case 18: return 28;
    default: return 0;
  }
}

}  // namespace

void SecondBuildImport::CreateFromCir1Click(const SecondImportDialog& dialog) {
  // Every file is listed; the dialog's own filter is not touched, so it
  // stands as before whatever happens here.
  if (!c_.host.ConfirmDiscardUnsaved()) return;
  c_.host.EnableSave();
  c_.host.SetCurrentNode(nullptr);
  platform::FileDialogRequest request;
  request.title = c_.host.ImportItemCaption();
  request.initialDir = dialog.initialDir;
  request.fileName = dialog.fileName;
  const auto chosen = platform::dialogs().chooseOpenFile(request);
  if (!chosen) return;
  std::string reason;
  const auto bytes = platform::readFileBytes(chosen->path, platform::kCircuitReadLimit, &reason);
  if (!bytes) {
    platform::dialogs().messageBox("Error", "Cannot read the file " + chosen->path + ":\r\n" + reason,
                                   platform::MsgButtons::Ok, platform::MsgIcon::Error);
    return;
  }
  // The import adds to the shown level: undo brings the level back as it was.
  c_.host.PushUndoSnapshot();
  c_.host.SetModified(false);
  c_.host.SetCaption(catalogue::GetMsg(20) + chosen->path);
  c_.host.ShowFileInTextWindow(chosen->path, *bytes);
  // Built from the whole file, though the text window may show only its first part.
  BuildFromNetlist(std::string_view(*bytes));
  c_.host.ComputeItemsRect();
  c_.host.UpdateScrollBars();
  c_.host.RefreshLevelWindows();
  c_.host.StartArrangeMode();
}

void SecondBuildImport::BuildFromNetlist(const std::vector<std::string>& lines) {
  // Each line with its end, so that a last empty line stays a line.
  std::string text;
  for (const std::string& line : lines) text.append(line).push_back('\n');
  BuildFromNetlist(std::string_view(text));
}

void SecondBuildImport::BuildFromNetlist(std::string_view text) {
  level_ = c_.graph.MainNode;
  if (!level_) {
    platform::dialogs().showMessage("ERROR(102): Internal Programm error.");
    return;
  }
  // The lines are walked, never listed: first counted, then read.
  const std::size_t n = platform::countLines(text);
  std::string_view line1, line2;
  {
    platform::LineCursor cursor(text);
    std::string_view title;
    if (cursor.next(title) && cursor.next(line1)) cursor.next(line2);
  }
  c_.host.SetCaption(platform::cp1251ToUtf8(line2) + std::to_string(n));
  ClearTables();
  for (const TheLine* l = level_->FirstLine.get(); l; l = l->Next.get()) {
    if (l->Kind != model::alHaveItem || !l->Node) continue;
    if (l->Node->IsJunction()) junctions_.Add(l->Node);
    else if (l->Node->IsElement()) elements_.Add(l->Node);
  }
  // The title and the last line are never parsed; the line after the title
  // is skipped when it is the additional line (".AC ..."), and read as an
  // element line otherwise: a netlist written without that line starts its
  // elements there.
  ImportMessages messages;
  letterTypes_.fill(-1);
  const std::size_t first = n > 1 && !line1.empty() && line1[0] == '.' ? 2 : 1;
  platform::LineCursor cursor(text);
  std::string_view line;
  for (std::size_t i = 0; i + 1 < n && cursor.next(line); ++i)
    if (i >= first) BuildLine(line, messages);
  // The tables are not needed after the build.
  ClearTables();
  messages.Show();
}

void SecondBuildImport::ClearTables() {
  elements_.Clear();
  junctions_.Clear();
  longElements_.clear();
  longJunctions_.clear();
  links_.Clear();
}

void SecondBuildImport::BuildLine(std::string_view line, ImportMessages& messages) {
  if (!line.empty() && line[0] == '*') return;
  std::vector<std::string_view> read = NetlistTokens(line, kMostWords);
  if (read.empty()) return;
  // Name and nets without a value (three or five words, as a sensor or a
  // controlled source is written) read as if the value were "0", so every
  // net stays a net.
  if (read.size() == 3 || read.size() == 5) read.emplace_back("0");
  // word[1] to word[7]; a word the line does not have is empty.
  std::array<std::string_view, kMostWords + 1> word{};
  for (std::size_t j = 0; j < read.size(); ++j) word[j + 1] = read[j];
  std::size_t k = read.size();

  // A word is looked for as it stands: the nodes the import makes are found
  // by their whole words, those there before by their names.
  TheNode* x = Named(elements_, longElements_, word[1]);
  // Each letter's type is looked up once per import, not once per line.
  int& known = letterTypes_[static_cast<unsigned char>(word[1][0])];
  if (known < 0) known = catalogue::FindTypeByLetter(c_.types, word[1][0]);
  int t = known;
  if (t < 3 || t > 30) {
    messages.AddMade([&] { return "Error: Cannot Find Type <" + platform::cp1251ToUtf8(word[1]) + ">"; });
    return;
  }
  // An amplifier is written as a controlled source with ground on two of its
  // nets: "0 output 0 input" unsigned, "0 output input 0" with the "+" sign.
  bool plus = false;
  if (AmplifierOfSource(t) && word[2] == "0" && word[4] == "0") {
    t = AmplifierOfSource(t);
  } else if (AmplifierOfSource(t) && word[2] == "0" && word[5] == "0") {
    t = AmplifierOfSource(t);
    plus = true;
  }
  if (model::IsSignedAmplifierType(t)) {
    word[2] = plus ? word[4] : word[5];
    word[4] = word[6];
    k = 4;
  }
  if (x) {
    messages.AddMade([&] { return "WARNING: Equal Names <" + platform::cp1251ToUtf8(word[1]) + ">"; });
  } else {
    x = NewElement(static_cast<std::uint8_t>(t), word[1]);
    if (plus) x->Polarity = 1;
    // A lone name is no value.
    if (c_.types[static_cast<std::size_t>(t)].V && k > 1) x->Value = std::string(word[k]);
  }
  const int inputs = c_.types[static_cast<std::size_t>(t)].L_in;
  for (std::size_t j = 2; j + 1 <= k; ++j) {
    if (word[j].empty()) continue;  // a net the line does not name
    Append(x, Junction(word[j]), static_cast<int>(j) <= inputs + 1 ? model::alInPin : model::alOutPin);
  }
}

TheNode* SecondBuildImport::NewElement(std::uint8_t type, std::string_view word) {
  TheNode* x = c_.graph.AddNode(level_, type);
  // The first member of the level.
  c_.graph.AddLine(1, level_, x, model::alHaveItem);
  c_.host.SetModified(true);
  const model::TPoint at = RandomPlace();
  x->X = at.x;
  x->Y = at.y;
  x->Name = Cut(word);
  Remember(elements_, longElements_, word, x);
  return x;
}

TheNode* SecondBuildImport::Junction(std::string_view word) {
  if (TheNode* found = Named(junctions_, longJunctions_, word)) return found;
  TheNode* j = c_.graph.AddNode(level_, model::ntJunction);
  const model::TPoint at = RandomPlace();
  j->X = at.x;
  j->Y = at.y;
  Append(level_, j, model::alHaveItem);
  j->Name = Cut(word);
  if (word == "0") j->Ground = 1;
  Remember(junctions_, longJunctions_, word, j);
  return j;
}

TheNode* SecondBuildImport::Named(const model::NodesByName& byName,
                                  const std::unordered_map<std::string, TheNode*>& byWord, std::string_view word) {
  if (word.size() <= kNameLength) return byName.Find(word);
  const auto it = byWord.find(std::string(word));
  return it != byWord.end() ? it->second : nullptr;
}

void SecondBuildImport::Remember(model::NodesByName& byName, std::unordered_map<std::string, TheNode*>& byWord,
                                 std::string_view word, TheNode* node) {
  // A node made from a word of a name's length bears the word as its name.
  if (word.size() <= kNameLength) byName.Add(node);
  else byWord.try_emplace(std::string(word), node);
}

void SecondBuildImport::Append(TheNode* holder, TheNode* target, std::uint8_t kind) {
  links_.Append(holder, target, kind);
}

model::TPoint SecondBuildImport::RandomPlace() {
  const int x = c_.random.Next(c_.host.PaintBoxWidth());
  const int y = c_.random.Next(c_.host.PaintBoxHeight());
  return {x, y};
}

}  // namespace vemu::netlist
