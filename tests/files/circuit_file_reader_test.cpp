// The ".dag" reader: old files without flags, texts of a record, signs,
// owners, damaged links and refused files.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "catalogue/messages.h"
#include "catalogue/settings_file.h"
#include "files/circuit_file.h"
#include "files/ini_file.h"
#include "files/subcircuit_file.h"
#include "files/text_cursor.h"
#include "files/sample_circuits.h"
#include "platform/scripted_dialogs.h"
#include "support/scratch_folder.h"
#include "view/my_line.h"

namespace {

using vemu::files::CircuitReadResult;
using vemu::files::ReadCircuitText;
using vemu::model::TheBaseOfGraf;
using vemu::model::TheNode;

// A file of the current layout: the header with all four flags, the given
// records (each a line, link lines included) and the two trailer lines.
std::string currentFile(int count, int main, int current, const std::vector<std::string>& records,
                        const std::string& shown = "      0 SubCircuit ",
                        const std::string& view = "      0 0 1.000") {
  std::string text = "noname\r\nVemu.exe (WxWy) $Cur $SS $Scale\r\n-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-\r\n";
  text += std::to_string(count) + " - How many nodes\r\n";
  text += std::to_string(main) + " - Main node\r\n";
  text += std::to_string(current) + " - Current node\r\n";
  text += "--N--X---Y-Type-Up-Lines-Name-Value\r\n";
  for (const auto& r : records) text += r + "\r\n";
  text += shown + "\r\n" + view + "\r\n";
  return text;
}

// A root and one member whose record (after the root's) is `record`.
std::string oneMember(const std::string& record, const std::vector<std::string>& links = {}) {
  std::vector<std::string> records{"  1   0   0  1   0 1 -15 -15 Upper Level ", "       1   2", record};
  records.insert(records.end(), links.begin(), links.end());
  return currentFile(2, 1, 0, records);
}

std::vector<std::pair<int, int>> linksOf(const TheNode* n) {
  std::vector<std::pair<int, int>> links;
  n->forEachLine([&](vemu::model::TheLine* l) { links.emplace_back(l->Kind, TheBaseOfGraf::GetNumber(l->Node)); });
  return links;
}

class CircuitReader : public ::testing::Test {
 protected:
  vemu::platform::ScriptedDialogs dialogs;
  vemu::platform::ScopedDialogs scope{dialogs};

  // Reads and expects success; the member of oneMember() is node 2.
  CircuitReadResult read(const std::string& text) {
    auto r = ReadCircuitText(text, "t.dag");
    EXPECT_TRUE(r.ok) << r.error;
    if (!r.graph) r.graph = std::make_unique<TheBaseOfGraf>();
    return r;
  }
  const TheNode* member(const std::string& record) {
    last_ = read(oneMember(record));
    const TheNode* n = last_.graph->FindNodeByNumber(2);
    EXPECT_NE(n, nullptr);
    return n;
  }
  // Expects a refusal whose error names the file and the line.
  void expectRefused(const std::string& text, int line, const std::string& reasonPart) {
    auto r = ReadCircuitText(text, "t.dag");
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.graph, nullptr);
    EXPECT_EQ(r.mainNode, nullptr);
    EXPECT_EQ(r.currentNode, nullptr);
    EXPECT_EQ(r.shownNode, nullptr);
    EXPECT_EQ(r.error.rfind("t.dag(" + std::to_string(line) + "): ", 0), 0u) << r.error;
    EXPECT_NE(r.error.find(reasonPart), std::string::npos) << r.error;
  }

  CircuitReadResult last_;
};

// Old layouts: the flags of line 2 tell which columns and lines exist.

