// The second build's value entry for one node: an input box for the value
// of any node, the properties window for an amplifier. The stores go
// through the name and value fields and their "New" button, so the rules of
// the name and value editing hold here too.
#pragma once

#include <optional>
#include <string>

#include "model/graph.h"

namespace vemu::model {

// The fields of the properties window (code page 1251 name and value).
struct AmplifierProperties {
  std::string caption;  // UTF-8: the type's description
  std::string name;
  std::string value;
  bool inverted = false;  // "Invertion" ticked: the sign flag is 0
};

class ValueEntryHost {
 public:
  virtual ~ValueEntryHost() = default;
  // The input box (UTF-8 texts); nothing when the user cancels.
  virtual std::optional<std::string> AskText(const std::string& caption, const std::string& prompt,
                                             const std::string& initial) = 0;
  // The properties window, filled from and written back to `fields`; true on Ok.
  virtual bool AskAmplifierProperties(AmplifierProperties& fields) = 0;
  virtual std::string Msg(int index) = 0;
  virtual void ShowWarning(const std::string& text) = 0;
  virtual std::string TypeDescription(int type) = 0;
  virtual void PushUndoSnapshot() = 0;
  virtual void SetModified() = 0;
  virtual void SetCurrentNode(TheNode* node) = 0;
  // Fills the name and value fields (code page 1251) and presses "New".
  virtual void StoreThroughFields(const std::string& name, const std::string& value) = 0;
  virtual void SetIgnoreMouseDown() = 0;
  virtual void ResetMouseState() = 0;
};

void EditNodeValue(TheNode* node, ValueEntryHost& host);

}  // namespace vemu::model
