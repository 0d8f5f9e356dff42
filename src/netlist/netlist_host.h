// What the netlist builder needs from the window it works for: showing a
// level, the selection, the current node, centring, status texts and the
// memo. Questions go through platform::dialogs().
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vemu::model {
class TheNode;
}

namespace vemu::netlist {

// How a build ended: it ran to its end (".END" written, or there was no
// level to build), or the user answered a question with stop (Abort, a
// cancelled value prompt, or the answer that ends the build at a check).
enum class BuildEnd { Complete, StoppedByUser };

class NetlistHost {
 public:
  virtual ~NetlistHost() = default;

  // Shows `container`'s members (the graph's MainNode := container).
  virtual void ShowLevel(model::TheNode* container) = 0;
  // Every member of the shown level gets Selected := flag.
  virtual void SetLevelSelection(std::uint8_t flag) = 0;
  virtual void SetCurrentNode(model::TheNode* node) = 0;
  // Shows the node's level and brings the node into sight.
  virtual void CenterOnNode(model::TheNode* node) = 0;
  virtual void SetStatusText(int panel, const std::string& utf8) = 0;
  // Makes the memo visible; when `linesSoFar` is given (code page 1251),
  // the memo shows those lines first.
  virtual void ShowMemo(const std::vector<std::string>* linesSoFar) = 0;
  // The memo's final lines and the text window's caption (UTF-8).
  virtual void SetMemoLines(const std::vector<std::string>& lines) = 0;
  virtual void SetMemoCaption(const std::string& utf8) = 0;
};

}  // namespace vemu::netlist