TEST_F(CircuitReader, FileWithoutFlagsHasNoOffsetsNoCurrentLineAndNoTrailer) {
  const std::string text =
      "noname\r\n"
      "Vemu.exe\r\n"
      "-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-\r\n"
      "      3 - How many nodes\r\n"
      "      1 - Main node\r\n"
      "--N--X---Y-Type-Up-Lines-Name-Value\r\n"
      "  1   0   0  1   0 2 Upper Level \r\n"
      "       1   2\r\n"
      "       1   3\r\n"
      "  2  10  20 20   1 1 g1 0.5\r\n"
      "       4   3\r\n"
      "  3  30  40  2   1 0 1  G3\r\n";
  auto r = read(text);
  ASSERT_EQ(r.graph->NodeCount(), 3);
  r.graph->forEachNode([](TheNode* n) {
    EXPECT_EQ(n->Wx, -15);
    EXPECT_EQ(n->Wy, -15);
  });
  const TheNode* g1 = r.graph->FindNodeByNumber(2);
  EXPECT_EQ(g1->Name.str(), "g1");
  EXPECT_EQ(g1->Value, "0.5");
  EXPECT_EQ(g1->X, 10);
  EXPECT_EQ(g1->Y, 20);
  EXPECT_EQ(linksOf(g1), (std::vector<std::pair<int, int>>{{4, 3}}));
  EXPECT_EQ(r.graph->FindNodeByNumber(3)->Ground, 3);
  EXPECT_EQ(r.currentNode, nullptr);
  EXPECT_EQ(r.mainNode, r.graph->FindNodeByNumber(1));
  EXPECT_EQ(r.shownNode, nullptr);
  EXPECT_FALSE(r.hasOrigin);
  EXPECT_FALSE(r.scale.has_value());
  EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(CircuitReader, EachFlagAddsItsOwnLine) {
  // $Cur without WxWy: a current-node line, no offset columns.
  auto r = read(
      "t\nVemu.exe $Cur\n-\n 2\n 1\n 2\nheader\n"
      "  1   0   0  1   0 1 Upper Level \n       1   2\n"
      "  2   5   6 19   1 0 R1 1k\n");
  EXPECT_EQ(r.currentNode, r.graph->FindNodeByNumber(2));
  EXPECT_EQ(r.graph->FindNodeByNumber(2)->Value, "1k");
  EXPECT_EQ(r.graph->FindNodeByNumber(2)->Wx, -15);

  // $SS without $Scale: the preview line is read, no view line.
  r = read("t\n$SS WxWy\n-\n 1\n 1\nheader\n  1 0 0 1 0 0 3 4 Upper Level \n      1 SubCircuit\n");
  EXPECT_EQ(r.shownNode, r.graph->FindNodeByNumber(1));
  EXPECT_EQ(r.graph->FindNodeByNumber(1)->Wx, 3);
  EXPECT_EQ(r.graph->FindNodeByNumber(1)->Wy, 4);
  EXPECT_FALSE(r.hasOrigin);

  // $Scale without $SS: the view line follows the records directly.
  r = read("t\n$Scale\n-\n 1\n 1\nheader\n  1 0 0 1 0 0 Upper Level \n   -40 70 2,500\n");
  EXPECT_EQ(r.shownNode, nullptr);
  EXPECT_TRUE(r.hasOrigin);
  EXPECT_EQ(r.originX, -40);
  EXPECT_EQ(r.originY, 70);
  EXPECT_EQ(r.scale, 2.5);
}

TEST_F(CircuitReader, FlagsAreCaseSensitiveSubstrings) {
  auto r = read("t\nwxwy $cur\n-\n 1\n 1\nheader\n  1 0 0 1 0 0 Upper Level \n");
  EXPECT_EQ(r.graph->FindNodeByNumber(1)->Wx, -15);
  EXPECT_EQ(r.graph->FindNodeByNumber(1)->Name.str(), "Upper Level");
  r = read("t\nX$CurY\n-\n 1\n 1\n 1\nheader\n  1 0 0 1 0 0 Upper Level \n");
  EXPECT_EQ(r.currentNode, r.graph->FindNodeByNumber(1));
}

TEST_F(CircuitReader, LineEndsMayBeCrLfLfOrCr) {
  std::string crlf = vemu::test::SampleCircuitText();
  std::string lf, cr;
  for (std::size_t i = 0; i < crlf.size(); ++i) {
    if (crlf[i] == '\r') continue;
    lf += crlf[i];
    cr += crlf[i] == '\n' ? '\r' : crlf[i];
  }
  for (const std::string* text : {&crlf, &lf, &cr}) {
    auto r = read(*text);
    ASSERT_EQ(r.graph->NodeCount(), 6);
    EXPECT_EQ(r.graph->FindNodeByNumber(3)->Ground, 2);
    EXPECT_EQ(r.graph->FindNodeByNumber(6)->Value, "a text/two lines");
    EXPECT_EQ(r.scale, 1.21);
  }
}

TEST_F(CircuitReader, NumbersAreReadInFreeForm) {
  auto r = read(
      "t\nWxWy $Cur\n-\n\t2 nodes\n1\n0\nheader\n"
      "1 0 0 1 0 1 -15 -15 Upper Level\n 1\t\t2 trailing words\n"
      "   2   -7000000  +99 19  1  0  -1 \t 2 R1 47k\n");
  const TheNode* r1 = r.graph->FindNodeByNumber(2);
  EXPECT_EQ(r1->X, -7000000);
  EXPECT_EQ(r1->Y, 99);
  EXPECT_EQ(r1->Wx, -1);
  EXPECT_EQ(r1->Wy, 2);
  EXPECT_EQ(r1->Name.str(), "R1");
  EXPECT_EQ(linksOf(r.graph->FindNodeByNumber(1)), (std::vector<std::pair<int, int>>{{1, 2}}));
}

TEST_F(CircuitReader, RecordPositionDecidesTheNodeNotItsNumber) {
  auto r = read(currentFile(2, 1, 0, {"  7   0   0  1   0 1 -15 -15 Upper Level ", "       1   2",
                                      "  9   5   5 19   1 0 -15 -15 R1 1"}));
  EXPECT_EQ(r.graph->FindNodeByNumber(2)->Name.str(), "R1");
  EXPECT_EQ(r.graph->FindNodeByNumber(9), nullptr);
}

// The texts of a record.

TEST_F(CircuitReader, ElementValueKeepsOnlyItsFirstWord) {
  const TheNode* n = member("  2   5   5 19   1 0 -15 -15 R1 10 kOhm");
  EXPECT_EQ(n->Name.str(), "R1");
  EXPECT_EQ(n->Value, "10");
}

TEST_F(CircuitReader, TextNodeKeepsItsWholeLineWithBlanks) {
  const TheNode* n = member("  2   5   5 32   1 0 -15 -15 T1 first line / second  line G2 ");
  EXPECT_EQ(n->Name.str(), "T1");
  EXPECT_EQ(n->Value, "first line / second  line G2 ");
  EXPECT_EQ(n->Ground, 0);
  EXPECT_TRUE(n->IsMultiLineText());
}

TEST_F(CircuitReader, FirstCharacterAfterTheNumbersIsSkippedWhateverItIs) {
  EXPECT_EQ(member("  2   5   5 19   1 0 -15 -15  R1 1")->Name.str(), "");
  EXPECT_EQ(last_.graph->FindNodeByNumber(2)->Value, "R1");
  EXPECT_EQ(member("  2   5   5 19   1 0 -15 -15\tR1 1")->Name.str(), "R1");
  EXPECT_EQ(member("  2   5   5 19   1 0 -15 -15")->Name.str(), "");
  EXPECT_EQ(last_.graph->FindNodeByNumber(2)->Value, "");
}

TEST_F(CircuitReader, NameLongerThanThirtyCharactersIsCut) {
  const TheNode* n = member("  2   5   5 19   1 0 -15 -15 " + std::string(29, 'R') + "xyz 5");
  EXPECT_EQ(n->Name.str(), std::string(29, 'R') + "x");
  EXPECT_EQ(n->Value, "5");
}

TEST_F(CircuitReader, AmplifiersLoseTheirSignBeforeTheNameIsCut) {
  const std::string longName = std::string(30, 'K');
  for (int type : {25, 26, 27, 28, 30}) {
    SCOPED_TRACE(type);
    const std::string head = "  2   5   5 " + std::to_string(type) + "   1 0 -15 -15 ";
    const TheNode* n = member(head + "+K1 2");
    EXPECT_EQ(n->Name.str(), "K1");
    EXPECT_EQ(n->Polarity, 1);
    n = member(head + "-K1 2");
    EXPECT_EQ(n->Name.str(), "K1");
    EXPECT_EQ(n->Polarity, 0);
    n = member(head + "K1 2");
    EXPECT_EQ(n->Name.str(), "K1");
    EXPECT_EQ(n->Polarity, 0);
    n = member(head + "+" + longName + " 2");
    EXPECT_EQ(n->Name.str(), longName);
    EXPECT_EQ(n->Polarity, 1);
  }
  for (int type : {19, 24, 29, 31, 33, 34}) {
    SCOPED_TRACE(type);
    const TheNode* n = member("  2   5   5 " + std::to_string(type) + "   1 0 -15 -15 +K1 2");
    EXPECT_EQ(n->Name.str(), "+K1");
    EXPECT_EQ(n->Polarity, 0);
  }
}

// Ground marks.

TEST_F(CircuitReader, GroundMarkComesOnlyFromTheTokenAfterTheValue) {
  const std::string j = "  2   5   5  2   1 0 -15 -15 ";
  EXPECT_EQ(member(j + "3  G2")->Ground, 2);
  EXPECT_EQ(last_.graph->FindNodeByNumber(2)->Value, "");
  EXPECT_EQ(member(j + "3  G1")->Ground, 1);
  EXPECT_EQ(member(j + "3  G3")->Ground, 3);
  EXPECT_EQ(member(j + "3 v G4")->Ground, 4);
  EXPECT_EQ(member(j + "3  G4 ")->Ground, 4);
  EXPECT_EQ(member(j + "3 ")->Ground, 0);
  EXPECT_EQ(member(j + "3")->Ground, 0);
  // A G inside a name or value does not ground the junction.
  EXPECT_EQ(member(j + "GND ")->Ground, 0);
  EXPECT_EQ(member(j + "G2 ")->Ground, 0);
  EXPECT_EQ(member(j + "3 G2")->Ground, 0);
  EXPECT_EQ(last_.graph->FindNodeByNumber(2)->Value, "G2");
  EXPECT_EQ(member(j + "3 xG3")->Ground, 0);
  // Only a mark of 1 to 4, alone.
  EXPECT_EQ(member(j + "3  G5")->Ground, 0);
  EXPECT_EQ(member(j + "3  G")->Ground, 0);
  EXPECT_EQ(member(j + "3  G22")->Ground, 0);
  EXPECT_EQ(member(j + "3  g2")->Ground, 0);
  // Only junctions carry a mark.
  EXPECT_EQ(member("  2   5   5 19   1 0 -15 -15 R1 5 G2")->Ground, 0);
  EXPECT_EQ(member("  2   5   5  1   1 0 -15 -15 X 5 G2")->Ground, 0);
}

// Owners, levels and the current node.

TEST_F(CircuitReader, OwnerNumbersThatNameNoNodeGiveAnUpperLevel) {
  for (const char* up : {"0", "3", "-1", "99999"}) {
    SCOPED_TRACE(up);
    const TheNode* n = member(std::string("  2   5   5 19 ") + up + " 0 -15 -15 R1 5");
    EXPECT_EQ(n->Upper, nullptr);
    EXPECT_EQ(n->Name.str(), "Upper Level");
    EXPECT_EQ(n->Value, "5");
  }
  const TheNode* n = member("  2   5   5 19   1 0 -15 -15 R1 5");
  EXPECT_EQ(n->Upper, last_.graph->FindNodeByNumber(1));
  EXPECT_EQ(n->Describe(), "R1 [#2] ");
}

TEST_F(CircuitReader, CurrentNodesOwnerBecomesTheShownLevel) {
  // Node 3 lies inside the sub-circuit X1 (node 2); line 5 names the root.
  auto r = read(currentFile(3, 1, 3,
                            {"  1   0   0  1   0 1 -15 -15 Upper Level ", "       1   2",
                             "  2  50  50 29   1 1 -15 -15 X1 ", "       1   3",
                             "  3  10  10 19   2 0 -15 -15 R1 1"}));
  EXPECT_EQ(r.currentNode, r.graph->FindNodeByNumber(3));
  EXPECT_EQ(r.mainNode, r.graph->FindNodeByNumber(2));
  EXPECT_EQ(r.currentNode->Describe(), "X1.R1 [#3] ");

  // Without a current node line 5 decides; a current node without owner
  // leaves it too; a number of no node means none.
  r = read(currentFile(3, 2, 0,
                       {"  1   0   0  1   0 1 -15 -15 Upper Level ", "       1   2",
                        "  2  50  50 29   1 1 -15 -15 X1 ", "       1   3", "  3  10  10 19   2 0 -15 -15 R1 1"}));
  EXPECT_EQ(r.mainNode, r.graph->FindNodeByNumber(2));
  EXPECT_EQ(r.currentNode, nullptr);
  r = read(currentFile(1, 1, 1, {"  1   0   0  1   0 0 -15 -15 Upper Level "}));
  EXPECT_EQ(r.mainNode, r.graph->FindNodeByNumber(1));
  EXPECT_EQ(r.currentNode, r.graph->FindNodeByNumber(1));
  r = read(currentFile(1, 5, 7, {"  1   0   0  1   0 0 -15 -15 Upper Level "}));
  EXPECT_EQ(r.mainNode, nullptr);
  EXPECT_EQ(r.currentNode, nullptr);
}

TEST_F(CircuitReader, PreviewNodeAndViewComeFromTheTrailer) {
  auto r = read(currentFile(1, 1, 0, {"  1   0   0  1   0 0 -15 -15 Upper Level "}, "      1 SubCircuit ",
                            "    -15 20  0.750  "));
  EXPECT_EQ(r.shownNode, r.graph->FindNodeByNumber(1));
  EXPECT_EQ(r.originX, -15);
  EXPECT_EQ(r.originY, 20);
  EXPECT_EQ(r.scale, 0.75);

  // The scale stays as it is when the rest of the line is no number.
  for (const char* view : {"  3 4 ", "  3 4 abc", "  3 4 1.5x", "  3 4 0", "  3 4 -2.0", "  3 4 nan", "  3 4"}) {
    SCOPED_TRACE(view);
    r = read(currentFile(1, 1, 0, {"  1   0   0  1   0 0 -15 -15 Upper Level "}, "      0 SubCircuit ", view));
    EXPECT_FALSE(r.scale.has_value());
    EXPECT_EQ(r.originX, 3);
    EXPECT_EQ(r.originY, 4);
  }
  r = read(currentFile(1, 1, 0, {"  1   0   0  1   0 0 -15 -15 Upper Level "}, "      0 SubCircuit ", " 1 2 1,250"));
  EXPECT_EQ(r.scale, 1.25);
}

TEST_F(CircuitReader, EveryNodeIsNumberedAndTheCircuitCountsAsModified) {
  auto r = read(vemu::test::SampleCircuitText());
  int k = 0;
  r.graph->forEachNode([&](TheNode* n) { EXPECT_EQ(n->Number, ++k); });
  EXPECT_EQ(k, 6);
  EXPECT_TRUE(r.modified);
}

TEST_F(CircuitReader, LinksStartAtRestOnTheMidpointOfTheirEndsOrSwingAsNewOnes) {
  auto r = read(vemu::test::SampleCircuitText());
  auto swinging = ReadCircuitText(vemu::test::SampleCircuitText(), "t.dag", vemu::files::LinkStart::Swinging);
  int drawn = 0;
  r.graph->forEachNode([&](TheNode* n) {
    n->forEachLine([&](vemu::model::TheLine* l) {
      auto* line = dynamic_cast<vemu::view::TMyLine*>(l);
      ASSERT_NE(line, nullptr) << "every link read is a drawn link";
      const vemu::model::TPoint mid{(n->X + l->Node->X) / 2, (n->Y + l->Node->Y) / 2};
      EXPECT_EQ(line->RestPoint, mid);
      EXPECT_EQ(line->SwingPoint, mid);
      EXPECT_EQ(line->CurPoint, mid);
      ++drawn;
    });
  });
  EXPECT_EQ(drawn, 9);
  int kicked = 0;
  swinging.graph->forEachNode([&](TheNode* n) {
    n->forEachLine([&](vemu::model::TheLine* l) {
      const vemu::view::TMyLine made(n, l->Node);
      const auto* line = vemu::view::AsMyLine(l);
      EXPECT_EQ(line->SwingPoint, made.SwingPoint);
      EXPECT_EQ(line->CurPoint, made.CurPoint);
      kicked += line->CurPoint != line->RestPoint ? 1 : 0;
    });
  });
  EXPECT_GT(kicked, 0);
}

// Damaged links.

TEST_F(CircuitReader, MissingLinkTargetIsReportedAndLaterLinksGoFirst) {
  auto r = read(oneMember("  2 100  50 19   1 4 -15 -15 R1 1k",
                          {"       4   1", "       5   9", "       7   2", "       6   1"}));
  const TheNode* r1 = r.graph->FindNodeByNumber(2);
  // Link 2 is dropped; links 3 and 4 find no link before their position
  // and are put at the front. One box tells of the dropped link.
  EXPECT_EQ(linksOf(r1), (std::vector<std::pair<int, int>>{{6, 1}, {7, 2}, {4, 1}}));
  ASSERT_EQ(dialogs.boxes.size(), 1u);
  EXPECT_EQ(dialogs.boxes[0].caption, "LOAD-NIL");
  EXPECT_EQ(dialogs.boxes[0].text, "1 link names no node and was dropped:\nR1 [#2] ,NIL, find 9 node");
  EXPECT_EQ(dialogs.boxes[0].buttons, vemu::platform::MsgButtons::Ok);
}

TEST_F(CircuitReader, MissingFirstLinkLetsTheSecondStartTheList) {
  auto r = read(oneMember("  2 100  50 19   1 3 -15 -15 R1 1k", {"       4   0", "       5   1", "       7   2"}));
  // Link 2 meets an empty list and goes first; link 3 then lies past the end.
  EXPECT_EQ(linksOf(r.graph->FindNodeByNumber(2)), (std::vector<std::pair<int, int>>{{7, 2}, {5, 1}}));
  EXPECT_EQ(dialogs.texts(), (std::vector<std::string>{"1 link names no node and was dropped:\nR1 [#2] ,NIL, find 0 node"}));
}

TEST_F(CircuitReader, ManyMissingTargetsGiveOneBoxWithTheFirstTen) {
  for (const int missing : {3, 10, 200000}) {
    dialogs.boxes.clear();
    std::vector<std::string> links(static_cast<std::size_t>(missing), "       4   9");
    read(oneMember("  2 100  50 19   1 " + std::to_string(missing) + " -15 -15 R1 1k", links));
    ASSERT_EQ(dialogs.boxes.size(), 1u) << missing;
    const std::string& text = dialogs.boxes[0].text;
    EXPECT_EQ(text.rfind(std::to_string(missing) + " links name no node and were dropped" +
                         (missing > 10 ? ", the first ten:" : ":"), 0), 0u) << text;
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), std::min(missing, 10));
  }
}

