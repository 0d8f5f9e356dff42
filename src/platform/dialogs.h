// The one way the program talks to the user through modal boxes: message
// boxes, input boxes, file dialogs and the colour dialog. The program uses
// the Qt implementation; tests and the test driver install a scripted one,
// so nothing ever blocks on a modal window without a user.
//
// All texts are UTF-8. Colours are 0x00BBGGRR values.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vemu::platform {

enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel, AbortRetryIgnore };
enum class MsgIcon { None, Information, Warning, Error, Confirmation };
enum class MsgResult { Ok, Cancel, Yes, No, Abort, Retry, Ignore };

struct FileDialogRequest {
  std::string title;
  // Pairs of description and pattern list, e.g. {"Circuit (*.dag)", "*.dag"}.
  std::vector<std::pair<std::string, std::string>> filters;
  int filterIndex = 1;  // counted from 1
  std::string initialDir;
  std::string fileName;
  // Save dialogs: the dialog's own question before an existing file is
  // replaced. Off where the command asks a question of its own.
  bool confirmOverwrite = true;
};

// The file the user chose and the filter chosen with it (counted from 1).
struct ChosenFile {
  std::string path;
  int filterIndex = 1;
};

// A message dialog with an editable text area (used to view and edit a
// text file in place). Returns the edited lines on OK, nothing on Cancel.
struct TextEditRequest {
  std::string caption;
  std::string text;
  std::vector<std::string> lines;
  int width = 310;
  int height = 400;
};

// A message dialog holding a drop-down list: the index of the item chosen
// (counted from 0) on OK, nothing on Cancel.
struct ChoiceRequest {
  std::string caption;
  std::string text;
  std::vector<std::string> items;
  int initial = 0;
  int width = 210;
};

class Dialogs {
 public:
  virtual ~Dialogs() = default;

  virtual MsgResult messageBox(const std::string& caption, const std::string& text,
                               MsgButtons buttons, MsgIcon icon) = 0;
  // The input query: nothing when the user cancels.
  virtual std::optional<std::string> inputQuery(const std::string& caption,
                                                const std::string& prompt,
                                                const std::string& initial) = 0;
  virtual std::optional<std::string> openFile(const FileDialogRequest& request) = 0;
  virtual std::optional<std::string> saveFile(const FileDialogRequest& request) = 0;
  // The same dialogs, also telling which filter was chosen at the end. An
  // implementation that cannot tell reports the filter the request offered.
  virtual std::optional<ChosenFile> chooseOpenFile(const FileDialogRequest& request) {
    auto path = openFile(request);
    if (!path) return std::nullopt;
    return ChosenFile{std::move(*path), request.filterIndex};
  }
  virtual std::optional<ChosenFile> chooseSaveFile(const FileDialogRequest& request) {
    auto path = saveFile(request);
    if (!path) return std::nullopt;
    return ChosenFile{std::move(*path), request.filterIndex};
  }
  virtual std::optional<std::uint32_t> chooseColor(std::uint32_t initial) = 0;
  virtual std::optional<std::vector<std::string>> editText(const TextEditRequest& request) = 0;
  // By default the first button (OK) with the item chosen at first.
  virtual std::optional<int> chooseItem(const ChoiceRequest& request) { return request.initial; }

  // A plain box with an OK button and no icon.
  void showMessage(const std::string& text) {
    messageBox(std::string(), text, MsgButtons::Ok, MsgIcon::None);
  }
  // The input box: the initial text when the user cancels.
  std::string inputBox(const std::string& caption, const std::string& prompt,
                       const std::string& initial) {
    auto answer = inputQuery(caption, prompt, initial);
    return answer ? *answer : initial;
  }
};

// The dialogs in force. Before any is installed, a silent implementation
// answers every box with its first button and every dialog with "cancel",
// writing the texts to standard error.
Dialogs& dialogs();
// Installs d (not owned; nullptr goes back to the silent one); returns the previous.
Dialogs* setDialogs(Dialogs* d);

// Installs a Dialogs for the lifetime of the object.
class ScopedDialogs {
 public:
  explicit ScopedDialogs(Dialogs& d) : previous_(setDialogs(&d)) {}
  ~ScopedDialogs() { setDialogs(previous_); }
  ScopedDialogs(const ScopedDialogs&) = delete;
  ScopedDialogs& operator=(const ScopedDialogs&) = delete;

 private:
  Dialogs* previous_;
};

}  // namespace vemu::platform
