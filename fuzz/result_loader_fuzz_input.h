// One input of the result loader's fuzz target, shared with the test that
// replays the kept inputs: the bytes up to the first NUL name the circuit's
// elements (one per line; the name's first byte picks the type and whether
// it gets a netlist line), the rest is the memo read from "out" and "clc".
// The loader's values must equal those of a plain search of each key
// through the lines (a line opening with it first, then one holding it),
// and a value never holds a blank.
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

// The characters of code 32 or less, which may stand before a line's key.
inline const std::string kBlanks = [] {
  std::string s;
  for (int c = 1; c <= 32; ++c) s += static_cast<char>(c);
  return std::string(1, '\0') + s;
}();

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
    const std::string* holding = nullptr;
    std::size_t at = 0;
    for (const auto& line : lines) {
      const std::size_t lead = line.find_first_not_of(kBlanks);
      if (lead != std::string::npos && line.compare(lead, key.size(), key) == 0) {
        holding = &line;
        at = lead;
        break;
      }
      if (!holding && line.find(key) != std::string::npos) {
        holding = &line;
        at = line.find(key);
      }
    }
    if (holding) {
      std::string text = holding->substr(at + key.size());
      netlist::RemoveBlanks(text);
      const auto number = netlist::ParseResultNumber(text);
      if (number) expected = netlist::FormatResultNumber(*number, format.digits, ",");
      found = number.has_value();
    }
    missing += found ? 0 : 1;
    if (n->Value != expected) problem = "value of " + key + ": " + n->Value + ", expected " + expected;
    for (char c : n->Value)
      if (static_cast<unsigned char>(c) <= 32) problem = "a blank in the value of " + key;
  });
  if (problem.empty() && (missing == 0) != complete) problem = "completeness reported wrongly";
  if (problem.empty() && abnormal.size() != missing) problem = "one abnormal line per missing or unreadable result expected";
  return problem;
}

}  // namespace vemu::fuzz
