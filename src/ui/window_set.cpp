#include "ui/window_set.h"

#include "catalogue/windows/node_type_window.h"
#include "catalogue/windows/picture_chooser.h"
#include "catalogue/windows/settings_window.h"
#include "netlist/windows/text_window.h"
#include "ui/about_window.h"
#include "ui/ask_insert_move.h"
#include "ui/properties_window.h"
#include "ui/tform1.h"
#include "ui/value_window.h"
#include "view/windows/preview_window.h"

WindowSet::WindowSet(const ProgramProfile& profile, const std::vector<std::string>& args)
    : profile_(profile) {
  windows_.Settings = &settings_;
  // Each window's creation runs before the next window is created.
  owned_.push_back(std::make_unique<TForm1>(windows_, profile_, args));
  owned_.push_back(std::make_unique<TAskInsertMove>(windows_));
  owned_.push_back(std::make_unique<TFrm_Properties>(windows_));
  if (profile_.hasValueWindow) owned_.push_back(std::make_unique<TFormInputValue>(windows_));
  if (profile_.hasElementTypeWindow) owned_.push_back(std::make_unique<TFormAddNewNodeType>(windows_));
  if (profile_.hasPictureChooser) owned_.push_back(std::make_unique<TFormLoadImage>(windows_));
  owned_.push_back(std::make_unique<TFormSubCircuit>(windows_));
  owned_.push_back(std::make_unique<TForm3>(windows_));
  owned_.push_back(std::make_unique<TForm4>(windows_));
  owned_.push_back(std::make_unique<TForm6>(windows_));
  for (const auto& window : owned_) windows_.InCreationOrder.push_back(window.get());
}

WindowSet::~WindowSet() {
  // The main window goes last: its destruction saves the settings and
  // deletes the undo files while the others are gone already.
  windows_.InCreationOrder.clear();
  while (!owned_.empty()) owned_.pop_back();
}

std::vector<std::string> WindowSet::creationOrder() const {
  std::vector<std::string> names;
  for (const auto& w : owned_) names.push_back(w->objectName().toStdString());
  return names;
}
