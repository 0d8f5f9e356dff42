// The program's dialogs, shown as Qt modal windows.
#pragma once

#include "platform/dialogs.h"

class QWidget;

namespace vemu::platform {

class QtDialogs final : public Dialogs {
 public:
  // Boxes are centred on `parent` when it is given (not owned).
  explicit QtDialogs(QWidget* parent = nullptr) : parent_(parent) {}
  void setParent(QWidget* parent) { parent_ = parent; }

  MsgResult messageBox(const std::string& caption, const std::string& text, MsgButtons buttons,
                       MsgIcon icon) override;
  std::optional<std::string> inputQuery(const std::string& caption, const std::string& prompt,
                                        const std::string& initial) override;
  std::optional<std::string> openFile(const FileDialogRequest& request) override;
  std::optional<std::string> saveFile(const FileDialogRequest& request) override;
  std::optional<ChosenFile> chooseOpenFile(const FileDialogRequest& request) override;
  std::optional<ChosenFile> chooseSaveFile(const FileDialogRequest& request) override;
  std::optional<std::uint32_t> chooseColor(std::uint32_t initial) override;
  std::optional<std::vector<std::string>> editText(const TextEditRequest& request) override;
  std::optional<int> chooseItem(const ChoiceRequest& request) override;

 private:
  QWidget* parent_;
};

}  // namespace vemu::platform
