// The netlist import: what each kind of line builds (a table over netlist
// texts, the circuit written as a tree), the positions of the three layouts,
// the diagnostic lines, the commands around the build and the round trip
// through the netlist builder.
#include <gtest/gtest.h>

#include <map>
#include <random>
#include <regex>
#include <sstream>

#include "netlist/free_place_finder.h"
#include "netlist/netlist_import_commands.h"
#include "view/gesture_hit_test.h"
#include "netlist/netlist_test_support.h"
#include "platform/text_file.h"
#include "support/scratch_folder.h"

using vemu::model::TheLine;
using vemu::model::TheNode;
using vemu::netlist::ImportLayout;
using vemu::platform::MsgResult;
using Lines = std::vector<std::string>;

namespace {

class ImportHost final : public vemu::netlist::NetlistImportHost {
 public:
  int PaintBoxWidth() const override { return width; }
  int PaintBoxHeight() const override { return height; }
  std::int32_t GridStep() const override { return 15; }
  double ViewScale() const override { return 1.0; }
  void SetModified(bool m) override { modified = m; }
  bool DiagnosticsChecked() const override { return diagnostics; }
  void ShowDiagnosticMemo() override { events.push_back("memo"); }
  void AddDiagnosticLines(const Lines& lines) override { memo.insert(memo.end(), lines.begin(), lines.end()); }
  bool ConfirmDiscardUnsaved() override { return events.push_back("confirm"), confirm; }
  void EnableSave() override { events.push_back("save on"); }
  void SetCurrentNode(TheNode*) override { events.push_back("current nil"); }
  std::string ImportItemHint() const override { return "hint"; }
  void NewCircuit() override { events.push_back("new"); }
  void SetCaption(const std::string& text) override { caption = text; }
  void ShowFileInTextWindow(const std::string&, std::string_view bytes) override { text = vemu::platform::splitLines(bytes); }
  void ComputeItemsRect() override { events.push_back("rect"); }
  void UpdateScrollBars() override { events.push_back("bars"); }
  void RefreshLevelWindows() override { events.push_back("levels"); }

  int width = 1280, height = 900;
  bool modified = false, diagnostics = false, confirm = true;
  Lines events, memo, text;
  std::string caption;
};

class NetlistImportTest : public vemu::test::NetlistFixture {
 protected:
  NetlistImportTest() {
    const char* letters = "--2EJIUVANNUKIHUGIBRgLlCcGHKBXN";
    for (int t = 3; t <= 30; ++t) vemu::catalogue::SetDescription(types[t], std::string("\"") + letters[t] + "\"");
  }
  vemu::netlist::ImportContext importContext() { return {graph, types, importHost, random}; }
  void import(const std::string& text, ImportLayout mode = ImportLayout::AsCreated) {
    std::istringstream in(text);
    Lines lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    vemu::netlist::NetlistImport(importContext()).BuildFromNetlist(lines, mode);
  }
  // A level as "{member member ...}": name:type[=value], its links
  // (i in, o out, w wire, c control, then the target's name), "g" for ground
  // and a container's own level.
  std::string tree(const TheNode* level) const {
    std::string out = "{";
    for (const TheLine* m = level->FirstLine.get(); m; m = m->Next.get()) {
      if (m->Kind != vemu::model::alHaveItem) continue;
      const TheNode* n = m->Node;
      out += (out.size() > 1 ? " " : "") + n->Name.str() + ":" + std::to_string(n->NodeType);
      if (!n->Value.empty()) out += "=" + vemu::platform::cp1251ToUtf8(n->Value);
      if (n->Ground) out += " g";
      for (const TheLine* l = n->FirstLine.get(); l; l = l->Next.get())
        if (l->Kind != vemu::model::alHaveItem) out += std::string(" ") + "????oiwc"[l->Kind] + l->Node->Name.str();
      if (n->IsContainer()) out += tree(n);
    }
    return out + "}";
  }

