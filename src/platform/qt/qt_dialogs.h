// The program's dialogs, shown as Qt modal windows.
#pragma once

#include "platform/dialogs.h"

class QDialog;
class QWidget;

namespace vemu::platform {

// The window a dialog opened now belongs to: the modal window in front,
// else the active window (never a menu or a hint); null when there is none.
QWidget* OpeningWindow();
// A window of its own (no parent) shown modally from another modal window
// (the picture chooser from the element-type window) belongs to that one:
// it stays in front of it. Nothing changes without such a window.
void BelongToOpeningModal(QDialog& dialog);

class QtDialogs final : public Dialogs {
 public:
  // Each dialog belongs to the window that opens it: the modal window in
  // front (a secondary window's command), else the active window, else
  // `parent` (the main window; not owned), else none.
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
  QWidget* owner() const;

  QWidget* parent_;
};

}  // namespace vemu::platform
