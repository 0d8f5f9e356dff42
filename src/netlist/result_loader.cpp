#include "netlist/result_loader.h"

#include <deque>
#include <string_view>

#include "netlist/analysis_run.h"

#include "catalogue/messages.h"
#include "catalogue/settings.h"
#include "model/graph.h"
#include "netlist/result_index.h"
#include "netlist/result_number.h"
#include "platform/dialogs.h"
#include "platform/program_folder.h"
#include "platform/text_file.h"

namespace vemu::netlist {
namespace {

namespace platform = vemu::platform;
using model::TheNode;

std::string KeyOf(const TheNode& node) { return node.Name.str() + "= "; }

// The result files read: their whole text, searched line by line.
struct SearchedFiles {
  std::deque<std::string> texts;  // never moved once read: the index points into them
  std::vector<std::string_view> views;
};

// Appends a result file that exists to the memo (its first part when it is
// long); all its text is kept for the search.
void ShowResultFile(AnalysisLog& log, const std::string& path, SearchedFiles& searched) {
  std::string reason;
  auto bytes = platform::readFileBytes(path, platform::kCircuitReadLimit, &reason);
  if (!bytes) {
    platform::dialogs().messageBox("Vemu", platform::withSizeReason("Cannot read " + path, reason), platform::MsgButtons::Ok,
                                   platform::MsgIcon::Error);
    return;
  }
  AddShownPart(log, path, *bytes);
  searched.texts.push_back(std::move(*bytes));
  searched.views.push_back(searched.texts.back());
}

}  // namespace

bool IsResultElement(const TheNode& node, const catalogue::NodeTypeTable& types) {
  if (!node.IsElement() || node.IsContainer() || node.StoreInCir != 1) return false;
  if (node.NodeType == 7 || node.NodeType == 8) return false;
  // A type the table does not know carries no value of its own.
  return node.NodeType >= types.size() || !types[node.NodeType].V;
}

namespace {

// Writes the values from the result lines the index made of the element keys finds.
template <typename MakeIndex>
bool WriteValues(model::TheBaseOfGraf& graph, const catalogue::NodeTypeTable& types, MakeIndex makeIndex,
                 const ResultFormat& format, std::vector<std::string>& abnormal) {
  std::vector<TheNode*> elements;
  std::vector<std::string> keys;
  graph.forEachNode([&](TheNode* n) {
    if (!IsResultElement(*n, types)) return;
    elements.push_back(n);
    keys.push_back(KeyOf(*n));
  });
  const ResultIndex index = makeIndex(keys);
  bool complete = true;
  for (std::size_t e = 0; e < elements.size(); ++e) {
    TheNode* element = elements[e];
    const std::string& key = keys[e];
    element->Value.clear();
    const auto found = index.TextAfter(key, format.keyAnywhere);
    if (!found) {
      abnormal.push_back(key + " Abnormal value <" + "No value" + "> ");
      complete = false;
      continue;
    }
    const std::string_view after = *found;
    const auto number = ParseResultNumber(after);
    if (!number) {
      std::string text(after);
      RemoveBlanks(text);
      abnormal.push_back(key + " Abnormal value <" + text + "> ");
      complete = false;
      continue;
    }
    element->Value = FormatResultNumber(*number, format.digits, format.decimalSeparator);
  }
  return complete;
}

}  // namespace

bool WriteResultValues(model::TheBaseOfGraf& graph, const catalogue::NodeTypeTable& types,
                       const std::vector<std::string>& lines, const ResultFormat& format,
                       std::vector<std::string>& abnormal) {
  return WriteResultValues(graph, types, std::vector<std::string_view>(lines.begin(), lines.end()), format, abnormal);
}

bool WriteResultValues(model::TheBaseOfGraf& graph, const catalogue::NodeTypeTable& types,
                       const std::vector<std::string_view>& lines, const ResultFormat& format,
                       std::vector<std::string>& abnormal) {
  return WriteValues(
      graph, types, [&](const std::vector<std::string>& keys) { return ResultIndex(keys, lines); }, format, abnormal);
}

bool WriteResultValuesFromTexts(model::TheBaseOfGraf& graph, const catalogue::NodeTypeTable& types,
                                const std::vector<std::string_view>& texts, const ResultFormat& format,
                                std::vector<std::string>& abnormal) {
  return WriteValues(
      graph, types, [&](const std::vector<std::string>& keys) { return ResultIndex::OfTexts(keys, texts); }, format,
      abnormal);
}

void LoadResults(AnalysisHost& host, model::TheBaseOfGraf& graph, const catalogue::NodeTypeTable& types,
                 const catalogue::Settings& settings, const std::string& decimalSeparator) {
  host.SetStoreInCirFlag();
  graph.Renumber();
  host.SetRunButtonEnabled(false);
  AnalysisLog& log = host.Log();
  log.ShowLog();
  log.ClearLog();

  const std::string folder = platform::programFolder();
  SearchedFiles searched;
  const std::string out = folder + "out";
  if (!platform::fileExists(out)) log.AddText(catalogue::GetMsg(0) + " " + out);
  else if (settings.CheckAutoLoadOutFile) ShowResultFile(log, out, searched);
  if (settings.BoxBat == 2) {
    log.SetLogCaption(out);
    return;
  }
  const std::string clc = folder + "clc";
  if (!platform::fileExists(clc)) {
    log.AddText(catalogue::GetMsg(0) + " " + clc);
    platform::dialogs().messageBox("Error", catalogue::GetMsg(42), platform::MsgButtons::Ok,
                                   platform::MsgIcon::Error);
  } else {
    ShowResultFile(log, clc, searched);
  }
  log.SetLogCaption(clc);

  const ResultFormat format{settings.Edit1, decimalSeparator, settings.CheckLoadDigitAnywere};
  if (!graph.MainNode) {
    host.SetStatusText(2, catalogue::GetMsg(29));
    return;
  }
  if (!settings.CheckUpdateDigitsOnCircuit) return;
  host.PushUndoSnapshot();
  std::vector<std::string> added;
  if (!graph.FirstNode) added.push_back("Fiest_node=nil");
  const bool complete = WriteResultValuesFromTexts(graph, types, searched.views, format, added);
  if (!added.empty()) log.AddFileLines(added);
  if (complete) {
    host.SetStatusText(2, "");  // no word left of an earlier load that missed a value
  } else {
    host.SetStatusText(2, catalogue::GetMsg(29));
    log.AddText(catalogue::GetMsg(30));
  }
}

}  // namespace vemu::netlist
