#include "files/file_type_registration.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "platform/process_runner.h"
#include "platform/process_wait.h"
#include "platform/text_file.h"

namespace vemu::files {
namespace {

std::string WithSlash(std::string folder) {
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return folder;
}

// An absolute folder from the environment, or `fallback` under $HOME.
std::string BaseFolder(const char* variable, const char* fallback) {
  const char* value = std::getenv(variable);
  if (value && value[0] == '/') return WithSlash(value);
  const char* home = std::getenv("HOME");
  return WithSlash(std::string(home && home[0] ? home : ".") + "/" + fallback);
}

// A value of type string: backslash and the control characters escaped.
std::string DesktopValue(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\\') out += "\\\\";
    else if (c == '\n') out += "\\n";
    else if (c == '\t') out += "\\t";
    else if (c == '\r') out += "\\r";
    else out += c;
  }
  return out;
}

std::string IconName() {
  std::string name = kCircuitMimeType;
  for (char& c : name) if (c == '/') c = '-';
  return name;
}

constexpr const char* kIcon =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"48\" height=\"48\" viewBox=\"0 0 48 48\">\n"
    "  <path d=\"M8 3h24l9 9v33H8z\" fill=\"#fff\" stroke=\"#335\" stroke-width=\"2\"/>\n"
    "  <path d=\"M32 3v9h9\" fill=\"none\" stroke=\"#335\" stroke-width=\"2\"/>\n"
    "  <path d=\"M12 30h6l2-5 3 10 3-10 3 10 2-5h6\" fill=\"none\" stroke=\"#c00\" stroke-width=\"2\"/>\n"
    "  <circle cx=\"12\" cy=\"30\" r=\"2\" fill=\"#06c\"/><circle cx=\"37\" cy=\"30\" r=\"2\" fill=\"#06c\"/>\n"
    "</svg>\n";

bool WriteFile(const std::string& path, const std::string& content, std::string& error) {
  std::error_code ec;
  std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ec);
  platform::SafeFileWriter writer(path);
  writer.write(content);
  if (writer.commit()) return true;
  error = writer.error();
  return false;
}

// The program of that name on $PATH, or empty.
std::string FindOnPath(const std::string& name) {
  const char* path = std::getenv("PATH");
  std::string folders = path ? path : "";
  for (std::size_t start = 0; start <= folders.size();) {
    const std::size_t end = std::min(folders.find(':', start), folders.size());
    const std::string folder = folders.substr(start, end - start);
    const std::string candidate = WithSlash(folder.empty() ? "." : folder) + name;
    if (platform::fileExists(candidate) && ::access(candidate.c_str(), X_OK) == 0) return candidate;
    start = end + 1;
  }
  return std::string();
}

// False when the wait was cancelled (or the editor is ending): the program was stopped.
bool RunIfInstalled(const std::string& name, const std::string& folder, platform::ProcessWait& wait) {
  const std::string program = FindOnPath(name);
  if (program.empty()) return true;
  std::string error;
  auto child = platform::ChildProcess::Start({program, {folder}}, std::string(), error);
  return !child || wait.WaitFor(*child, program);
}

std::string Trimmed(const std::string& s) {
  const auto begin = s.find_first_not_of(" \t");
  if (begin == std::string::npos) return std::string();
  return s.substr(begin, s.find_last_not_of(" \t") - begin + 1);
}

bool IsGroupHeader(const std::string& line) {
  const std::string t = Trimmed(line);
  return !t.empty() && t.front() == '[' && t.back() == ']';
}

}  // namespace

DesktopFolders DesktopFoldersFromEnvironment() {
  return {BaseFolder("XDG_DATA_HOME", ".local/share"), BaseFolder("XDG_CONFIG_HOME", ".config")};
}

std::string DesktopExecArgument(const std::string& argument) {
  std::string quoted = "\"";
  for (char c : argument) {
    if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
    if (c == '%') quoted += '%';
    quoted += c;
  }
  return DesktopValue(quoted + "\"");
}

std::vector<RegistrationFile> RegistrationFiles(const std::string& ext, const std::string& programPath,
                                                const DesktopFolders& folders) {
  const std::string icon = folders.dataHome + "icons/hicolor/scalable/mimetypes/" + IconName() + ".svg";
  const std::string mime =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
      "  <mime-type type=\"" + std::string(kCircuitMimeType) + "\">\n"
      "    <comment>DAG of circuit for programm Vemu</comment>\n"
      "    <icon name=\"" + IconName() + "\"/>\n"
      "    <glob pattern=\"*." + ext + "\"/>\n"
      "  </mime-type>\n"
      "</mime-info>\n";
  const std::string desktop =
      "[Desktop Entry]\n"
      "Type=Application\n"
      "Name=Vemu\n"
      "Comment=DAG of circuit for programm Vemu\n"
      "Exec=" + DesktopExecArgument(programPath) + " %f\n"
      "Icon=" + DesktopValue(icon) + "\n"
      "MimeType=" + std::string(kCircuitMimeType) + ";\n"
      "Terminal=false\n"
      "NoDisplay=true\n";
  return {{folders.dataHome + "mime/packages/vemu-circuit.xml", mime},
          {folders.dataHome + "applications/" + kCircuitDesktopId, desktop},
          {icon, kIcon}};
}

std::string MimeAppsWithDefault(const std::string& existing, const std::string& mimeType,
                                const std::string& desktopId) {
  std::vector<std::string> lines = platform::splitLines(existing);
  const std::string entry = mimeType + "=" + desktopId + ";";
  std::size_t group = lines.size();
  for (std::size_t i = 0; i < lines.size(); ++i)
    if (Trimmed(lines[i]) == "[Default Applications]") {
      group = i;
      break;
    }
  if (group == lines.size()) {
    if (!lines.empty() && !Trimmed(lines.back()).empty()) lines.emplace_back();
    lines.emplace_back("[Default Applications]");
    lines.push_back(entry);
  } else {
    std::size_t end = group + 1;
    while (end < lines.size() && !IsGroupHeader(lines[end])) ++end;
    std::size_t at = end;
    for (std::size_t i = group + 1; i < end; ++i)
      if (Trimmed(lines[i].substr(0, lines[i].find('='))) == mimeType) {
        at = i;
        break;
      }
    if (at < end) {
      lines[at] = entry;
    } else {
      while (at > group + 1 && Trimmed(lines[at - 1]).empty()) --at;
      lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), entry);
    }
  }
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

bool RegisterFileExtension(const std::string& ext, const std::string& programPath, const DesktopFolders& folders,
                           std::string& error, platform::ProcessWait& wait) {
  for (const RegistrationFile& file : RegistrationFiles(ext, programPath, folders))
    if (!WriteFile(file.path, file.content, error)) return false;
  const std::string list = folders.configHome + "mimeapps.list";
  std::string reason;
  const auto old = platform::fileExists(list) ? platform::readFileBytes(list, platform::kSettingsReadLimit, &reason)
                                              : std::optional<std::string>("");
  if (!old) {
    error = platform::withSizeReason("Cannot read file " + list, reason);  // its other entries must not be lost
    return false;
  }
  if (!WriteFile(list, MimeAppsWithDefault(*old, kCircuitMimeType, kCircuitDesktopId), error)) return false;
  if (RunIfInstalled("update-mime-database", folders.dataHome + "mime", wait))
    RunIfInstalled("update-desktop-database", folders.dataHome + "applications", wait);
  return true;
}

}  // namespace vemu::files
