#include "platform/dialogs.h"

#include <cstdio>

namespace vemu::platform {
namespace {

class SilentDialogs final : public Dialogs {
 public:
  MsgResult messageBox(const std::string& caption, const std::string& text, MsgButtons buttons,
                       MsgIcon) override {
    std::fprintf(stderr, "[%s] %s\n", caption.c_str(), text.c_str());
    switch (buttons) {
      case MsgButtons::YesNo:
      case MsgButtons::YesNoCancel: return MsgResult::Yes;
      case MsgButtons::AbortRetryIgnore: return MsgResult::Abort;
      default: return MsgResult::Ok;
    }
  }
  std::optional<std::string> inputQuery(const std::string&, const std::string&,
                                        const std::string&) override {
    return std::nullopt;
  }
  std::optional<std::string> openFile(const FileDialogRequest&) override { return std::nullopt; }
  std::optional<std::string> saveFile(const FileDialogRequest&) override { return std::nullopt; }
  std::optional<std::uint32_t> chooseColor(std::uint32_t) override { return std::nullopt; }
  std::optional<std::vector<std::string>> editText(const TextEditRequest&) override {
    return std::nullopt;
  }
};

SilentDialogs silent;
Dialogs* current = nullptr;

}  // namespace

Dialogs& dialogs() { return current ? *current : silent; }

Dialogs* setDialogs(Dialogs* d) {
  Dialogs* previous = current;
  current = d;
  return previous;
}

}  // namespace vemu::platform
