// The ".dag" writer: exact bytes, field widths, and what survives a round
// trip through the reader.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <random>

#include "files/circuit_file.h"
#include "files/file_size_limit.h"
#include "files/sample_circuits.h"
#include "platform/scripted_dialogs.h"
#include "support/scratch_folder.h"

namespace {

using vemu::files::CircuitViewState;
using vemu::files::FormatCircuitFile;
using vemu::files::ReadCircuitText;
using vemu::model::TheBaseOfGraf;
using vemu::model::TheNode;
using vemu::test::SampleCircuit;

// The node record line the writer gives for a lone node of the given type
// (number 2, owned by the root), without its line end.
std::string recordOf(std::uint8_t type, const std::string& name, const std::string& value,
                     int ground = 0, int polarity = 0) {
  TheBaseOfGraf g;
  TheNode* root = g.AddNode(nullptr, 1);
  TheNode* n = g.AddNode(root, type);
  n->Name = name;
  n->Value = value;
  n->Ground = ground;
  n->Polarity = polarity;
  const std::string text = FormatCircuitFile(g, CircuitViewState{});
  const auto start = text.find("\r\n  2 ") + 2;
  return text.substr(start, text.find("\r\n", start) - start);
}

// The lines of a text, split at CR LF.
std::vector<std::string> crlfLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (auto end = text.find("\r\n"); end != std::string::npos; end = text.find("\r\n", start)) {
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  EXPECT_EQ(start, text.size()) << "text does not end in CR LF";
  return lines;
}

class CircuitWriter : public ::testing::Test {
 protected:
  vemu::platform::ScriptedDialogs dialogs;
  vemu::platform::ScopedDialogs scope{dialogs};
};

TEST_F(CircuitWriter, SmallCircuitGivesTheExactFileText) {
  SampleCircuit c;
  EXPECT_EQ(FormatCircuitFile(*c.graph, c.view), vemu::test::SampleCircuitText());
  EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(CircuitWriter, RenumbersTheGraphInListOrder) {
  SampleCircuit c;
  c.graph->SetAllNumbers(77);
  const std::string text = FormatCircuitFile(*c.graph, c.view);
  int k = 0;
  c.graph->forEachNode([&](TheNode* n) { EXPECT_EQ(n->Number, ++k); });
  EXPECT_EQ(text, vemu::test::SampleCircuitText());
}

TEST_F(CircuitWriter, GroundMarkFollowsTheValueOnlyForMarksOneToFour) {
  EXPECT_EQ(recordOf(2, "3", "", 0), "  2   0   0  2   1 0 -15 -15 3 ");
  EXPECT_EQ(recordOf(2, "3", "", 1), "  2   0   0  2   1 0 -15 -15 3  G1");
  EXPECT_EQ(recordOf(2, "3", "", 4), "  2   0   0  2   1 0 -15 -15 3  G4");
  EXPECT_EQ(recordOf(2, "3", "x", 3), "  2   0   0  2   1 0 -15 -15 3 x G3");
  EXPECT_EQ(recordOf(2, "3", "", 5), "  2   0   0  2   1 0 -15 -15 3 ");
  EXPECT_EQ(recordOf(2, "3", "", -1), "  2   0   0  2   1 0 -15 -15 3 ");
  // Any node carries its mark, not only a junction.
  EXPECT_EQ(recordOf(19, "R1", "5", 2), "  2   0   0 19   1 0 -15 -15 R1 5 G2");
}

TEST_F(CircuitWriter, AmplifiersCarryTheirSignInFrontOfTheName) {
  for (std::uint8_t type : {25, 26, 27, 28, 30}) {
    const std::string t = (type < 10 ? " " : "") + std::to_string(type);
    EXPECT_EQ(recordOf(type, "K1", "2", 0, 1), "  2   0   0 " + t + "   1 0 -15 -15 +K1 2") << int{type};
    EXPECT_EQ(recordOf(type, "K1", "2", 0, 0), "  2   0   0 " + t + "   1 0 -15 -15 -K1 2") << int{type};
    EXPECT_EQ(recordOf(type, "K1", "2", 0, 7), "  2   0   0 " + t + "   1 0 -15 -15 +K1 2") << int{type};
  }
  for (std::uint8_t type : {19, 24, 29, 31, 33}) {
    EXPECT_EQ(recordOf(type, "K1", "2", 0, 1).substr(28), " K1 2") << int{type};
  }
}

TEST_F(CircuitWriter, FieldWidthsAreMinimumWidthsAsPrintfWritesThem) {
  std::mt19937 random(7);
  std::uniform_int_distribution<std::int32_t> any(INT32_MIN, INT32_MAX);
  std::uniform_int_distribution<std::int32_t> small(-1200, 1200);
  for (int round = 0; round < 200; ++round) {
    auto pick = [&] { return round % 2 ? any(random) : small(random); };
    TheBaseOfGraf g;
    TheNode* root = g.AddNode(nullptr, 1);
    TheNode* n = g.AddNode(root, 2);
    n->X = pick();
    n->Y = pick();
    n->Wx = pick();
    n->Wy = pick();
    n->Name = "N";
    CircuitViewState view;
    view.originX = pick();
    view.originY = pick();
    const auto lines = crlfLines(FormatCircuitFile(g, view));
    char expected[256];
    std::snprintf(expected, sizeof expected, "%3d %3d %3d %2d %3d %1d %3d %3d %s %s", 2, n->X, n->Y, 2, 1, 0,
                  n->Wx, n->Wy, "N", "");
    EXPECT_EQ(lines[8], expected);
    std::snprintf(expected, sizeof expected, "%7d %d %5.3f", view.originX, view.originY, 1.0);
    EXPECT_EQ(lines.back(), expected);
  }
}

TEST_F(CircuitWriter, NumbersWiderThanTheirFieldWidenIt) {
  TheBaseOfGraf g;
  TheNode* root = g.AddNode(nullptr, 1);
  root->Name = "Upper Level";
  for (int k = 0; k < 1200; ++k) g.AddLine(-2, root, g.AddNode(root, 2), vemu::model::alHaveItem);
  g.MainNode = root;
  g.CurrentNode = g.LastNode();
  CircuitViewState view;
  view.shownNode = g.LastNode();
  view.originX = -12345678;
  const auto lines = crlfLines(FormatCircuitFile(g, view));
  EXPECT_EQ(lines[3], "   1201 - How many nodes");
  EXPECT_EQ(lines[5], "   1201 - Current node");
  EXPECT_EQ(lines[7], "  1   0   0  1   0 1200 -15 -15 Upper Level ");
  EXPECT_EQ(lines[8], "       1   2");
  EXPECT_EQ(lines[8 + 1199], "       1 1201");
  EXPECT_EQ(lines[8 + 1200 + 1199], "1201   0   0  2   1 0 -15 -15  ");
  EXPECT_EQ(lines[lines.size() - 2], "   1201 SubCircuit ");
  EXPECT_EQ(lines.back(), "-12345678 0 1.000");
}

TEST_F(CircuitWriter, ScaleHasThreeDecimalsAPointAndWidthFive) {
  auto viewLine = [](double scale) {
    TheBaseOfGraf g;
    CircuitViewState view;
    view.scale = scale;
    return crlfLines(FormatCircuitFile(g, view)).back();
  };
  EXPECT_EQ(viewLine(1.0), "      0 0 1.000");
  EXPECT_EQ(viewLine(0.1), "      0 0 0.100");
  EXPECT_EQ(viewLine(0.0909), "      0 0 0.091");
  EXPECT_EQ(viewLine(10.5), "      0 0 10.500");
  EXPECT_EQ(viewLine(123.4567), "      0 0 123.457");
  EXPECT_EQ(viewLine(0.0), "      0 0 0.000");
}

TEST_F(CircuitWriter, ScaleIgnoresTheDecimalCommaOfTheLocale) {
  const std::string old = std::setlocale(LC_ALL, nullptr);
  bool switched = false;
  for (const char* name : {"de_DE.UTF-8", "ru_RU.UTF-8", "de_DE", "ru_RU.CP1251"})
    if (std::setlocale(LC_ALL, name)) {
      switched = true;
      break;
    }
  SampleCircuit c;
  const std::string text = FormatCircuitFile(*c.graph, c.view);
  std::setlocale(LC_ALL, old.c_str());
  if (!switched) GTEST_SKIP() << "no locale with a decimal comma installed";
  EXPECT_EQ(text, vemu::test::SampleCircuitText());
}

TEST_F(CircuitWriter, EmptyGraphAndMissingLevelsWriteZeros) {
  TheBaseOfGraf g;
  EXPECT_EQ(FormatCircuitFile(g, CircuitViewState{}),
            "noname\r\n"
            "Vemu.exe (WxWy) $Cur $SS $Scale\r\n"
            "-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-\r\n"
            "      0 - How many nodes\r\n"
            "      0 - Main node\r\n"
            "      0 - Current node\r\n"
            "--N--X---Y-Type-Up-Lines-Name-Value\r\n"
            "      0 SubCircuit \r\n"
            "      0 0 1.000\r\n");
}

TEST_F(CircuitWriter, LinkWithoutTargetIsWrittenWithTargetZero) {
  TheBaseOfGraf g;
  TheNode* root = g.AddNode(nullptr, 1);
  auto orphan = std::make_unique<vemu::model::TheLine>();
  orphan->Kind = 4;
  root->FirstLine = std::move(orphan);
  const auto lines = crlfLines(FormatCircuitFile(g, CircuitViewState{}));
  EXPECT_EQ(lines[7], "  1   0   0  1   0 1 -15 -15  ");
  EXPECT_EQ(lines[8], "       4   0");
}

// Files on disk.

TEST_F(CircuitWriter, WritesTheTextToTheFileAndReplacesAnOldOne) {
  vemu::test::ScratchFolder folder;
  folder.write("c.dag", std::string(5000, 'x'));
  SampleCircuit c;
  std::string error;
  ASSERT_TRUE(vemu::files::WriteCircuitFile(*c.graph, c.view, folder.file("c.dag"), &error)) << error;
  EXPECT_EQ(folder.read("c.dag"), vemu::test::SampleCircuitText());
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path() + "IMAGES"),
                          std::filesystem::directory_iterator()),
            1);
}

