// IMAGES/nodesinfo.txt: the element-type table as text, nine "[i].Key=value"
// lines per type code after three header lines, and the picture names read
// back from such a file. Lines are code page 1251 bytes.
#pragma once

#include <string>
#include <vector>

#include "catalogue/node_type_info.h"

namespace vemu::catalogue {

// The file always lists the codes 0 to 38 (354 lines).
constexpr int kNodesInfoTypeCount = 39;

// folder + "IMAGES/nodesinfo.txt" of the program folder.
std::string NodesInfoPath();

// The 354 lines of the table (a code the table lacks is written as an empty record).
std::vector<std::string> NodesInfoLines(const NodeTypeTable& table);
// Writes them through the temporary-file writer; false with the reason (it names the file).
bool WriteNodesInfo(const NodeTypeTable& table, const std::string& path, std::string& error);

// Takes the picture name of every code 0 to 38 from the lines of a
// nodesinfo.txt: the first line whose name part (before the first "=") is
// "[i].FileName" without regard to case; its value is cut to 30 characters.
// A code without such a line keeps its picture. Returns the report, one line
// per code: "[i].FileName,k {value)" with k the line's index counted from 0
// (-1 and an empty value when there is none).
std::vector<std::string> LoadPictureNames(NodeTypeTable& table, const std::vector<std::string>& lines);

}  // namespace vemu::catalogue
