#include "netlist/netlist_questions.h"

#include "platform/dialogs.h"
#include "platform/text_codec.h"

namespace vemu::netlist {

using platform::MsgResult;

void NetlistQuestions::showElement(model::TheNode* element) {
  NetlistHost& host = context_.host;
  host.ShowLevel(element->Upper);
  host.SetLevelSelection(0);
  element->Selected = 1;
  host.SetCurrentNode(element);
  host.CenterOnNode(element);
}

bool NetlistQuestions::AskNetlistProblem(model::TheNode* element, const std::string& text,
                                         const std::string& caption) {
  if (!element || context_.listNotPacked == 1) return false;
  context_.host.ShowMemo(memo_);
  showElement(element);
  const MsgResult answer = platform::dialogs().messageBox(
      caption, text, platform::MsgButtons::AbortRetryIgnore, platform::MsgIcon::None);
  context_.host.SetStatusText(2, text);
  if (answer == MsgResult::Abort) return true;
  if (answer == MsgResult::Ignore) context_.listNotPacked = 1;
  return false;
}

bool NetlistQuestions::AskElementValue(model::TheNode* element, const std::string& caption,
                                       const std::string& prompt) {
  context_.host.ShowMemo(memo_);
  if (!element) return false;
  showElement(element);
  context_.host.SetStatusText(2, caption);
  const std::string initial = "1";
  const auto answer = platform::dialogs().inputQuery(caption, prompt, initial);
  if (answer) {
    context_.host.SetStatusText(2, "Value=" + *answer);
    element->Value = platform::utf8ToCp1251(*answer);
    return false;
  }
  // Nobody entered a value: the element keeps none, so the next build asks
  // again, and this one stops.
  context_.host.SetStatusText(2, "Value=");
  context_.listNotPacked = 1;
  return true;
}

}  // namespace vemu::netlist
