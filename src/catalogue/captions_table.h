// The layout of the captions file IMAGES/language2.txt: which line goes
// where. The file has no structure besides its line order, so this table is
// the format. Lines are counted from 1; a line may feed several targets, in
// the order listed.
#pragma once

#include <string_view>
#include <vector>

namespace vemu::catalogue {

// The window a target belongs to.
enum class CaptionWindow {
  Main,      // TForm1
  Settings,  // TForm3
  About,     // TForm4
  Preview,   // TFormSubCircuit
  Value,     // TFormInputValue (full program only)
};

enum class CaptionKind {
  Ignored,      // the line is read and dropped
  Caption,      // caption of a menu item, label, check box, group box, button or window
  Hint,         // the text shown when the pointer rests on a control (or menu item)
  ActionHint,   // the hint of an action shared by menu items and tool buttons
  Text,         // the text of an edit field
  FixedTitle,   // the line is dropped; the main window gets the program's fixed title
  ClearItems,   // every item of the combo box is removed (the line itself is not used)
  AddItem,      // the line becomes a new last item of the combo box
  SelectFirst,  // item 0 of the combo box is selected (the line itself is not used)
  Description,  // Uinfo of a type (first 100 characters) and, in the full
                // program, the whole line as the hint of the type's palette button
  DescriptionText,  // Uinfo of a type only (the second build)
};

struct CaptionTarget {
  int line;
  CaptionWindow window;
  std::string_view name;  // object name; empty: the window itself
  CaptionKind kind;
  int typeCode = -1;      // Description only
};

// A palette control whose hint or caption the second build takes from a
// type's description after the file has been read.
struct DescriptionCopy {
  std::string_view name;  // control of the main window
  CaptionKind kind;       // Hint or Caption
  int typeCode;
};

struct CaptionLayout {
  int lineCount;                        // lines read from the file
  std::vector<CaptionTarget> targets;   // in line order
  std::vector<DescriptionCopy> afterwards;  // applied after the last line
};

// The full program: 173 lines.
const CaptionLayout& FullCaptionLayout();
// The second build: lines 1 to 161 of the same file, a few menu-item hints
// and every button hint left out; button hints copied from the descriptions
// at the end.
const CaptionLayout& SecondCaptionLayout();

// The fixed title the main window shows in every language.
std::string_view FixedMainTitle(bool secondBuild);

}  // namespace vemu::catalogue