TEST_F(CircuitWriter, WriteIntoAMissingFolderFailsAndCreatesNothing) {
  vemu::test::ScratchFolder folder;
  SampleCircuit c;
  std::string error;
  EXPECT_FALSE(vemu::files::WriteCircuitFile(*c.graph, c.view, folder.file("nowhere/c.dag"), &error));
  EXPECT_NE(error.find(folder.file("nowhere/c.dag")), std::string::npos) << error;
  EXPECT_FALSE(std::filesystem::exists(folder.file("nowhere")));
}

TEST_F(CircuitWriter, FailedWriteKeepsTheOldFileWhole) {
  vemu::test::ScratchFolder folder;
  const std::string old = "noname\r\nthe circuit saved before\r\n";
  folder.write("c.dag", old);
  SampleCircuit c;
  std::string error;
  bool written = true;
  {
    vemu::test::FileSizeLimit diskFull(100);  // the new text needs more
    written = vemu::files::WriteCircuitFile(*c.graph, c.view, folder.file("c.dag"), &error);
  }
  EXPECT_FALSE(written);
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(folder.read("c.dag"), old);
  // Nothing of the failed attempt is left beside it.
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(folder.path())) names.push_back(e.path().filename());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"IMAGES", "c.dag"}));
}

// Round trips.

