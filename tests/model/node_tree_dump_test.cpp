// The node tree dump of both programs against golden files, and a damaged
// membership listed once.
#include <gtest/gtest.h>

#include "model/node_tree_dump.h"
#include "support/golden_file.h"
#include "support/graph_members.h"

namespace vemu::model {
namespace {

using testing::AddMember;

struct Descriptions final : NodeTreeDumpHost {
  std::optional<std::string> TypeDescription(int code) const override {
    if (code > 38) return std::nullopt;
    return "(type " + std::to_string(code) + ")";
  }
};

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

// The root holds junctions 1 and 0, a resistor with a value (current), a
// text note and X1, which holds the junction 1, R2 and X2 with a capacitor;
// X1's pins lead to the outer junctions; a control link of kind 7, a node
// of no type, one of an unknown code and an orphan complete it.
struct NestedCircuit {
  TheBaseOfGraf graph;
  TheNode* root = graph.AddNode(nullptr, ntRoot);
  NestedCircuit() {
    root->Name = "Upper Level";
    graph.MainNode = root;
    TheNode* j1 = AddMember(graph, root, ntJunction, "1");
    TheNode* j0 = AddMember(graph, root, ntJunction, "0");
    TheNode* r1 = AddMember(graph, root, 19, "R1", 0, 0, "1k");
    graph.AddLine(-2, r1, j1, alOutPin);
    graph.AddLine(-2, r1, j0, alInPin);
    graph.CurrentNode = r1;
    AddMember(graph, root, ntText, "text", 0, 0, "first/second");
    TheNode* x1 = AddMember(graph, root, ntSubCircuit, "X1");
    TheNode* inner = AddMember(graph, x1, ntJunction, "1");
    TheNode* r2 = AddMember(graph, x1, 19, "R2", 0, 0, "2k");
    graph.AddLine(-2, r2, inner, alWire);
    TheNode* x2 = AddMember(graph, x1, ntSubCircuit, "X2");
    TheNode* c1 = AddMember(graph, x2, 20, "C1");
    graph.AddLine(-2, c1, r2, alControl);
    graph.AddLine(-2, x1, j1, alOutPin);
    graph.AddLine(-2, x1, j0, alOutPin);
    AddMember(graph, root, ntNoType, "odd");
    AddMember(graph, root, 77, "bad");  // a code the table does not have
    graph.AddNode(nullptr, 19)->Name = "R9";  // an orphan
  }
};

TEST(NodeTreeDump, NestedCircuitInBothForms) {
  const Descriptions types;
  for (auto [form, file] : {std::pair{DumpForm::Full, "node_tree_nested.txt"},
                            std::pair{DumpForm::Second, "node_tree_nested_second.txt"}}) {
    NestedCircuit circuit;
    SetModelVariant(form == DumpForm::Full ? ModelVariant::Full : ModelVariant::Second);
    const std::string text = Joined(DumpNodeTree(circuit.graph, form, types));
    SetModelVariant(ModelVariant::Full);
    testing::ExpectGoldenFile(std::string(VEMU_SOURCE_DIR) + "/tests/model/golden/" + file, text, file);
  }
}

// Sub-circuits one level deeper than the indent grows: the last keeps the deepest indent and shows its depth.
TEST(NodeTreeDump, IndentStopsGrowingPastTheFixedDepth) {
  TheBaseOfGraf graph;
  TheNode* level = graph.MainNode = graph.AddNode(nullptr, ntRoot);
  for (std::size_t depth = 0; depth <= kDumpIndentLevels + 1; ++depth) level = AddMember(graph, level, ntSubCircuit, "X" + std::to_string(depth));
  const std::vector<std::string> lines = DumpNodeTree(graph, DumpForm::Full, Descriptions());
  const std::string deepest(2 * kDumpIndentLevels, ' ');
  ASSERT_EQ(lines.size(), 2 + 3 * (kDumpIndentLevels + 2));
  EXPECT_EQ(std::vector(lines.begin() + 2 + 2 * kDumpIndentLevels, lines.begin() + 8 + 2 * kDumpIndentLevels),
            (std::vector{deepest + "[#66] \"X64\" T=29-(type 29)", deepest + "{", deepest + "<65> [#67] \"X65\" T=29-(type 29)",
                         deepest + "<65> {", deepest + "<65> }", deepest + "}"}));
}

TEST(NodeTreeDump, DamagedMembershipIsListedOnce) {
  NestedCircuit circuit;
  TheNode* x1 = circuit.graph.FindChildByName("X1", circuit.root);
  circuit.graph.AddLine(-2, x1, circuit.root, alHaveItem);  // a cycle through the root
  circuit.graph.AddLine(-2, circuit.root, x1, alHaveItem);  // X1 a member twice
  const std::vector<std::string> lines = DumpNodeTree(circuit.graph, DumpForm::Full, Descriptions());
  NestedCircuit intact;
  EXPECT_EQ(lines, DumpNodeTree(intact.graph, DumpForm::Full, Descriptions()));
}

}  // namespace
}  // namespace vemu::model
