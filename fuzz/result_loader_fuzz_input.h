// One input of the result loader's fuzz target, shared with the test that
// replays the kept inputs: the bytes up to the first NUL name the circuit's
// elements (one per line; the name's first byte picks the type and whether
// it gets a netlist line), the rest is the memo read from "out" and "clc".
// The loader's values must equal those of a plain search of each key
// through the lines, and a value never holds a blank.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/node_type_table.h"
#include "model/graph.h"
#include "netlist/result_loader.h"
#include "netlist/result_number.h"
#include "platform/text_file.h"

namespace vemu::fuzz {

// Empty when the loader agrees with the plain search, else what differs.
inline std::string CheckResultLoaderInput(std::string_view bytes) {
  static const catalogue::NodeTypeTable types = [] {
    catalogue::NodeTypeTable t;
    catalogue::InitNodeTypeTable(t, model::NodeTypeCount, nullptr);
    return t;
  }();
  const std::size_t split = bytes.find('\0');
  const auto names = platform::splitLines(bytes.substr(0, split));
  const auto lines =
      split == std::string_view::npos ? std::vector<std::string>() : platform::splitLines(bytes.substr(split + 1));

  model::TheBaseOfGraf graph;
  graph.MainNode = graph.AddNode(nullptr, model::ntRoot);
  static const std::uint8_t kTypes[] = {5, 6, 7, 8, 11, 19, 29, 32, 2};
  for (const auto& name : names) {
    const auto first = name.empty() ? 0u : static_cast<unsigned char>(name[0]);
    model::TheNode* n = graph.AddNode(graph.MainNode, kTypes[first % sizeof kTypes]);
    n->Name = name;
    n->Value = "before";
    n->StoreInCir = first % 5 == 0 ? 0 : 1;
  }
  const netlist::ResultFormat format{std::to_string(names.size() % 12), ","};
  std::vector<std::string> abnormal;
  const bool complete = netlist::WriteResultValues(graph, types, lines, format, abnormal);

  std::size_t missing = 0;
  std::string problem;
  graph.forEachNode([&](model::TheNode* n) {
    if (!problem.empty() || n == graph.MainNode) return;
    if (!netlist::IsResultElement(*n, types)) {
      if (n->Value != "before") problem = "a value that is no result changed: " + n->Name.str();
      return;
    }
    const std::string key = n->Name.str() + "= ";
    std::string expected;
    bool found = false;
    for (const auto& line : lines)
      if (line.find(key) != std::string::npos) {
        std::string text = line.size() > key.size() ? line.substr(key.size()) : std::string();
        netlist::RemoveBlanks(text);
        expected = netlist::FormatResultNumber(netlist::ParseResultNumber(text), format.digits, ",");
        found = true;
        break;
      }
    missing += found ? 0 : 1;
    if (n->Value != expected) problem = "value of " + key + ": " + n->Value + ", expected " + expected;
    for (char c : n->Value)
      if (static_cast<unsigned char>(c) <= 32) problem = "a blank in the value of " + key;
  });
  if (problem.empty() && (missing == 0) != complete) problem = "completeness reported wrongly";
  if (problem.empty() && abnormal.size() != missing) problem = "one abnormal line per missing result expected";
  return problem;
}

}  // namespace vemu::fuzz
