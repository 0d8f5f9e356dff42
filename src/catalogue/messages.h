// The numbered messages of the current language.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vemu::catalogue {

// Lines of the message file (UTF-8); line n is message n.
using MessageList = std::vector<std::string>;

// Message number `index` of the current language (UTF-8): that line of the
// registered list, or "MSG" followed by the number when the list has no such
// line or no list is registered. Never fails.
std::string GetMsg(int index);

// Registers the list GetMsg reads (not owned; the main window registers its
// own list when it is created). nullptr registers none.
void SetMessageSource(const MessageList* list);
// Unregisters `list` if it is the one registered; another list stays.
void ReleaseMessageSource(const MessageList* list);

// Reads a message file: code page 1251 text, or UTF-8 / UTF-16 when it starts
// with a byte-order mark (the mark is not part of the first message). Every
// line is a message, empty lines included. Nothing when it cannot be read
// (`reason` as for platform::readFileBytes).
std::optional<MessageList> LoadMessageFile(const std::string& path, std::string* reason = nullptr);

}  // namespace vemu::catalogue
