// Loading "out" and "clc" into the text window and the results into the circuit.
#include <algorithm>
#include <chrono>
#include <random>

#include "netlist/analysis_run.h"
#include "netlist/analysis_test_support.h"

namespace {

using vemu::model::TheNode;

class ResultLoader : public vemu::test::AnalysisFixture {
 protected:
  ResultLoader() {
    settings().CheckUpdateDigitsOnCircuit = true;
    settings().BoxBat = 0;
    r1 = element(19, "R1", "10");
    u1 = element(6, "U1", "old");
    i1 = element(5, "I1", "old");
  }
  void results(const std::string& out, const std::string& clc) {
    folder.write("out", out);
    folder.write("clc", clc);
  }
  TheNode* r1;
  TheNode* u1;
  TheNode* i1;
};

TEST_F(ResultLoader, LineOpeningWithTheKeyWinsOutBeforeClc) {
  vemu::test::DecimalCommaLocale comma;
  TheNode *u2 = element(6, "U2", "old"), *u3 = element(6, "U3", "old"), *u4 = element(6, "U4", "old");
  results("Analysis\r\nXU1= 7.000000e+00\r\n U1= 5.000000e+00\r\nU2= 1.5e+003\r\n",
          "AI1= 2.0e+00\r\nI1= -2.5e-02\r\nU1= 9.9e+00\r\nU3= 12.5e+00\r\nlog: U4= 3.3e+00 V\r\n");
  form().SpeedButton1Click();
  EXPECT_EQ(memo(), (std::vector<std::string>{"Analysis", "XU1= 7.000000e+00", " U1= 5.000000e+00", "U2= 1.5e+003",
                                              "AI1= 2.0e+00", "I1= -2.5e-02", "U1= 9.9e+00", "U3= 12.5e+00",
                                              "log: U4= 3.3e+00 V"}));
  const std::string point = comma.switched() ? "," : ".";
  // I1 not from "AI1= ", which only holds the key; no line opens with U4: read after the key where it stands.
  for (const auto& [node, units, decimals] : {std::tuple{u1, "5", "000"}, {u2, "1500", "000"}, {u3, "12", "500"},
                                              {i1, "-0", "025"}, {u4, "3", "300"}})
    EXPECT_EQ(node->Value, units + point + decimals) << node->Name.str();
  EXPECT_EQ(r1->Value, "10");  // a value of the user's own
  EXPECT_EQ(text().windowTitle().toStdString(), path("clc"));
  EXPECT_TRUE(text().isVisible());
  EXPECT_FALSE(form().RunButton->isEnabled());
  EXPECT_TRUE(dialogs.boxes.empty());
  EXPECT_NE(form().StatusText(2), "MSG29");
  // Past the 5 MB the memo shows, a result line is still found.
  std::string longOut;
  for (int k = 0; k < 60000; ++k) longOut += std::string(100, '-') + "\r\n";
  results(longOut + "U1= 2.5e+00\r\n", "I1= 1.0e+00");
  form().SpeedButton1Click();
  const auto shown = [&](const std::string& line) { return std::ranges::count(memo(), line) == 1; };
  EXPECT_TRUE(shown(vemu::netlist::ShortenedFileLine(path("out"))));
  EXPECT_EQ(u1->Value, "2" + point + "500");
  results(std::string(200000, '\n') + "U1= 3.5e+00\r\n", "I1= 1.0e+00");  // and past the 100,000 lines it shows
  form().SpeedButton1Click();
  EXPECT_TRUE(shown(vemu::netlist::ShortenedFileLine(path("out"), 100000)));
  EXPECT_EQ(u1->Value, "3" + point + "500");
  // A text that is no number is never written: the value is emptied, as without a line.
  results("U1= =1.000e+00\r\n", "I1= 1.0e+00\r\n");
  form().SpeedButton1Click();
  EXPECT_TRUE(shown("U1=  Abnormal value <=1.000e+00> "));
  EXPECT_EQ(memo().back(), "MSG30");
  EXPECT_EQ(form().StatusText(2), "MSG29");
  EXPECT_EQ(u1->Value, "");
}

TEST_F(ResultLoader, TheNumberAfterTheKeyAndTheLinesTheSearchBoxAllows) {
  struct Case {
    bool anywhere;
    const char* clc;
    const char* u1;
    const char* abnormal;  // U1's memo line; "": none, and panel 2 is cleared
  } cases[] = {{true, "U1= 1.0e+00 2.0e+00", "1.000", ""},
               {true, "U1=  - 1,5 V", "-1.500", ""},
               {true, "U1= 1.#INF00e+000", "", "U1=  Abnormal value <1.#INF00e+000> "},
               {true, "U1= 1,#INF00e+000", "", "U1=  Abnormal value <1,#INF00e+000> "}, {true, "U1= 1e999", "1.000E+999", ""},
               {true, "U1= -1,#IND", "", "U1=  Abnormal value <-1,#IND> "}, {true, "U1= -7.25e+300 V", "-7.250E+300", ""},
               {true, "log: XU1= 7", "7.000", ""},
               {false, "log: XU1= 7", "", "U1=  Abnormal value <No value> "},
               {false, "log: XU1= 7\r\n \tU1= 2.5e+00", "2.500", ""}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.clc);
    settings().CheckLoadDigitAnywere = c.anywhere;
    results("", std::string(c.clc) + "\r\nI1= 1.0e+00\r\n");
    form().SpeedButton1Click();
    EXPECT_EQ(u1->Value, c.u1);
    EXPECT_EQ(std::ranges::count(memo(), std::string(*c.abnormal ? c.abnormal : "-")), *c.abnormal ? 1 : 0);
    const auto anyAbnormal = [](const std::string& line) { return line.find("Abnormal value") != std::string::npos; };
    EXPECT_EQ(std::ranges::count_if(memo(), anyAbnormal), *c.abnormal ? 1 : 0);  // and no other
    EXPECT_EQ(form().StatusText(2), *c.abnormal ? "MSG29" : "");
  }
}

