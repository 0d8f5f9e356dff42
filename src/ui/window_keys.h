// What a key pressed on the main window does before any control sees it:
// F4 sizes the window, Delete deletes the selection (full program only, and
// never while a text field has the focus: there it edits the text), and the
// second build notes every key in the status bar.
#pragma once

#include <string>

namespace vemu::ui {

enum class WindowKey { F4, Delete, Other };
enum class WindowSizing { Keep, Maximise, Restore };

struct KeyModifiers {
  bool shift = false;
  bool ctrl = false;
  bool alt = false;
  bool any() const { return shift || ctrl || alt; }
};

struct KeyDownEffect {
  bool setsStatus = false;
  std::string status1;  // status panel 1 when setsStatus
  WindowSizing sizing = WindowSizing::Keep;
  bool deletesSelection = false;
};

KeyDownEffect KeyDownOfWindow(WindowKey key, KeyModifiers modifiers, bool secondBuild, bool textFieldFocused);

}  // namespace vemu::ui
