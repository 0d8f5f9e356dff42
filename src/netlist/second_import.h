// The second build's netlist import: the text window read line by line into
// the level that is shown, every new node placed at random, and then the
// arrangement mode pulls the drawing into shape. The title, the last line
// and an additional line (".AC ...") after the title are not read. An
// element line is cut
// into at most seven words: the name (its first letter the type), the
// nets, the value last; a line of three or five words has no value and
// reads as if it ended in "0". A controlled source whose two lower nets are
// ground becomes the matching amplifier; an amplifier line is read in the
// layout of a controlled source and keeps its input, its output and its
// value. The notices of one import come in one box at its end.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "catalogue/node_type_info.h"
#include "model/graph.h"
#include "model/link_appender.h"
#include "model/nodes_by_name.h"
#include "platform/random_source.h"

namespace vemu::netlist {

class ImportMessages;

// What the import needs from the main window. Texts are UTF-8, lines code
// page 1251. Message boxes and the open dialog go through platform::dialogs().
class SecondImportHost {
 public:
  virtual ~SecondImportHost() = default;

  // The drawing area (the main window's paint box) in pixels.
  virtual int PaintBoxWidth() const = 0;
  virtual int PaintBoxHeight() const = 0;
  // Modified := 1 (0 when false); a new node also counts as work in no file.
  virtual void SetModified(bool modified) = 0;
  virtual void SetCaption(const std::string& utf8) = 0;

  // --- the command around the build ---
  // The question on unsaved work (message 19); false when the command must stop.
  virtual bool ConfirmDiscardUnsaved() = 0;
  virtual void EnableSave() = 0;
  virtual void SetCurrentNode(model::TheNode* node) = 0;
  // The caption of the menu item CreateFromCir1: the open dialog's title.
  virtual std::string ImportItemCaption() const = 0;
  // The text window cleared and showing the file's text (code page 1251),
  // or as much of it as the window shows of a file.
  virtual void ShowFileInTextWindow(const std::string& path, std::string_view cp1251) = 0;
  virtual void PushUndoSnapshot() = 0;
  virtual void ComputeItemsRect() = 0;
  virtual void UpdateScrollBars() = 0;
  // The level tabs and an open preview window show the circuit as built.
  virtual void RefreshLevelWindows() = 0;
  // ArrangeMode := 1 (until Esc).
  virtual void StartArrangeMode() = 0;
};

struct SecondImportContext {
  model::TheBaseOfGraf& graph;
  const catalogue::NodeTypeTable& types;
  SecondImportHost& host;
  platform::RandomSource& random;
};

// The main window's open dialog as the import uses it.
struct SecondImportDialog {
  const std::string& initialDir;
  const std::string& fileName;
};

class SecondBuildImport {
 public:
  explicit SecondBuildImport(SecondImportContext context) : c_(context) {}

  // Menu item CreateFromCir1: asks for any file (the dialog's filter is
  // left as it was), reads it into the text window and builds it into the
  // shown level after an undo snapshot. A file that cannot be read is
  // reported with its name and the reason, and nothing changes.
  void CreateFromCir1Click(const SecondImportDialog& dialog);
  // Parses `lines` (the text window's) into the shown level: lines 1 to
  // the one before the last, counted from 0; line 1 only when it is no
  // additional line (one that begins with ".").
  void BuildFromNetlist(const std::vector<std::string>& lines);
  // The same from a file's text, walked line by line.
  void BuildFromNetlist(std::string_view text);

 private:
  void BuildLine(std::string_view line, ImportMessages& messages);
  model::TheNode* NewElement(std::uint8_t type, std::string_view word);
  // The junction member of the shown level the word names (junctions only),
  // or a new one, its last member, placed at random.
  model::TheNode* Junction(std::string_view name);
  void Append(model::TheNode* holder, model::TheNode* target, std::uint8_t kind);
  model::TPoint RandomPlace();
  // Empties the name tables and the link appender.
  void ClearTables();

  SecondImportContext c_;
  model::TheNode* level_ = nullptr;
  std::array<int, 256> letterTypes_{};  // per first byte: its type, -1 before it is looked up
  // The node of a word in `byName` (words of a name's length) or `byWord`.
  static model::TheNode* Named(const model::NodesByName& byName,
                               const std::unordered_map<std::string, model::TheNode*>& byWord, std::string_view word);
  static void Remember(model::NodesByName& byName, std::unordered_map<std::string, model::TheNode*>& byWord,
                       std::string_view word, model::TheNode* node);

  // The shown level's elements and junctions by name (the first of each
  // name), and those the import made by their whole words: a word longer
  // than a name is kept whole in the second table.
  model::NodesByName elements_;
  model::NodesByName junctions_;
  std::unordered_map<std::string, model::TheNode*> longElements_;
  std::unordered_map<std::string, model::TheNode*> longJunctions_;
  // The last link of each node the import appends to.
  model::LinkAppender links_;
};

}  // namespace vemu::netlist
