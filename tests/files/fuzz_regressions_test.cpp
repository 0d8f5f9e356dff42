// Inputs the fuzzer found, kept in fuzz/regressions/: each must be read or
// refused cleanly, and what is read must write and read back to a file
// that no longer changes.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "../../fuzz/language_file_fuzz_input.h"
#include "../../fuzz/settings_ini_fuzz_input.h"
#include "../../fuzz/start_file_fuzz_input.h"
#include "../../fuzz/subcircuit_fuzz_input.h"

#include "files/circuit_file.h"
#include "platform/scripted_dialogs.h"
#include "platform/text_file.h"

namespace {

namespace fs = std::filesystem;
using vemu::files::CircuitViewState;
using vemu::files::FormatCircuitFile;
using vemu::files::ReadCircuitText;

const std::string kRegressions = VEMU_SOURCE_DIR "/fuzz/regressions/";

std::string bytesOf(const std::string& name) {
  auto bytes = vemu::platform::readFileBytes(kRegressions + name, vemu::platform::kCircuitReadLimit);
  EXPECT_TRUE(bytes.has_value()) << name;
  return bytes.value_or(std::string());
}

// Reads and writes again; empty when the text is refused.
std::string readAndWrite(const std::string& text, bool normaliseOwnerless) {
  auto r = ReadCircuitText(text, "fuzz.dag");
  if (!r.ok) {
    EXPECT_EQ(r.graph, nullptr);
    EXPECT_FALSE(r.error.empty());
    return std::string();
  }
  if (normaliseOwnerless)
    r.graph->forEachNode([](vemu::model::TheNode* n) {
      if (n->Upper) return;
      n->Value.clear();
      n->Ground = 0;
    });
  r.graph->MainNode = r.mainNode;
  r.graph->CurrentNode = r.currentNode;
  return FormatCircuitFile(*r.graph, CircuitViewState{r.shownNode, r.originX, r.originY, r.scale.value_or(1.0)});
}

class FuzzRegressions : public ::testing::Test {
 protected:
  vemu::platform::ScriptedDialogs dialogs;
  vemu::platform::ScopedDialogs scope{dialogs};
};

TEST_F(FuzzRegressions, EveryKeptInputReachesAFixedPoint) {
  int inputs = 0;
  for (const auto& entry : fs::directory_iterator(kRegressions)) {
    if (!entry.is_regular_file() || entry.path().filename().string().front() == '.') continue;
    SCOPED_TRACE(entry.path().filename().string());
    ++inputs;
    const std::string first = readAndWrite(bytesOf(entry.path().filename()), true);
    if (first.empty()) continue;
    const std::string second = readAndWrite(first, true);
    ASSERT_FALSE(second.empty()) << "the writer's own file was refused";
    EXPECT_EQ(readAndWrite(second, true), second);
  }
  EXPECT_GE(inputs, 2);
}

// A node without owner is named "Upper Level"; as a text node it keeps its
// whole line as value, so the second word of the name joins the value on
// every round through the file.
TEST_F(FuzzRegressions, OwnerlessTextNodeTakesTheSecondWordOfItsName) {
  auto r = ReadCircuitText(bytesOf("ownerless_text_node.dag"), "fuzz.dag");
  ASSERT_TRUE(r.ok) << r.error;
  const vemu::model::TheNode* first = r.graph->FirstNode.get();
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->Upper, nullptr);
  EXPECT_EQ(first->Name.str(), "Upper Level");
  EXPECT_TRUE(first->IsText());

  const std::string once = readAndWrite(bytesOf("ownerless_text_node.dag"), false);
  const std::string twice = readAndWrite(once, false);
  EXPECT_NE(once.find("Upper Level "), std::string::npos);
  EXPECT_NE(twice.find("Upper Level Level"), std::string::npos);
}

// An owner-less junction: renamed "Upper Level", its name's second word
// and its value move along by one word per round, taking a ground mark
// with them, until the line reads "Upper Level Level" and stays so. (As
// found, the junction listed itself as its member and a record stood after
// the trailer, which the reader refuses; here it links to itself by a pin.)
TEST_F(FuzzRegressions, OwnerlessJunctionSettlesAfterThreeRounds) {
  std::string found = bytesOf("ownerless_grounded_junction.dag");
  EXPECT_TRUE(readAndWrite(found, false).empty());
  found.replace(found.find("       1 1"), 10, "       4 1");
  found.erase(found.rfind("  2 0 0,500"));
  std::vector<std::string> rounds{readAndWrite(found, false)};
  for (int k = 0; k < 3; ++k) rounds.push_back(readAndWrite(rounds.back(), false));
  auto rootLine = [](const std::string& text) {
    const auto start = text.find("\r\n  1 ") + 2;
    return text.substr(start, text.find("\r\n", start) - start);
  };
  EXPECT_EQ(rootLine(rounds[0]), "  1   0  20  2   0 1 -15 -15 Upper Level G2");
  EXPECT_EQ(rootLine(rounds[1]), "  1   0  20  2   0 1 -15 -15 Upper Level Level G2");
  EXPECT_EQ(rootLine(rounds[2]), "  1   0  20  2   0 1 -15 -15 Upper Level Level");
  EXPECT_EQ(rounds[3], rounds[2]);
}

// The other readers' fuzz inputs kept in the tree, the seed corpus and what
// the fuzzer found (fuzz/regressions/<target>/): each passes its target's check.
TEST_F(FuzzRegressions, EveryReaderPassesItsChecksOnItsKeptInputs) {
  const struct {
    const char* corpus;
    const char* found;
    std::function<std::string(std::string_view)> check;
  } targets[] = {
      {"corpus_subcircuit", "subcircuit", vemu::fuzz::CheckSubcircuitInput},
      {"corpus_ini", "settings_ini", vemu::fuzz::CheckSettingsIniInput},
      {"corpus_start", "start_file", vemu::fuzz::CheckStartFileInput},
      {"corpus_language", "language_file", vemu::fuzz::CheckLanguageFileInput},
  };
  for (const auto& target : targets) {
    int inputs = 0;
    for (const std::string& folder : {VEMU_SOURCE_DIR "/fuzz/" + std::string(target.corpus), kRegressions + target.found}) {
      if (!fs::is_directory(folder)) continue;
      for (const auto& entry : fs::directory_iterator(folder)) {
        SCOPED_TRACE(entry.path().string());
        const auto bytes = vemu::platform::readFileBytes(entry.path().string(), vemu::platform::kCircuitReadLimit);
        ASSERT_TRUE(bytes);
        EXPECT_EQ(target.check(*bytes), "");
        ++inputs;
      }
    }
    EXPECT_GE(inputs, 1) << target.corpus;
  }
}

}  // namespace