TEST_F(CircuitWriter, ReadingTheWrittenFileRebuildsTheCircuit) {
  SampleCircuit c;
  const std::string text = FormatCircuitFile(*c.graph, c.view);
  auto r = ReadCircuitText(text, "c.dag");
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_TRUE(dialogs.boxes.empty());
  ASSERT_EQ(r.graph->NodeCount(), 6);

  // Same nodes in the same order with the same fields.
  std::vector<TheNode*> read;
  r.graph->forEachNode([&](TheNode* n) { read.push_back(n); });
  std::vector<TheNode*> written;
  c.graph->forEachNode([&](TheNode* n) { written.push_back(n); });
  for (std::size_t k = 0; k < read.size(); ++k) {
    SCOPED_TRACE("node " + std::to_string(k + 1));
    const TheNode* a = written[k];
    const TheNode* b = read[k];
    EXPECT_EQ(b->Number, static_cast<int>(k + 1));
    EXPECT_EQ(b->NodeType, a->NodeType);
    EXPECT_EQ(b->X, a->X);
    EXPECT_EQ(b->Y, a->Y);
    EXPECT_EQ(b->Wx, a->Wx);
    EXPECT_EQ(b->Wy, a->Wy);
    EXPECT_EQ(b->Name.str(), a->Name.str());
    EXPECT_EQ(b->Ground, a->Ground);
    EXPECT_EQ(b->Polarity, a->Polarity);
    EXPECT_EQ(TheBaseOfGraf::GetNumber(b->Upper), TheBaseOfGraf::GetNumber(a->Upper));
    if (k > 0) {
      EXPECT_EQ(b->Value, a->Value);
    }
    std::vector<std::pair<int, int>> la, lb;
    a->forEachLine([&](vemu::model::TheLine* l) { la.emplace_back(l->Kind, TheBaseOfGraf::GetNumber(l->Node)); });
    b->forEachLine([&](vemu::model::TheLine* l) { lb.emplace_back(l->Kind, TheBaseOfGraf::GetNumber(l->Node)); });
    EXPECT_EQ(lb, la);
  }
  // The root's name holds a blank: its second word reads as the value.
  EXPECT_EQ(read[0]->Value, "Level");
  EXPECT_EQ(r.mainNode, read[0]);
  EXPECT_EQ(r.currentNode, read[1]);
  EXPECT_EQ(r.shownNode, read[4]);
  EXPECT_TRUE(r.hasOrigin);
  EXPECT_EQ(r.originX, 12);
  EXPECT_EQ(r.originY, -30);
  ASSERT_TRUE(r.scale.has_value());
  EXPECT_DOUBLE_EQ(*r.scale, 1.21);
  EXPECT_TRUE(r.modified);
}

