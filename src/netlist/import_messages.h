// The notices of one netlist import, gathered while it reads and shown in
// one box when it has ended, so that a file of many faulty lines asks for
// one click instead of one per line.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace vemu::netlist {

class ImportMessages {
 public:
  // How many notices the box lists; the rest are only counted.
  static constexpr std::size_t kShown = 10;

  // A notice (UTF-8) as it would stand in a box of its own.
  void Add(std::string utf8);
  // The same with a text made only when the box lists it, so that a file of
  // millions of faulty lines makes no text for each.
  template <typename MakeText>
  void AddMade(MakeText make) {
    if (first_.size() < kShown) Add(make());
    else ++count_;
  }
  std::size_t Count() const { return count_; }
  // The box's text: a lone notice as it is; several as their count, then
  // the first kShown of them, one a line, and how many more there were.
  std::string Text() const;
  // Shows the box when there was any notice, then forgets them all.
  void Show();

 private:
  std::size_t count_ = 0;
  std::vector<std::string> first_;
};

}  // namespace vemu::netlist