TEST_F(CircuitReader, LoadNilNamesTheNodeWithItsLevel) {
  read(currentFile(3, 1, 0,
                   {"  1   0   0  1   0 1 -15 -15 Upper Level ", "       1   2", "  2  50  50 29   1 1 -15 -15 X1 ",
                    "       1   3", "  3  10  10 19   2 1 -15 -15 R\xD1 1", "       4  -4"}));
  ASSERT_EQ(dialogs.boxes.size(), 1u);
  EXPECT_EQ(dialogs.boxes[0].caption, "LOAD-NIL");
  const std::string described = "\nX1.R\xD0\xA1 [#3] ,NIL, find -4 node";  // shown as UTF-8
  EXPECT_EQ(dialogs.boxes[0].text.substr(dialogs.boxes[0].text.size() - described.size()), described);
}

// Refused files: an error naming the line, and no graph.

TEST_F(CircuitReader, TokenThatIsNoNumberIsRefusedWithItsLine) {
  expectRefused(oneMember("  2 1x0  50 19   1 0 -15 -15 R1 1k"), 10, "1x0");
  expectRefused(currentFile(1, 1, 0, {"  1   0   0  1   0 1 -15 -15 Upper Level ", "       one   2"}), 9, "one");
  expectRefused("noname\r\nVemu.exe\r\n-\r\nmany - How many nodes\r\n", 4, "many");
  // Signs: one minus or one plus, never both.
  expectRefused(oneMember("  2 +-5  50 19   1 0 -15 -15 R1 1k"), 10, "+-5");
  expectRefused(oneMember("  2 --5  50 19   1 0 -15 -15 R1 1k"), 10, "--5");
  // Numbers in a wider form than plain decimals.
  expectRefused(oneMember("  2 0x10  50 19   1 0 -15 -15 R1 1k"), 10, "0x10");
  expectRefused(oneMember("  2 1e3  50 19   1 0 -15 -15 R1 1k"), 10, "1e3");
  // Numbers past 32 bits.
  expectRefused(oneMember("  2 2147483648  50 19   1 0 -15 -15 R1 1k"), 10, "2147483648");
  expectRefused(oneMember("  2 -2147483649  50 19   1 0 -15 -15 R1 1k"), 10, "-2147483649");
  // The number may stand on a later line than the record began.
  expectRefused(oneMember("  2 5 5 19 1 0 -15\r\n\r\n  oops R1 1k"), 12, "oops");
  // The trailer is read as numbers too.
  expectRefused(currentFile(1, 1, 0, {"  1   0   0  1   0 0 -15 -15 Upper Level "}, "  SubCircuit"), 9,
                "SubCircuit");
  EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(CircuitReader, FullRangeOfNumbersIsRead) {
  const TheNode* n = member("  2 2147483647 -2147483648 19 1 0 -2147483648 2147483647 R1 1k");
  EXPECT_EQ(n->X, INT32_MAX);
  EXPECT_EQ(n->Y, INT32_MIN);
  EXPECT_EQ(n->Wx, INT32_MIN);
  EXPECT_EQ(n->Wy, INT32_MAX);
}

TEST_F(CircuitReader, NodeTypeOutsideTheTableIsRefused) {
  expectRefused(oneMember("  2 100  50 39   1 0 -15 -15 R1 1k"), 10, "39");
  expectRefused(oneMember("  2 100  50 -1   1 0 -15 -15 R1 1k"), 10, "-1");
  expectRefused(oneMember("  2 100  50 256   1 0 -15 -15 R1 1k"), 10, "256");
  EXPECT_EQ(member("  2 100  50 38   1 0 -15 -15 P1 1")->NodeType, 38);
  EXPECT_EQ(member("  2 100  50 0   1 0 -15 -15 N 1")->NodeType, 0);
}

TEST_F(CircuitReader, CountsBeyondTheFilesLinesAreRefusedAtOnce) {
  expectRefused(currentFile(2000000000, 1, 0, {"  1   0   0  1   0 0 -15 -15 Upper Level "}), 4, "2000000000");
  expectRefused(currentFile(-1, 1, 0, {}), 4, "-1");
  // The line of the number itself, wherever the record began.
  expectRefused(oneMember("  2 100  50\r\n\r\n 55   1 0 -15 -15 R1 1k"), 12, "55");
  expectRefused(oneMember("  2 100  50 19 1\r\n 9999 -15 -15 R1 1k"), 11, "9999");
  expectRefused(oneMember("  2 100  50 19   1 2000000000 -15 -15 R1 1k"), 10, "2000000000");
  expectRefused(oneMember("  2 100  50 19   1 -3 -15 -15 R1 1k"), 10, "-3");
  EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(CircuitReader, FileCutShortOrLongerThanItsCountIsRefused) {
  const std::string root = "  1   0   0  1   0 1 -15 -15 Upper Level ";
  const std::string whole = currentFile(2, 1, 0, {root, "       1   2", "  2 100  50 19   1 2 -15 -15 R1 1k",
                                                   "       4   1", "       5   1"});
  // Cut anywhere after the header: inside the last record, inside its link
  // lines, before or inside the trailer.
  for (const char* cut : {"  2 100", "       4   1\r\n", "       5   1\r\n", "SubCircuit \r\n"}) {
    SCOPED_TRACE(cut);
    const std::string text = whole.substr(0, whole.find(cut) + std::string_view(cut).size());
    auto r = ReadCircuitText(text, "t.dag");
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.error.find("ends early"), std::string::npos) << r.error;
  }
  EXPECT_TRUE(ReadCircuitText(whole, "t.dag").ok);
  // A count too small leaves records behind the trailer.
  expectRefused(currentFile(1, 1, 0, {"  1   0   0  1   0 0 -15 -15 Upper Level ", "  2 100  50 19   0 0 -15 -15 R1 1k",
                                      "  3 100  50 19   0 0 -15 -15 R2 1k"}), 4, "node count 1");
  EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(CircuitReader, OwnershipThatNestsANodeInsideItselfIsRefused) {
  const std::string root = "  1   0   0  1   0 1 -15 -15 Upper Level ";
  struct Case {
    int count;
    std::vector<std::string> records;
    int line;
    const char* reason;
  } cases[] = {
      {2, {root, "       1   2", "  2  50  50 29   2 0 -15 -15 X1 "}, 10, "Node 2 is its own owner"},
      {3, {root, "       1   2", "  2  50  50 29   3 0 -15 -15 X1 ", "  3  50  50 29   2 0 -15 -15 X2 "}, 10,
       "The owners of Node 2 run in a circle"},
      {2, {root, "       1   2", "  2  50  50 29   1 1 -15 -15 X1 ", "       1   2"}, 10, "Node 2 lists itself"},
      {3, {root, "       1   2", "  2  50  50 29   1 1 -15 -15 X1 ", "       1   3", "  3  50  50 29   2 1 -15 -15 X2 ",
        "       1   2"},
       12, "Node 2 is a member of its own members"},
  };
  for (const Case& c : cases) expectRefused(currentFile(c.count, 1, 0, c.records), c.line, c.reason);
}

TEST_F(CircuitReader, NameOrValueOverSixtyFourKilobytesIsRefusedWithItsLine) {
  const std::string big(vemu::files::kMaxRecordText + 1, 'x');
  expectRefused(oneMember("  2 100  50 19   1 0 -15 -15 " + big + " 1k"), 10, "The name holds 65537 characters");
  expectRefused(oneMember("  2 100  50 19   1 0 -15 -15 R1 " + big), 10, "The value holds 65537");
  expectRefused(oneMember("  2 100  50 32   1 0 -15 -15 T " + big), 10, "The value holds 65537");
  EXPECT_EQ(member("  2 100  50 32   1 0 -15 -15 T " + big.substr(1))->Value.size(), vemu::files::kMaxRecordText);
}

TEST_F(CircuitReader, FileWithoutNodesIsRefused) {
  // An empty file, or one whose node count is 0, holds no circuit (not even
  // the top level): reading it must not replace the open circuit.
  for (const std::string& text : {std::string(), std::string("t\nWxWy\n-\n 0\n 0\nheader\n")}) {
    auto r = ReadCircuitText(text, "t.dag");
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.graph, nullptr);
    EXPECT_NE(r.error.find("t.dag"), std::string::npos) << r.error;
  }
}

TEST_F(CircuitReader, OwnerlessAmplifierIsNamedUpperLevelWithoutSign) {
  auto r = read("t\nWxWy\n-\n 2\n 1\nheader\n  1 0 0 1 0 0 -15 -15 Upper Level \n  2 0 0 26 0 0 -15 -15 +K1 5\n");
  const TheNode* n = r.graph->FindNodeByNumber(2);
  ASSERT_NE(n, nullptr);
  EXPECT_EQ(n->Name.str(), "Upper Level");
  EXPECT_EQ(n->Polarity, 0);
}

TEST_F(CircuitReader, FileThatCannotBeOpenedIsRefused) {
  vemu::test::ScratchFolder folder;
  for (const std::string& path : {folder.file("missing.dag"), folder.file("IMAGES")}) {
    auto r = vemu::files::ReadCircuitFile(path);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.graph, nullptr);
    EXPECT_NE(r.error.find(path), std::string::npos) << r.error;
  }
}

