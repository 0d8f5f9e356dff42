// A circuit under construction with everything a netlist build needs: the
// element types, the settings, scripted answers and a host that records
// what the build does to the window.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalogue/messages.h"
#include "catalogue/node_type_table.h"
#include "catalogue/settings.h"
#include "model/graph_test_support.h"
#include "netlist/level_selection.h"
#include "netlist/netlist_builder.h"
#include "platform/text_codec.h"

namespace vemu::test {

// Records the window side of a build as short event texts.
class RecordingHost final : public netlist::NetlistHost {
 public:
  explicit RecordingHost(TheBaseOfGraf& graph) : graph_(graph) {}

  void ShowLevel(TheNode* c) override {
    graph_.MainNode = c;
    events.push_back("level " + nameOf(c));
  }
  void SetLevelSelection(std::uint8_t flag) override {
    netlist::SetLevelSelection(graph_, flag);
    events.push_back("selection " + std::to_string(flag));
  }
  void SetCurrentNode(TheNode* n) override {
    graph_.CurrentNode = n;
    events.push_back("current " + nameOf(n));
  }
  void CenterOnNode(TheNode* n) override {
    if (n) graph_.MainNode = n->Upper ? n->Upper : n;
    events.push_back("center " + nameOf(n));
  }
  void SetStatusText(int panel, const std::string& text) override {
    events.push_back("status " + std::to_string(panel) + " " + text);
  }
  void ShowMemo(const std::vector<std::string>* lines) override {
    events.push_back("memo shown" + (lines ? " (" + std::to_string(lines->size()) + " lines)" : std::string()));
  }
  void SetMemoLines(const std::vector<std::string>& lines) override { memo = lines; }
  void SetMemoCaption(const std::string& text) override { caption = text; }

  // The events that name `what` at their start, e.g. "center".
  std::vector<std::string> eventsOf(const std::string& what) const {
    std::vector<std::string> out;
    for (const auto& e : events)
      if (e.compare(0, what.size(), what) == 0) out.push_back(e);
    return out;
  }

  std::vector<std::string> events;
  std::vector<std::string> memo;
  std::string caption;

 private:
  static std::string nameOf(const TheNode* n) { return n ? n->Name.str() : "nil"; }
  TheBaseOfGraf& graph_;
};

class NetlistFixture : public ::testing::Test, public GraphFixtureBase {
 protected:
  NetlistFixture() : host(graph) {
    catalogue::InitNodeTypeTable(types, model::NodeTypeCount, nullptr);
    for (int i = 0; i < 70; ++i) {
      std::string text(1, 'm');
      text += std::to_string(i);
      messages.push_back(std::move(text));
    }
    messages[44] = "Two elements are named %s.";
    catalogue::SetMessageSource(&messages);
    settings.CheckAdditionalString = false;
  }
  ~NetlistFixture() override { catalogue::ReleaseMessageSource(&messages); }

  TheNode* junction(TheNode* owner, const std::string& name, int ground = 0) {
    TheNode* j = member(owner, model::ntJunction, name);
    j->Ground = ground;
    return j;
  }
  // An element with its output and input links (null: none).
  TheNode* element(TheNode* owner, std::uint8_t type, const std::string& name, const std::string& value,
                   TheNode* out, TheNode* in) {
    TheNode* e = member(owner, type, name);
    e->Value = value;
    if (out) graph.AddLine(-2, e, out, model::alOutPin);
    if (in) graph.AddLine(-2, e, in, model::alInPin);
    return e;
  }
  void wire(TheNode* a, TheNode* b) { graph.AddLine(-2, a, b, model::alWire); }

  netlist::NetlistContext context() { return {graph, types, settings, host, listNotPacked}; }

  // Builds the netlist with the title "t" and gives the memo's lines.
  std::vector<std::string> build(const std::string& title = "t") {
    netlist::NetlistBuilder builder(context());
    builder.BuildNetlist(title);
    EXPECT_EQ(builder.lines(), host.memo);
    return host.memo;
  }
  // The element lines only (without title and ".END").
  std::vector<std::string> body() {
    auto lines = build();
    if (!lines.empty()) lines.erase(lines.begin());
    if (!lines.empty() && lines.back() == ".END") lines.pop_back();
    return lines;
  }

  void answer(std::initializer_list<platform::MsgResult> answers) {
    for (auto a : answers) dialogs.boxAnswers.push_back(a);
  }

  catalogue::NodeTypeTable types;
  catalogue::Settings settings;
  catalogue::MessageList messages;
  RecordingHost host;
  std::uint8_t listNotPacked = 0;
};

}  // namespace vemu::test
