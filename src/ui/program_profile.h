// What distinguishes the two programs built from this tree. The start-up
// of each program picks its profile; everything else asks it at run time.
#pragma once

#include <string>

enum class ProgramKind { Full, Second };

struct ProgramProfile {
  ProgramKind kind = ProgramKind::Full;
  std::string applicationTitle = "Vemu";
  int nodeTypeCount = 39;  // codes 0 .. nodeTypeCount-1
  bool hasValueWindow = true;
  bool hasElementTypeWindow = true;
  bool hasPictureChooser = true;
  bool hasWindowHook = true;
};

// The full program.
ProgramProfile FullProgramProfile();
