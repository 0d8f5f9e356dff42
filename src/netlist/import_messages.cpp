#include "netlist/import_messages.h"

#include "platform/dialogs.h"

namespace vemu::netlist {

void ImportMessages::Add(std::string utf8) {
  ++count_;
  if (first_.size() < kShown) first_.push_back(std::move(utf8));
}

std::string ImportMessages::Text() const {
  if (count_ == 1) return first_.front();
  std::string text = std::to_string(count_) + " messages:";
  for (const std::string& message : first_) text += "\r\n" + message;
  if (count_ > first_.size()) text += "\r\n... and " + std::to_string(count_ - first_.size()) + " more";
  return text;
}

void ImportMessages::Show() {
  if (count_ == 0) return;
  const std::string text = Text();
  count_ = 0;
  first_.clear();
  platform::dialogs().showMessage(text);
}

}  // namespace vemu::netlist