  ImportHost importHost;
  vemu::platform::RandomSource random{7};
};

struct ImportCase {
  const char* what;
  const char* text;  // title, lines, last line
  const char* tree;
};

void PrintTo(const ImportCase& c, std::ostream* os) { *os << c.what; }

const ImportCase kImportCases[] = {
    {"flat circuit, first net in", "t\nR1 1 0 10\nC1 1 2 1u\n.END", "{R1:19=10 i1 o0 1:2 0:2 g C1:23=1u i1 o2 2:2}"},
    {"every type letter", "t\nR1 a b 1\ng1 a b 1\nL1 a b 1\nl1 a b 1\nC1 a b 1\nc1 a b 1\nE1 a b 1\nJ1 a b 1\n"
     "U1 a b 1\nI1 a b 1\nV1 a b 1\nA1 a b 1\n.END",
     "{R1:19=1 ia ob a:2 b:2 g1:20=1 ia ob L1:21=1 ia ob l1:22=1 ia ob C1:23=1 ia ob c1:24=1 ia ob E1:3=1 ia ob "
     "J1:4=1 ia ob U1:6=1 ia ob I1:5=1 ia ob V1:7=1 ia ob A1:8=1 ia ob}"},
    {"every pair letter", "t\nN1 1 2 3 4 5\nK1 1 2 3 4 5\nH1 1 2 3 4 5\nG1 1 2 3 4 5\nB1 1 2 3 4 5\n.END",
     "{N1:9=5 cN1 i1 o2 N1:10=5 i3 o4 1:2 2:2 3:2 4:2 K1:12=5 cU1 i1 o2 U1:11=5 i3 o4 "
     "H1:14=5 cI1 i1 o2 I1:13=5 i3 o4 G1:16=5 cU1 i1 o2 U1:15=5 i3 o4 B1:18=5 cI1 i1 o2 I1:17=5 i3 o4}"},
    {"padded values", "t\nR1 1 2\nK1 1 2 3 4\nX1 1 2\n.X\n.END",
     "{R1:19=0 i1 o2 1:2 2:2 K1:12=0 cU1 i1 o2 U1:11=0 i3 o4 3:2 4:2 X1:29 o1 o2{1:2 w1 2:2 w2}}"},
    {"further nets left out", "t\nR1 1 2 3 4 5 6 7\n.END", "{R1:19=7 i1 o2 1:2 2:2 3:2 4:2}"},
    {"unknown letters", "t\nQ1 1 2 5\nz 3\n.END", "{?:32=Неопознанный тип/Q1 i1 o2 1:2 2:2 ?:32=Неопознанный тип/z}"},
    {"skipped and closing lines",
     "t\n* R9 1 2 3\n R8 1 2 3\nx\n.AC LOG 5 10100\n.X\nR1 1 0 10\n.ENDS\nR2 1 0 10\nlast",
     "{R1:19=10 i1 o0 1:2 0:2 g}"},
    {"end anywhere in a line", "t\nR1 1 0 10\nR2 1 0 .END\nR3 1 0 1\n.END", "{R1:19=10 i1 o0 1:2 0:2 g}"},
    {"the last line is never parsed", "R0 1 0 1\nR1 1 0 10\nR2 1 0 1", "{R1:19=10 i1 o0 1:2 0:2 g}"},
    {"sub-circuit with its own nets", "t\nX1 a 0\nR1 a b 5\nC1 b 0 1\n.X\nR2 a 0 1\n.END",
     "{X1:29 oa o0{a:2 wa 0:2 g w0 R1:19=5 ia ob b:2 C1:23=1 ib o0} a:2 0:2 g R2:19=1 ia o0}"},
    {"S opens a sub-circuit, .S closes it", "t\nS1 p\n.S\nR1 p 0 1\n.END", "{X1:29 op{p:2 wp} p:2 R1:19=1 ip o0 0:2 g}"},
    {"equal names and a net named as an element", "t\nR1 R1 0 5\nR1 R1 C1 6\nC1 C1 0 1\n.END",
     "{R1:19=5 iR1 o0 R1:2 0:2 g R1:19=6 iR1 oC1 C1:2 C1:23=1 iC1 o0}"},
    {"names cut at 30", "t\nR123456789012345678901234567890xyz n123456789012345678901234567890xyz 0 1\n.END",
     "{R12345678901234567890123456789:19=1 in12345678901234567890123456789 o0 n12345678901234567890123456789:2 "
     "0:2 g}"},
};

class ImportCaseTest : public NetlistImportTest, public ::testing::WithParamInterface<ImportCase> {};

TEST_P(ImportCaseTest, BuildsTheCircuit) {
  import(GetParam().text);
  EXPECT_EQ(tree(root), GetParam().tree);
}

INSTANTIATE_TEST_SUITE_P(Lines, ImportCaseTest, ::testing::ValuesIn(kImportCases));

TEST_F(NetlistImportTest, PositionsAsCreated) {
  importHost.width = 1000;
  import("t\nX1 1\nR1 1 2 3\n.X\nE1 1 0 1\n.END");
  // Elements by their line, junctions in the order they were placed; a pin places both its junctions.
  const std::map<std::string, vemu::model::TPoint> expected{{"X1", {250, 25}}, {"R1", {250, 45}},
                                                            {"E1", {250, 85}}};
  for (const auto& [name, at] : expected) EXPECT_EQ(vemu::model::FindNodeByName(graph, name)->GetPos(), at) << name;
  std::vector<int> junctionY;
  graph.forEachNode([&](TheNode* n) {
    if (!n->IsJunction()) return;
    junctionY.push_back(n->Y);
    EXPECT_EQ(n->X, 750);
  });
  EXPECT_EQ(junctionY, (std::vector<int>{25, 45, 65, 85}));  // 1, inner 1, 2, 0
  EXPECT_TRUE(importHost.modified);
}

TEST_F(NetlistImportTest, CircleLayout) {
  struct {
    int height;
    const char* text;
    std::vector<vemu::model::TPoint> junctions;
  } cases[] = {
      {901, "t\nR1 1 1 1\n.END", {{1260, 450}}},  // one junction at 2 pi; 430.5 rounds to 430
      {903, "t\nR1 1 1 1\n.END", {{1260, 452}}},  // 431.5 rounds to 432
      {900, "t\nR1 a b 1\nR2 c d 1\n.END", {{640, 880}, {20, 450}, {640, 20}, {1260, 450}}},
  };
  for (const auto& c : cases) {
    graph.Clear();
    root = graph.AddNode(nullptr, vemu::model::ntRoot);
    graph.MainNode = root;
    importHost.height = c.height;
    import(c.text, ImportLayout::Circle);
    std::vector<vemu::model::TPoint> junctions;
    graph.forEachNode([&](TheNode* n) {
      if (n->IsJunction()) junctions.push_back(n->GetPos());
    });
    EXPECT_EQ(junctions, c.junctions) << c.text;
  }
  // R1 between the bottom and the left junction, R2 between top and right: free spots near the midpoints.
  const TheNode* r1 = vemu::model::FindNodeByName(graph, "R1");
  const TheNode* r2 = vemu::model::FindNodeByName(graph, "R2");
  EXPECT_EQ(r1->GetPos(), (vemu::model::TPoint{330, 665}));
  EXPECT_EQ(r2->GetPos(), (vemu::model::TPoint{950, 235}));
}

TEST_F(NetlistImportTest, CircleLayoutFindsFreeSpotsAndRandomLayoutStaysInside) {
  std::string text = "t\n";
  for (int i = 0; i < 60; ++i) text += "R" + std::to_string(i) + " 1 0 1\n";
  import(text + "V1 1 1\nX1 5\n.X\n.END", ImportLayout::Circle);
  std::vector<const TheNode*> placed;
  for (const TheLine* m = root->FirstLine.get(); m; m = m->Next.get())
    if (m->Node->NodeType == 19) placed.push_back(m->Node);
  for (std::size_t a = 0; a < placed.size(); ++a)
    for (std::size_t b = a + 1; b < placed.size(); ++b)
      EXPECT_GE(std::abs(placed[a]->X - placed[b]->X) + std::abs(placed[a]->Y - placed[b]->Y), 30);
  graph.Clear();
  root = graph.AddNode(nullptr, vemu::model::ntRoot);
  graph.MainNode = root;
  import(text + ".END", ImportLayout::Random);
  graph.forEachNode([&](TheNode* n) { EXPECT_TRUE(n->X >= 0 && n->X < 1280 && n->Y >= 0 && n->Y < 900); });
}

TEST_F(NetlistImportTest, CircleLayoutPlacesAsTheSearchOverTheWholeLevel) {
  std::mt19937 pick(11);
  std::string randomNets, star, fan;
  for (int i = 0; i < 400; ++i) {
    randomNets += "R" + std::to_string(i) + " " + std::to_string(pick() % 40) + " " + std::to_string(pick() % 40) + " 1\n";
    // Many elements on the same two junctions search the same line.
    star += "R" + std::to_string(i) + " " + std::to_string(i % 30) + " 0 1\n";
    fan += "R" + std::to_string(i) + " " + std::to_string(i % 7) + " " + std::to_string(i % 5) + " 1\n";
  }
  struct {
    std::string text;
    int height;  // a low drawing area puts the circle over the elements' first places
  } cases[] = {{randomNets, 900}, {star, 900}, {star, 200}, {fan, 120}};
  for (const auto& c : cases) {
    graph.Clear();
    root = graph.AddNode(nullptr, vemu::model::ntRoot);
    graph.MainNode = root;
    import("t\n" + c.text + "V1 3\n.END");
    std::vector<TheNode*> members;
    root->forEachLine([&](TheLine* l) { members.push_back(l->Node); });
    std::vector<vemu::model::TPoint> created;
    for (TheNode* m : members) created.push_back(m->GetPos());
    vemu::platform::RandomSource again{7};
    random = again;
    vemu::netlist::LayOutOnCircle(graph, 1280, c.height, 15, 1.0, random);
    std::vector<vemu::model::TPoint> laidOut;
    for (std::size_t i = 0; i < members.size(); ++i) {
      laidOut.push_back(members[i]->GetPos());
      if (!members[i]->IsJunction()) members[i]->X = created[i].x, members[i]->Y = created[i].y;
    }
    // The same steps with the hit test over the whole level.
    for (TheNode* e : members) {
      if (e->IsJunction()) continue;
      e->X = e->Y = 0;
      std::vector<vemu::model::TPoint> ends;
      e->forEachLine([&](TheLine* l) { ends.push_back(l->Node->GetPos()); });
      const auto at = ends.size() < 2 ? vemu::model::TPoint{again.Next(1280), again.Next(c.height)}
                                      : vemu::view::FindFreePlace(ends[0], ends.back(), root, 15, 1.0);
      e->X = at.x, e->Y = at.y;
    }
    for (std::size_t i = 0; i < members.size(); ++i) EXPECT_EQ(members[i]->GetPos(), laidOut[i]) << i;
  }
}

TEST_F(NetlistImportTest, FreePlaceFinderAgreesWithThePlainSearchAfterRemovals) {
  std::mt19937 pick(3);
  std::vector<vemu::model::TPoint> members;
  vemu::netlist::FreePlaceFinder finder(30.0, 15);
  for (int i = 0; i < 3000; ++i) {
    if (i % 5 == 0 && !members.empty()) {  // a second member at a taken spot: removing one frees nothing
      members.push_back(members[pick() % members.size()]);
      finder.Add(members.back());
    }
    if (i % 3 == 0 && !members.empty()) {  // a removal may free spots of lines searched before
      const std::size_t gone = pick() % members.size();
      finder.Remove(members[gone]);
      members.erase(members.begin() + static_cast<std::ptrdiff_t>(gone));
    }
    // A few lines, each searched again and again.
    const vemu::model::TPoint p1{static_cast<int>(pick() % 4) * 7, static_cast<int>(pick() % 3) * 11};
    const vemu::model::TPoint p2{p1.x + 200, p1.y + 100 * (i % 2)};
    const auto plain = vemu::view::FindFreePlaceWhere(p1, p2, 15, [&](std::int32_t x, std::int32_t y) {
      return std::any_of(members.begin(), members.end(), [&](auto m) { return std::abs(m.x - x) + std::abs(m.y - y) < 30; });
    });
    const vemu::model::TPoint found = finder.Find(p1, p2);
    ASSERT_EQ(found, plain) << i;
    finder.Add(found);
    members.push_back(found);
  }
}

// Many elements near one junction pair, lines out of candidates, a radius too large for the cover's bits, one line.
TEST_F(NetlistImportTest, FreePlaceFinderAgreesWithThePlainSearchOnRandomWirings) {
  struct { int elements, nets, height, gridStep; double reach; } cases[] = {
      {300, 40, 900, 15, 30.0}, {4000, 400, 900, 15, 30.0}, {6000, 3000, 900, 15, 30.0}, {9000, 3, 900, 15, 30.0},
      {3000, 60, 120, 4, 30.0}, {2000, 200, 900, 15, 12.5}, {300, 30, 900, 15, 700.0}, {0, 0, 0, 15, 5.0}};
  for (unsigned seed = 1; seed <= 2; ++seed)
    for (const auto& c : cases) {
      std::mt19937 pick(seed);
      vemu::netlist::FreePlaceFinder finder(c.reach, c.gridStep);
      vemu::netlist::PositionGrid all(c.reach);
      const auto add = [&](vemu::model::TPoint p, bool stays) { stays ? finder.Fix(p) : finder.Add(p), all.Add(p); };
      const auto plain = [&](vemu::model::TPoint p1, vemu::model::TPoint p2) {  // over a grid of all members
        return vemu::view::FindFreePlaceWhere(p1, p2, c.gridStep, [&](std::int32_t x, std::int32_t y) { return all.Taken(x, y); }); };
      std::vector<vemu::model::TPoint> junctions(static_cast<std::size_t>(c.nets));
      for (auto& j : junctions) add(j = {static_cast<int>(pick() % 1280), static_cast<int>(pick() % c.height)}, true);
      for (int i = 0; i < c.elements; ++i) add({320, 20 * i + 25}, false);  // leave one by one, as the one searching at (0, 0)
      for (int i = 0; i < c.elements; ++i) {
        finder.Remove({320, 20 * i + 25}), all.Remove({320, 20 * i + 25}), add({0, 0}, false);
        const auto p1 = junctions[pick() % junctions.size()], p2 = junctions[pick() % junctions.size()];
        const vemu::model::TPoint found = finder.Find(p1, p2);
        ASSERT_EQ(found, plain(p1, p2)) << "seed " << seed << ", " << c.elements << " elements, element " << i;
        finder.Remove({0, 0}), all.Remove({0, 0}), add(found, true);
      }
      // One line until every candidate is taken: then the last one, 2000 steps before the midpoint (the one after: free).
      for (int i = 0; i < 4003 && c.nets == 0; ++i, add(plain({0, 0}, {400, 0}), true))
        ASSERT_EQ(finder.Find({0, 0}, {400, 0}), plain({0, 0}, {400, 0})) << i;
      if (c.nets == 0) { EXPECT_EQ(finder.Find({0, 0}, {400, 0}), (vemu::model::TPoint{200, -30000})); }
    }
}

TEST_F(NetlistImportTest, DiagnosticLines) {
  importHost.diagnostics = true;
  import("t\nR1 1 2\nK1 1 2 3 4\nX1 a\n.X\n.END");
  EXPECT_EQ(importHost.events, (Lines{"memo", "levels"}));  // the tabs show the new sub-circuit
  for (auto& line : importHost.memo) line = vemu::platform::cp1251ToUtf8(line);
  EXPECT_EQ(importHost.memo, (Lines{"R1 1 2 *** отсутствие 4 последнего параметра",
                                    "K1 1 2 3 4 ***** отсутствие 6 последнего параметра",
                                    "NewCIR-1: Upper Level.a  <- X1", "NewCIR-2: X1.a  <- a"}));
}

TEST_F(NetlistImportTest, NoShownLevel) {
  graph.MainNode = nullptr;
  import("t\nR1 1 0 1\n.END");
  EXPECT_EQ(dialogs.texts(), Lines{"ERROR(7506): Internal Programm error."});
  EXPECT_EQ(tree(root), "{}");
}

TEST_F(NetlistImportTest, Commands) {
  vemu::test::ScratchFolder folder(false);
  const std::string path = folder.path() + "in.cir";
  vemu::platform::writeLines(path, {"t", "R1 1 0 10", ".END"});
  int filter = 1;
  const std::string dir = "D", name = "N";
  vemu::netlist::NetlistImportCommands commands(importContext(), {filter, dir, name});
  struct {
    bool confirm;
    std::optional<std::string> file;
    int chosenFilter;
    std::optional<int> layout;
    Lines events;
    int filterAfter;
    const char* tree;
  } cases[] = {
      {false, {}, 2, {}, {"confirm"}, 2, "{}"},
      {true, {}, 2, {}, {"confirm", "save on", "current nil"}, 1, "{}"},
      {true, path, 3, {}, {"confirm", "save on", "current nil"}, 1, "{}"},
      {true, path + ".gone", 2, {}, {"confirm", "save on", "current nil"}, 1, "{}"},
      {true, path, 2, std::nullopt, {"confirm", "save on", "current nil", "new"}, 1, "{}"},
      {true, path, 2, 0, {"confirm", "save on", "current nil", "new", "levels", "rect", "bars"}, 1, "{R1:19=10 i1 o0 1:2 0:2 g}"},
  };
  for (const auto& c : cases) {
    importHost.events.clear();
    importHost.confirm = c.confirm;
    dialogs.fileAnswers = {c.file};
    dialogs.filterAnswers = {c.chosenFilter};
    dialogs.choiceAnswers = {c.layout};
    commands.CreateFromCir1Click();
    EXPECT_EQ(importHost.events, c.events);
    EXPECT_EQ(filter, c.filterAfter);
    EXPECT_EQ(tree(root), c.tree);
  }
  EXPECT_EQ(dialogs.fileRequests.back().title, "hint");
  EXPECT_EQ(dialogs.choiceRequests.back().items, vemu::netlist::LayoutQuestionItems());
  EXPECT_EQ(dialogs.choiceRequests.back().initial, 1);
  EXPECT_EQ(importHost.text, (Lines{"t", "R1 1 0 10", ".END"}));
  EXPECT_EQ(importHost.caption, "m20" + path);
  const Lines texts = dialogs.texts();
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0], "m30\r" + path);
  EXPECT_EQ(texts[1], "Cannot read the file " + path + ".gone:\r\nNo such file or directory");
  std::string many = "t\n";
  for (int k = 0; k < 200000; ++k) many += "*\n";  // the whole file is built, however little of it the text window shows
  folder.write("many.cir", many + "R2 1 0 7\n.END");
  dialogs.choiceAnswers = {0};
  commands.OpenNetlistAndBuild(folder.file("many.cir"));
  EXPECT_EQ(graph.LastNode()->Name.str() + " at " + std::to_string(graph.LastNode()->Y), "R2 at " + std::to_string(200001 * 20 + 5));
}

