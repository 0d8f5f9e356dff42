#include "model/value_entry.h"

#include "model/name_rules.h"
#include "platform/text_codec.h"

namespace vemu::model {

namespace {

using platform::cp1251ToUtf8;
using platform::utf8ToCp1251;

// The input box for the node's value; true when the user confirmed.
bool AskAndStore(TheNode* node, ValueEntryHost& host, bool snapshotFirst) {
  const std::string name = node->Name.str();
  auto typed = host.AskText(host.Msg(51), cp1251ToUtf8(name), cp1251ToUtf8(node->Value));
  if (!typed) return false;
  if (snapshotFirst) host.PushUndoSnapshot();
  host.SetCurrentNode(node);
  host.StoreThroughFields(name, utf8ToCp1251(*typed));
  return true;
}

}  // namespace

void EditNodeValue(TheNode* node, ValueEntryHost& host) {
  if (!node) return;
  const bool wasMultiLine = node->IsMultiLineText();
  if (node->IsText()) {
    if (AskAndStore(node, host, true) && wasMultiLine && !node->IsMultiLineText()) {
      node->Wx = node->X;
      node->Wy = node->Y;
    }
    host.SetIgnoreMouseDown();
  } else if (IsAmplifierValueType(node->NodeType)) {
    AmplifierProperties fields;
    fields.caption = host.TypeDescription(node->NodeType);
    fields.name = node->Name.str();
    fields.value = node->Value;
    fields.inverted = node->Polarity == 0;
    if (host.AskAmplifierProperties(fields)) {
      const std::string name = fields.name.substr(0, 30);
      auto problem = name == node->Name.str() ? std::nullopt : NameProblem(name);
      if (!problem) problem = ValueProblem(*node, fields.value);
      if (problem) {
        host.ShowWarning(*problem);
        host.ResetMouseState();
        return;
      }
      // Ok changes the graph like any editing command: a snapshot first.
      host.PushUndoSnapshot();
      host.SetModified();
      node->Polarity = fields.inverted ? 0 : 1;
      node->Name = std::string_view(fields.name).substr(0, 30);
      node->Value = fields.value;
    }
  } else {
    AskAndStore(node, host, false);
  }
  host.ResetMouseState();
}

}  // namespace vemu::model
