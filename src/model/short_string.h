// A text of at most N single-byte characters: whatever is assigned to it is
// cut to its first N bytes, as the fixed-size name fields of the circuit
// model require.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vemu::model {

template <std::size_t N>
class ShortString {
 public:
  ShortString() = default;
  ShortString(std::string_view text) : text_(text.substr(0, N)) {}  // NOLINT: implicit on purpose
  ShortString(const char* text) : ShortString(std::string_view(text)) {}  // NOLINT

  ShortString& operator=(std::string_view text) {
    text_.assign(text.substr(0, N));
    return *this;
  }
  ShortString& operator=(const std::string& text) { return *this = std::string_view(text); }
  ShortString& operator=(const char* text) { return *this = std::string_view(text); }

  const std::string& str() const { return text_; }
  operator const std::string&() const { return text_; }  // NOLINT
  operator std::string_view() const { return text_; }    // NOLINT
  const char* c_str() const { return text_.c_str(); }
  bool empty() const { return text_.empty(); }
  std::size_t size() const { return text_.size(); }
  static constexpr std::size_t capacity() { return N; }

  friend bool operator==(const ShortString& a, const ShortString& b) { return a.text_ == b.text_; }
  friend bool operator==(const ShortString& a, std::string_view b) { return a.text_ == b; }

 private:
  std::string text_;
};

}  // namespace vemu::model
