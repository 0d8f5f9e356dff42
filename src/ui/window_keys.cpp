#include "ui/window_keys.h"

namespace vemu::ui {

KeyDownEffect KeyDownOfWindow(WindowKey key, KeyModifiers modifiers, bool secondBuild, bool textFieldFocused) {
  KeyDownEffect effect;
  if (secondBuild) {
    effect.setsStatus = true;
    effect.status1 = "KeyDown +++ ";
  }
  switch (key) {
    case WindowKey::F4:
      effect.setsStatus = true;
      effect.status1 = "KeyDown +++2 ";
      if (modifiers.ctrl) effect.sizing = WindowSizing::Restore;
      else if (!modifiers.any()) effect.sizing = WindowSizing::Maximise;
      break;
    case WindowKey::Delete:
      effect.deletesSelection = !secondBuild && !textFieldFocused;
      break;
    case WindowKey::Other:
      break;
  }
  return effect;
}

}  // namespace vemu::ui
