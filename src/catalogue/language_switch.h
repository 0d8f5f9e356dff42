// The language menu's file work: replacing the current language files
// IMAGES/language1.txt (messages) and IMAGES/language2.txt (captions) by one
// of the four language packs, reloading the messages, and setting the
// analysis program's output language in setup.sym.
#pragma once

#include <string>
#include <vector>

#include "catalogue/messages.h"

namespace vemu::catalogue {

// One language pack: its two file names in IMAGES/ and whether it is the
// Russian one (setup.sym gets "0" for Russian, "1" for every other).
struct LanguagePack {
  std::string messageFile;
  std::string captionsFile;
  bool russian = false;
};

// The pack of a language menu item's tag: 1 Russian, 2 English, 3 Polish,
// anything else German.
LanguagePack LanguagePackOfTag(int tag);

// The line that precedes the output-language line of setup.sym.
inline constexpr const char* kSetupSymMarker = "Output \"s\" (1) or \"p\" (0)";

// setup.sym's lines with the line after the first exact marker line set to
// "0" (Russian) or "1"; appended when the marker is the last line. Later
// marker lines and everything else stay as they are.
std::vector<std::string> PatchSetupSymLines(const std::vector<std::string>& lines, bool russian);

enum class PatchResult {
  Patched,  // setup.sym rewritten
  NoFile,   // setup.sym missing: the user was told, the command goes on
  Failed,   // it could not be read or written: the user was told, the command ends
};

// Rewrites the program folder's setup.sym with the output language.
PatchResult PatchSetupSym(bool russian);

// Copies a whole file; an existing Dest is replaced only once the copy is
// complete. On failure `error` names the file.
bool CopyFileByStream(const std::string& source, const std::string& dest, std::string* error = nullptr);

enum class SwitchResult {
  Switched,     // pack copied and messages reloaded: apply the captions next
  PackMissing,  // a pack file is missing: the user was told, nothing changed
  Failed,       // a file error: the user was told, the command ends
};

// The file part of the language switch for a menu item's tag: patches
// setup.sym (always first), then, when both pack files exist, copies them
// over the current language files and reloads `messages` from the new
// message file.
SwitchResult SwitchLanguage(int tag, MessageList& messages);

}  // namespace vemu::catalogue
