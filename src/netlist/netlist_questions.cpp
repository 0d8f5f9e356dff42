#include "netlist/netlist_questions.h"

#include "model/name_rules.h"

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
  // The circuit file splits a record on blanks: a value typed with one would
  // come back cut, so it is refused as the value field refuses it.
  const auto problem = answer ? model::ValueProblem(*element, *answer) : std::nullopt;
  if (problem) platform::dialogs().showMessage(*problem);
  if (answer && !problem) {
    context_.host.SetStatusText(2, "Value=" + *answer);
    element->Value = platform::utf8ToCp1251(*answer);
    return false;
  }
  // Nobody entered a usable value: the element keeps none, so the next build
  // asks again, and this one stops.
  context_.host.SetStatusText(2, "Value=");
  context_.listNotPacked = 1;
  return true;
}

}  // namespace vemu::netlist
