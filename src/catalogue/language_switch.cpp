#include "catalogue/language_switch.h"

#include "platform/dialogs.h"
#include "platform/program_folder.h"
#include "platform/text_file.h"

namespace vemu::catalogue {
namespace {

void ReportError(const std::string& text) {
  platform::dialogs().messageBox(std::string(), text, platform::MsgButtons::Ok, platform::MsgIcon::Error);
}

}  // namespace

LanguagePack LanguagePackOfTag(int tag) {
  switch (tag) {
    case 1: return {"L1r.txt", "L2r.txt", true};
    case 2: return {"L1e.txt", "L2e.txt", false};
    case 3: return {"L1p.txt", "L2p.txt", false};
    default: return {"L1g.txt", "L2g.txt", false};
  }
}

std::vector<std::string> PatchSetupSymLines(const std::vector<std::string>& lines, bool russian) {
  std::vector<std::string> out;
  out.reserve(lines.size() + 1);
  std::size_t i = 0;
  for (; i < lines.size(); ++i) {
    out.push_back(lines[i]);
    if (lines[i] == kSetupSymMarker) break;
  }
  if (i == lines.size()) return out;  // no marker: unchanged
  out.emplace_back(russian ? "0" : "1");
  // The line after the marker is replaced; the rest follows as it is.
  for (i += 2; i < lines.size(); ++i) out.push_back(lines[i]);
  return out;
}

PatchResult PatchSetupSym(bool russian) {
  const std::string path = platform::programFolder() + "setup.sym";
  if (!platform::fileExists(path)) {
    platform::dialogs().messageBox(std::string(), "Cannot find " + path, platform::MsgButtons::Ok,
                                   platform::MsgIcon::Information);
    return PatchResult::NoFile;
  }
  std::string reason;
  auto lines = platform::readLines(path, platform::kSettingsReadLimit, &reason);
  if (!lines) {
    ReportError(platform::withSizeReason("Cannot read file " + path, reason));
    return PatchResult::Failed;
  }
  std::string error;
  if (!platform::writeLines(path, PatchSetupSymLines(*lines, russian), &error)) {
    ReportError(error);
    return PatchResult::Failed;
  }
  return PatchResult::Patched;
}

bool CopyFileByStream(const std::string& source, const std::string& dest, std::string* error) {
  return platform::copyFile(source, dest, platform::kSettingsReadLimit, error);
}

SwitchResult SwitchLanguage(int tag, MessageList& messages) {
  const LanguagePack pack = LanguagePackOfTag(tag);
  if (PatchSetupSym(pack.russian) == PatchResult::Failed) return SwitchResult::Failed;

  const std::string folder = platform::imagesFolder();
  const std::string m = folder + "language1.txt";
  const std::string c = folder + "language2.txt";
  const std::string p1 = folder + pack.messageFile;
  const std::string p2 = folder + pack.captionsFile;
  if (!platform::fileExists(p1) || !platform::fileExists(p2)) {
    platform::dialogs().showMessage(GetMsg(0) + " " + p1 + " or " + p2);
    return SwitchResult::PackMissing;
  }
  // Each language file is replaced as a whole, so a failed copy leaves the
  // former file in place.
  std::string error;
  if (!CopyFileByStream(p1, m, &error) || !CopyFileByStream(p2, c, &error)) {
    ReportError(error);
    return SwitchResult::Failed;
  }
  std::string reason;
  auto loaded = LoadMessageFile(m, &reason);
  if (!loaded) {
    ReportError(platform::withSizeReason("Cannot read file " + m, reason));
    return SwitchResult::Failed;
  }
  messages = std::move(*loaded);
  return SwitchResult::Switched;
}

}  // namespace vemu::catalogue
