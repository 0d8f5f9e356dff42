// Loading the results of an analysis run: "out" and "clc" of the program
// folder shown in the memo and, when the settings ask for it, every result
// element's number written into its value, after one undo snapshot.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "catalogue/node_type_info.h"
#include "netlist/analysis_host.h"

namespace vemu::catalogue {
struct Settings;
}
namespace vemu::model {
class TheBaseOfGraf;
class TheNode;
}

namespace vemu::netlist {

// How a value is found and written: whether a line that holds the key
// anywhere may be the result line (the settings' "find result numbers
// anywhere in a line"), the decimals (the settings' text) and the decimal
// separator of the user's locale (code page 1251).
struct ResultFormat {
  std::string digits = "3";
  std::string decimalSeparator = ".";
  bool keyAnywhere = true;
};

// True for the elements whose value comes from the results: elements
// whose type has no user-given value, that get a netlist line and are no
// container, voltmeter or ammeter (types 7 and 8).
bool IsResultElement(const model::TheNode& node, const catalogue::NodeTypeTable& types);

// Writes every result element's value from the number that follows its key
// (name + "= ") in its result line: the first of `lines` that opens with the
// key (after blanks) or, when none does and `format.keyAnywhere`, the first
// that holds it. The number is read from the text after the key
// (ParseResultNumber). A result element without such a line, or whose text
// there is no number, gets an empty value and a line
// "<key> Abnormal value <No value> " (or that text without blanks instead of
// "No value") in `abnormal`. Lines are code page 1251 bytes.
// True when every result element got a number.
bool WriteResultValues(model::TheBaseOfGraf& graph, const catalogue::NodeTypeTable& types,
                       const std::vector<std::string>& lines, const ResultFormat& format,
                       std::vector<std::string>& abnormal);
bool WriteResultValues(model::TheBaseOfGraf& graph, const catalogue::NodeTypeTable& types,
                       const std::vector<std::string_view>& lines, const ResultFormat& format,
                       std::vector<std::string>& abnormal);
// The same over the lines of whole file texts, one after the other, walked
// once without a list of their lines.
bool WriteResultValuesFromTexts(model::TheBaseOfGraf& graph, const catalogue::NodeTypeTable& types,
                                const std::vector<std::string_view>& texts, const ResultFormat& format,
                                std::vector<std::string>& abnormal);

// The main window's "Load files" command. Values are looked for only in
// the lines read from "out" and "clc", never in the lines the loader adds.
void LoadResults(AnalysisHost& host, model::TheBaseOfGraf& graph, const catalogue::NodeTypeTable& types,
                 const catalogue::Settings& settings, const std::string& decimalSeparator);

}  // namespace vemu::netlist