TEST_F(CircuitReader, FileOnDiskIsReadLikeItsText) {
  vemu::test::ScratchFolder folder;
  folder.write("c.dag", vemu::test::SampleCircuitText());
  auto r = vemu::files::ReadCircuitFile(folder.file("c.dag"));
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(r.graph->NodeCount(), 6);
  EXPECT_EQ(r.currentNode, r.graph->FindNodeByNumber(2));

  folder.write("bad.dag", oneMember("  2 100  5O 19   1 0 -15 -15 R1 1k"));
  r = vemu::files::ReadCircuitFile(folder.file("bad.dag"));
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.error.rfind(folder.file("bad.dag") + "(10): ", 0), 0u) << r.error;
}


}  // namespace

TEST(FileReaders, EachRefusesAFileOverItsLimitNamingTheFileAndItsSize) {
  vemu::test::ScratchFolder folder(false);
  const std::string huge = folder.file("huge");
  folder.write("huge", "");
  ASSERT_EQ(::truncate(huge.c_str(), 30'000'000'000), 0);  // sparse: no disk
  const std::string large = ": too large: 30000000000 bytes, more than 1 GiB";
  const std::string over = ": too large: 30000000000 bytes, more than 16 MiB";
  EXPECT_EQ(vemu::files::ReadCircuitFile(huge).error, "Cannot open file " + huge + large);
  EXPECT_EQ(vemu::files::ReadSubcircuitFile(huge).error, "Cannot open file " + huge + large);
  std::string error;
  EXPECT_TRUE(vemu::files::IniFile::Load(huge, &error).Lines().empty());
  EXPECT_EQ(error, "Cannot read file " + huge + over);
  vemu::catalogue::Settings settings;
  EXPECT_EQ(vemu::catalogue::ReadStartFile(settings, huge).error, "Cannot read file " + huge + over);
  EXPECT_FALSE(vemu::catalogue::LoadMessageFile(huge, &error).has_value());
  EXPECT_EQ(": " + error, over);
}
