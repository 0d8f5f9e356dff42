#include "catalogue/messages.h"

#include "platform/text_codec.h"
#include "platform/text_file.h"

namespace vemu::catalogue {
namespace {

const MessageList*& source() {
  static const MessageList* list = nullptr;
  return list;
}

}  // namespace

std::string GetMsg(int index) {
  const MessageList* list = source();
  if (list && index >= 0 && static_cast<std::size_t>(index) < list->size())
    return (*list)[static_cast<std::size_t>(index)];
  return "MSG" + std::to_string(index);
}

void SetMessageSource(const MessageList* list) { source() = list; }

void ReleaseMessageSource(const MessageList* list) {
  if (source() == list) source() = nullptr;
}

std::optional<MessageList> LoadMessageFile(const std::string& path, std::string* reason) {
  auto bytes = platform::readFileBytes(path, platform::kSettingsReadLimit, reason);
  if (!bytes) return std::nullopt;
  return platform::splitLines(platform::decodeFileText(*bytes));
}

}  // namespace vemu::catalogue
