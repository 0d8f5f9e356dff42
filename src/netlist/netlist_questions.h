// The two questions of a build that point at one element: a problem with
// Abort, Retry and Ignore, and the prompt for a missing value. Each shows
// the element first: its level, selected alone, current and centred.
#pragma once

#include <string>
#include <vector>

#include "netlist/netlist_context.h"

namespace vemu::netlist {

class NetlistQuestions {
 public:
  // `memoSoFar`: the lines built so far, put into the memo before a
  // question (null leaves the memo as it is).
  NetlistQuestions(NetlistContext& context, const std::vector<std::string>* memoSoFar)
      : context_(context), memo_(memoSoFar) {}

  // True when the user chose to stop (Abort). Nothing is asked for a null
  // element or once the list is marked not packed.
  bool AskNetlistProblem(model::TheNode* element, const std::string& text, const std::string& caption);
  // True when the user cancelled (the value stays empty, the list is marked
  // not packed). Asked even when the list is marked not packed already.
  bool AskElementValue(model::TheNode* element, const std::string& caption, const std::string& prompt);

 private:
  void showElement(model::TheNode* element);

  NetlistContext& context_;
  const std::vector<std::string>* memo_;
};

}  // namespace vemu::netlist
