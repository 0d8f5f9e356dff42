#include "platform/scripted_dialogs.h"

namespace vemu::platform {

namespace {
template <typename T>
T takeOr(std::deque<T>& queue, T fallback) {
  if (!queue.empty()) {
    fallback = std::move(queue.front());
    queue.pop_front();
  }
  return fallback;
}

MsgResult firstButton(MsgButtons buttons) {
  switch (buttons) {
    case MsgButtons::YesNo:
    case MsgButtons::YesNoCancel: return MsgResult::Yes;
    case MsgButtons::AbortRetryIgnore: return MsgResult::Abort;
    default: return MsgResult::Ok;
  }
}
}  // namespace

MsgResult ScriptedDialogs::messageBox(const std::string& caption, const std::string& text,
                                      MsgButtons buttons, MsgIcon icon) {
  boxes.push_back({caption, text, buttons, icon});
  return takeOr(boxAnswers, firstButton(buttons));
}

std::optional<std::string> ScriptedDialogs::inputQuery(const std::string&,
                                                       const std::string& prompt,
                                                       const std::string&) {
  prompts.push_back(prompt);
  return takeOr<std::optional<std::string>>(inputAnswers, std::nullopt);
}

std::optional<ChosenFile> ScriptedDialogs::chooseOpenFile(const FileDialogRequest& request) {
  fileRequests.push_back(request);
  auto path = takeOr<std::optional<std::string>>(fileAnswers, std::nullopt);
  if (!path) return std::nullopt;
  return ChosenFile{std::move(*path), takeOr(filterAnswers, request.filterIndex)};
}

std::optional<ChosenFile> ScriptedDialogs::chooseSaveFile(const FileDialogRequest& request) {
  return chooseOpenFile(request);
}

std::optional<std::string> ScriptedDialogs::openFile(const FileDialogRequest& request) {
  auto chosen = chooseOpenFile(request);
  if (!chosen) return std::nullopt;
  return std::move(chosen->path);
}

std::optional<std::string> ScriptedDialogs::saveFile(const FileDialogRequest& request) {
  return openFile(request);
}

std::optional<std::uint32_t> ScriptedDialogs::chooseColor(std::uint32_t) {
  ++colorRequests;
  return takeOr<std::optional<std::uint32_t>>(colorAnswers, std::nullopt);
}

std::optional<std::vector<std::string>> ScriptedDialogs::editText(const TextEditRequest& request) {
  textEditRequests.push_back(request);
  return takeOr<std::optional<std::vector<std::string>>>(textEditAnswers, std::nullopt);
}

std::optional<int> ScriptedDialogs::chooseItem(const ChoiceRequest& request) {
  choiceRequests.push_back(request);
  return takeOr<std::optional<int>>(choiceAnswers, request.initial);
}

std::vector<std::string> ScriptedDialogs::texts() const {
  std::vector<std::string> result;
  for (const auto& box : boxes) result.push_back(box.text);
  return result;
}

}  // namespace vemu::platform