// Net numbers replaced by the order of their first appearance.
Lines WithoutNetNumbers(const Lines& lines) {
  std::map<std::string, std::string> order;
  Lines out;
  const std::regex number("\\b[0-9]+\\b");
  for (const std::string& line : lines) {
    std::string renamed, rest = line;
    for (std::smatch m; std::regex_search(rest, m, number); rest = m.suffix()) {
      const auto [it, added] = order.try_emplace(m.str(), "n" + std::to_string(order.size()));
      renamed += m.prefix().str() + it->second;
    }
    out.push_back(renamed + rest);
  }
  return out;
}

TEST_F(NetlistImportTest, RoundTripThroughTheNetlist) {
  import("t\nE1 in 0 1v\nR1 in mid 1k\nC1 mid 0 1u\nK1 mid 0 out 0 2x\nN1 out x mid 0 3x\nX1 out 0\nR2 out y 2k\n"
         "g1 y 0 5m\nJ1 y 0 1m\n.X\nV1 out 0 1e\nU2 mid 0\n.END");
  settings.CheckDoubleIn = false;
  const Lines first = build();
  ASSERT_EQ(first.back(), ".END");
  graph.Clear();
  root = graph.AddNode(nullptr, vemu::model::ntRoot);
  graph.MainNode = root;
  std::string text;
  for (const std::string& line : first) text += line + "\n";
  import(text);
  EXPECT_EQ(WithoutNetNumbers(build()), WithoutNetNumbers(first));
}

}  // namespace