TEST_F(ResultLoader, SettingsDecideWhatIsShownAndWhetherValuesChange) {
  struct Case {
    const char* name;
    int boxBat;
    bool update;
    bool autoLoadOut;
    std::vector<std::string> memo;
    const char* u1;
    bool snapshot;
  } cases[] = {
      {"computation type 2: out only", 2, true, true, {"U1= 1.0e+00"}, "old", false},
      {"updates off", 0, false, true, {"U1= 1.0e+00", "I1= 2.0e+00"}, "old", false},
      {"out not loaded: not searched", 0, true, false, {"I1= 2.0e+00", "U1=  Abnormal value <No value> ", "MSG30"}, "", true},
      {"updates on", 0, true, true, {"U1= 1.0e+00", "I1= 2.0e+00"}, "1.000", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    settings().BoxBat = c.boxBat;
    settings().CheckUpdateDigitsOnCircuit = c.update;
    settings().CheckAutoLoadOutFile = c.autoLoadOut;
    u1->Value = "old";
    const int snapshots = form().Backup.BackupCount;
    results("U1= 1.0e+00\r\n", "I1= 2.0e+00\r\n");
    form().SpeedButton1Click();
    EXPECT_EQ(memo(), c.memo);
    EXPECT_EQ(u1->Value, c.u1);
    EXPECT_EQ(form().Backup.BackupCount, snapshots + (c.snapshot ? 1 : 0));
    EXPECT_EQ(text().windowTitle().toStdString(), path(c.boxBat == 2 ? "out" : "clc"));
  }
}

TEST_F(ResultLoader, MissingFilesAndMissingResults) {
  form().SpeedButton1Click();
  EXPECT_EQ(memo(), (std::vector<std::string>{"MSG0 " + path("out"), "MSG0 " + path("clc"),
                                              "U1=  Abnormal value <No value> ",
                                              "I1=  Abnormal value <No value> ", "MSG30"}));
  EXPECT_EQ(dialogs.texts(), std::vector<std::string>{"MSG42"});
  EXPECT_EQ(form().StatusText(2), "MSG29");
  EXPECT_EQ(u1->Value, "");
  EXPECT_EQ(i1->Value, "");
}

TEST_F(ResultLoader, AnElementNeverFindsTheLineAddedForAnotherOfItsName) {
  TheNode* twin = element(6, "U1", "old");
  results("", "I1= 2.0e+00\r\n");
  form().SpeedButton1Click();
  EXPECT_EQ(u1->Value, "");
  EXPECT_EQ(twin->Value, "");  // not 0.000 from "U1=  Abnormal value ..."
  EXPECT_EQ(i1->Value, "2.000");
}

TEST_F(ResultLoader, OnlyResultElementsChangeAndOneUndoRestoresThem) {
  TheNode* voltmeter = element(7, "V1", "v");
  TheNode* ammeter = element(8, "A1", "a");
  TheNode* sub = element(29, "X1", "x");
  TheNode* receiver = element(11, "E2", "r");  // controlled by K2: it gets no netlist line
  TheNode* generator = element(12, "K2", "2");
  graph().AddLine(-2, generator, receiver, vemu::model::alControl);
  results("", "V1= 1.0e+00\r\nA1= 1.0e+00\r\nX1= 1.0e+00\r\nE2= 1.0e+00\r\nK2= 1.0e+00\r\n"
              "U1= 3.0e+00\r\nI1= 4.0e+00\r\n");
  form().SpeedButton1Click();
  for (TheNode* n : {voltmeter, ammeter, sub, receiver, generator})
    EXPECT_NE(n->Value, "1.000") << n->Name.str();
  EXPECT_EQ(u1->Value, "3.000");
  form().Undo1Click();
  TheNode* restored = vemu::model::FindNodeByName(graph(), "U1");
  ASSERT_NE(restored, nullptr);
  EXPECT_EQ(restored->Value, "old");
}

TEST_F(ResultLoader, NoShownLevelWritesNoValues) {
  graph().MainNode = nullptr;
  results("", "U1= 3.0e+00\r\n");
  form().SpeedButton1Click();
  EXPECT_EQ(form().StatusText(2), "MSG29");
  EXPECT_EQ(u1->Value, "old");
  EXPECT_EQ(form().Backup.BackupCount, 0);
}

TEST_F(ResultLoader, FilesOfAnyBytesNeitherCrashNorStall) {
  const std::string binary = [] {
    std::mt19937 random(3);
    std::string s(1 << 20, '\0');
    for (char& c : s) c = static_cast<char>(random());
    return s;
  }();
  const std::string longLine = "U1= " + std::string(1 << 20, '7') + "e+01";
  const std::string manyKeys = [] {
    std::string s;
    for (int i = 0; i < 200000; ++i) s += "= ";
    return s;
  }();
  for (const std::string* bytes : {&binary, &manyKeys, &longLine}) {
    results(*bytes, *bytes);
    const auto start = std::chrono::steady_clock::now();
    form().SpeedButton1Click();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
    EXPECT_FALSE(memo().empty());
  }
  EXPECT_EQ(u1->Value, "");  // a million digits: too large for the value
}

}  // namespace