TEST_F(CircuitWriter, SecondRoundTripChangesNothing) {
  SampleCircuit c;
  std::string text = FormatCircuitFile(*c.graph, c.view);
  std::vector<std::string> rounds;
  for (int round = 0; round < 3; ++round) {
    auto r = ReadCircuitText(text, "c.dag");
    ASSERT_TRUE(r.ok) << r.error;
    r.graph->MainNode = r.mainNode;
    r.graph->CurrentNode = r.currentNode;
    CircuitViewState view{r.shownNode, r.originX, r.originY, r.scale.value_or(1.0)};
    text = FormatCircuitFile(*r.graph, view);
    rounds.push_back(text);
  }
  // The first round gives the root the value "Level"; from then on the
  // file stays as it is.
  std::string expected = vemu::test::SampleCircuitText();
  expected.replace(expected.find("Upper Level \r\n"), 14, "Upper Level Level\r\n");
  EXPECT_EQ(rounds[0], expected);
  EXPECT_EQ(rounds[1], expected);
  EXPECT_EQ(rounds[2], expected);
}

TEST_F(CircuitWriter, GroundMarkOfAJunctionSurvivesTheRoundTrip) {
  for (int mark = 0; mark <= 4; ++mark) {
    SampleCircuit c;
    c.j3->Ground = mark;
    auto r = ReadCircuitText(FormatCircuitFile(*c.graph, c.view), "c.dag");
    ASSERT_TRUE(r.ok) << r.error;
    const TheNode* j3 = r.graph->FindNodeByNumber(3);
    EXPECT_EQ(j3->Ground, mark);
    EXPECT_EQ(j3->Value, "");
    EXPECT_EQ(j3->Name.str(), "3");
  }
}

TEST_F(CircuitWriter, NameWithABlankComesBackSplitIntoNameAndValue) {
  SampleCircuit c;
  c.r1->Name = "R 1";
  c.r1->Value = "";
  c.j4->Value = "two words";
  c.text->Value = "  blanks  stay / here ";
  auto r = ReadCircuitText(FormatCircuitFile(*c.graph, c.view), "c.dag");
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(r.graph->FindNodeByNumber(2)->Name.str(), "R");
  EXPECT_EQ(r.graph->FindNodeByNumber(2)->Value, "1");
  EXPECT_EQ(r.graph->FindNodeByNumber(4)->Value, "two");
  EXPECT_EQ(r.graph->FindNodeByNumber(6)->Value, "  blanks  stay / here ");
}

TEST_F(CircuitWriter, AmplifierSignAndFullLengthNameSurviveTheRoundTrip) {
  for (int polarity : {0, 1}) {
    SampleCircuit c;
    c.k1->Polarity = polarity;
    c.k1->Name = std::string(30, 'K');
    auto r = ReadCircuitText(FormatCircuitFile(*c.graph, c.view), "c.dag");
    ASSERT_TRUE(r.ok) << r.error;
    const TheNode* k1 = r.graph->FindNodeByNumber(5);
    EXPECT_EQ(k1->Polarity, polarity);
    EXPECT_EQ(k1->Name.str(), std::string(30, 'K'));
  }
}

TEST_F(CircuitWriter, SingleByteTextKeepsItsBytes) {
  SampleCircuit c;
  c.r1->Name = "\xD0\xE5\xE7\xE8\xF1\xF2\xEE\xF0";     // "Резистор" in code page 1251
  c.text->Value = "\xD2\xE5\xEA\xF1\xF2 \xB9 1/\x98\xFF";  // "Текст № 1/" and two more bytes
  auto r = ReadCircuitText(FormatCircuitFile(*c.graph, c.view), "c.dag");
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(r.graph->FindNodeByNumber(2)->Name.str(), c.r1->Name.str());
  EXPECT_EQ(r.graph->FindNodeByNumber(6)->Value, c.text->Value);
}

}  // namespace

TEST_F(CircuitWriter, LineBreaksInsideTextsNeverBreakTheRecord) {
  // A text note's line break becomes its line separator; elsewhere a blank.
  EXPECT_EQ(recordOf(32, "text", "one\r\ntwo\nthree"), "  2   0   0 32   1 0 -15 -15 text one/two/three");
  EXPECT_EQ(recordOf(19, "R\n1", "1\rk"), "  2   0   0 19   1 0 -15 -15 R 1 1 k");

  TheBaseOfGraf g;
  TheNode* root = g.AddNode(nullptr, 1);
  g.AddLine(-2, root, g.AddNode(root, 32), vemu::model::alHaveItem);
  g.LastNode()->Value = "a\nb";
  auto r = ReadCircuitText(FormatCircuitFile(g, CircuitViewState{}), "t.dag");
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(r.graph->FindNodeByNumber(2)->Value, "a/b");
}
