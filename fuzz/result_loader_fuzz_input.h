// One input of the result loader's fuzz target, shared with the test that
// replays the kept inputs: the bytes up to the first NUL name the circuit's
// elements (one per line; the name's first byte picks the type and whether
// it gets a netlist line), the rest is the memo read from "out" and "clc".
// The loader's values must equal those of a plain search of each key
// through the lines (a line opening with it first, then, when the number of
// names is no multiple of three, one holding it) and a plain reading of the
// number after the key; a value never holds a blank and never runs past
// 38 characters.
#pragma once

#include <cstdint>
#include <optional>
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

// The text after a key read plainly: the number it holds, written out
// ("-05.25e+3" for " - 5,25e3 V"), or nothing when it holds none.
inline std::optional<std::string> PlainNumberText(std::string_view after) {
  const auto blank = [](char c) { return static_cast<unsigned char>(c) <= 32; };
  const auto digitsAt = [](const std::string& s, std::size_t from) {
    const std::size_t end = s.find_first_not_of("0123456789", from);
    return (end == std::string::npos ? s.size() : end) - from;
  };
  std::size_t k = 0;
  while (k < after.size() && blank(after[k])) ++k;
  std::string sign;
  if (k < after.size() && (after[k] == '-' || after[k] == '+')) {
    if (after[k] == '-') sign = "-";
    for (++k; k < after.size() && blank(after[k]);) ++k;
  }
  std::string word;
  while (k < after.size() && !blank(after[k])) word += after[k++];
  const std::size_t whole = digitsAt(word, 0);
  std::size_t at = whole;
  std::size_t fraction = 0;
  // A comma behind whole digits is the point when a digit follows it, and
  // when "#" does: then the number is followed by "#" as after a point.
  const bool comma = at < word.size() && word[at] == ',' && whole > 0 &&
                     (digitsAt(word, at + 1) > 0 || word.compare(at + 1, 1, "#") == 0);
  if (at < word.size() && (word[at] == '.' || comma)) {
    fraction = digitsAt(word, at + 1);
    at += 1 + fraction;
  }
  if (whole + fraction == 0) return std::nullopt;
  std::string number = sign + "0" + word.substr(0, whole) + "." + (fraction ? word.substr(whole + 1, fraction) : "");
  if (at < word.size() && std::string_view("eE\xE5\xC5").find(word[at]) != std::string_view::npos) {
    std::size_t e = at + 1;
    const std::string exponentSign = e < word.size() && (word[e] == '+' || word[e] == '-') ? word.substr(e++, 1) : "+";
    if (const std::size_t n = digitsAt(word, e); n > 0) {
      number += "e" + exponentSign + word.substr(e, n);
      at = e + n;
    }
  }
  if (at < word.size() && word[at] == '#') return std::nullopt;
  return number;
}

// Empty when the loader agrees with the plain search, else what differs.
inline std::string CheckResultLoaderInput(std::string_view bytes) {
  static const catalogue::NodeTypeTable types = [] {
    catalogue::NodeTypeTable t;
    catalogue::InitNodeTypeTable(t, model::NodeTypeCount, nullptr);
    return t;
  }();
  const std::size_t split = bytes.find('\0');
  const auto names = platform::splitLines(bytes.substr(0, split));
  // The loader walks the text in place; the plain search goes through its split lines.
  const std::string_view text = split == std::string_view::npos ? std::string_view() : bytes.substr(split + 1);
  const auto lines = platform::splitLines(text);

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
  const bool anywhere = names.size() % 3 != 0;
  const netlist::ResultFormat format{std::to_string(names.size() % 12), ",", anywhere};
  std::vector<std::string> abnormal;
  const bool complete = netlist::WriteResultValuesFromTexts(graph, types, {text}, format, abnormal);

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
      if (anywhere && !holding && line.find(key) != std::string::npos) {
        holding = &line;
        at = line.find(key);
      }
    }
    if (holding) {
      const auto text = PlainNumberText(std::string_view(*holding).substr(at + key.size()));
      const auto number = text ? netlist::ParseResultNumber(*text) : std::nullopt;
      if (number) expected = netlist::FormatResultNumber(*number, format.digits, ",");
      found = number.has_value();
    }
    missing += found ? 0 : 1;
    if (n->Value != expected) problem = "value of " + key + ": " + n->Value + ", expected " + expected;
    for (char c : n->Value)
      if (static_cast<unsigned char>(c) <= 32) problem = "a blank in the value of " + key;
    // 18 whole digits at most, else the exponent form.
    if (n->Value.size() > 18 + 1 + 18 + 1) problem = "a value of more than 38 characters: " + key;
  });
  if (problem.empty() && (missing == 0) != complete) problem = "completeness reported wrongly";
  if (problem.empty() && abnormal.size() != missing) problem = "one abnormal line per missing or unreadable result expected";
  return problem;
}

}  // namespace vemu::fuzz
