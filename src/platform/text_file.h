// Text files read and written line by line, as single-byte text. Lines
// end in CR LF when written; a read accepts CR LF, LF or a lone CR.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vemu::platform {

// The whole content of a file, or nothing when it cannot be read; then
// `reason`, when given, says why (the system's error text).
std::optional<std::string> readFileBytes(const std::string& path, std::string* reason = nullptr);

// The lines of a text, without their line ends.
std::vector<std::string> splitLines(std::string_view text);

// The lines of a file, or nothing when it cannot be read (`reason` as above).
std::optional<std::vector<std::string>> readLines(const std::string& path, std::string* reason = nullptr);

// Reads lines one at a time; reading past the end yields empty lines.
class LineReader {
 public:
  explicit LineReader(std::vector<std::string> lines) : lines_(std::move(lines)) {}
  static std::optional<LineReader> open(const std::string& path);

  std::string next();
  bool atEnd() const { return pos_ >= lines_.size(); }
  std::size_t lineNumber() const { return pos_; }  // lines taken so far

 private:
  std::vector<std::string> lines_;
  std::size_t pos_ = 0;
};

// Writes a file through a temporary file in the same folder that replaces
// the target only when everything was written, so a failed write never
// destroys the file that was there.
class SafeFileWriter {
 public:
  explicit SafeFileWriter(std::string path);
  ~SafeFileWriter();  // discards the temporary file unless commit() succeeded
  SafeFileWriter(const SafeFileWriter&) = delete;
  SafeFileWriter& operator=(const SafeFileWriter&) = delete;

  void write(std::string_view bytes) { buffer_.append(bytes); }
  void write(const char* bytes) { buffer_.append(bytes); }
  void write(std::string&& bytes) {
    if (buffer_.empty()) buffer_ = std::move(bytes);
    else buffer_.append(bytes);
  }
  void writeLine(std::string_view line) {
    buffer_.append(line);
    buffer_.append("\r\n");
  }
  // Writes and renames; on failure the target is as it was and the error
  // text says why.
  bool commit();
  const std::string& error() const { return error_; }

 private:
  std::string path_;
  std::string buffer_;
  std::string error_;
};

// Writes the lines with CR LF ends through SafeFileWriter.
bool writeLines(const std::string& path, const std::vector<std::string>& lines,
                std::string* error = nullptr);

bool fileExists(const std::string& path);
bool directoryExists(const std::string& path);
bool removeFile(const std::string& path);
bool copyFile(const std::string& source, const std::string& dest, std::string* error = nullptr);

}  // namespace vemu::platform
