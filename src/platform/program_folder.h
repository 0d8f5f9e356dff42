// The program folder: the folder of the running program, ending in '/'.
// Every fixed file name of the system is formed from it.
#pragma once

#include <string>

namespace vemu::platform {

std::string programFolder();
// The full path of the running program (not affected by setProgramFolder).
std::string runningProgramPath();
// Replaces the folder (tests and the test driver point it at a scratch folder).
void setProgramFolder(const std::string& folder);

// folder + "IMAGES/" and folder + "IMAGES/BACKUP/".
std::string imagesFolder();

// The file-name part of a path (after the last '/' or '\\').
std::string fileNamePart(const std::string& path);

}  // namespace vemu::platform
