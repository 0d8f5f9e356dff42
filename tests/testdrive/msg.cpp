#include <charconv>
#include <cstdio>

#include "catalogue/messages.h"
#include "platform/program_folder.h"
#include "testdrive/commands.h"

// msg N [--folder DIR]: message N of the current language, read from
// IMAGES/language1.txt of the program folder (the driver's own folder unless
// --folder names another).
int MsgCommand(const Args& args) {
  std::string number;
  std::string folder;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--folder" && i + 1 < args.size()) {
      folder = args[++i];
    } else if (number.empty()) {
      number = args[i];
    } else {
      number.clear();
      break;
    }
  }
  int index = 0;
  const char* end = number.data() + number.size();
  const auto parsed = std::from_chars(number.data(), end, index);
  if (number.empty() || parsed.ec != std::errc() || parsed.ptr != end) {
    std::fprintf(stderr, "msg: expected N [--folder DIR]\n");
    return 2;
  }
  if (!folder.empty()) vemu::platform::setProgramFolder(folder);
  vemu::catalogue::MessageList messages;
  if (auto loaded = vemu::catalogue::LoadMessageFile(vemu::platform::imagesFolder() + "language1.txt"))
    messages = std::move(*loaded);
  vemu::catalogue::SetMessageSource(&messages);
  const std::string text = vemu::catalogue::GetMsg(index);
  vemu::catalogue::ReleaseMessageSource(&messages);
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fputc('\n', stdout);
  return 0;
}
