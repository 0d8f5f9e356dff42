// Dialogs for tests and the test driver: every call is recorded, and the
// answers are taken from queues filled in advance. An empty queue gives the
// default answer (the first button of a box; "cancel" for the others).
#pragma once

#include <deque>

#include "platform/dialogs.h"

namespace vemu::platform {

class ScriptedDialogs final : public Dialogs {
 public:
  struct ShownBox {
    std::string caption;
    std::string text;
    MsgButtons buttons;
    MsgIcon icon;
  };

  std::vector<ShownBox> boxes;                      // every message box shown
  std::vector<std::string> prompts;                 // every input query's prompt
  std::vector<FileDialogRequest> fileRequests;      // every file dialog opened
  std::vector<TextEditRequest> textEditRequests;    // every text editor opened
  int colorRequests = 0;
  std::vector<ChoiceRequest> choiceRequests;        // every drop-down question asked

  std::deque<MsgResult> boxAnswers;
  std::deque<std::optional<std::string>> inputAnswers;
  std::deque<std::optional<std::string>> fileAnswers;
  // The filter chosen with each confirmed file dialog; an empty queue keeps
  // the filter the request offered.
  std::deque<int> filterAnswers;
  std::deque<std::optional<std::uint32_t>> colorAnswers;
  std::deque<std::optional<std::vector<std::string>>> textEditAnswers;
  // An empty queue keeps the item chosen at first.
  std::deque<std::optional<int>> choiceAnswers;

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

  // The texts of all boxes shown, in order.
  std::vector<std::string> texts() const;
};

}  // namespace vemu::platform
