// What distinguishes the two programs built from this tree. The start-up
// of each program picks its profile; everything else asks it at run time.
#pragma once

#include <string>

enum class ProgramKind { Full, Second };

// The show state of the window a started program gets: hidden (its output
// goes nowhere on screen) or shown normally (a console window of its own).
inline constexpr int kShowHidden = 0;
inline constexpr int kShowNormal = 1;

struct ProgramProfile {
  ProgramKind kind = ProgramKind::Full;
  std::string applicationTitle = "Vemu";
  int nodeTypeCount = 39;  // codes 0 .. nodeTypeCount-1
  bool hasValueWindow = true;
  bool hasElementTypeWindow = true;
  bool hasPictureChooser = true;
  bool hasWindowHook = true;
  // The main window's redraw request, which shortens a wire's swing.
  bool hasRedrawRequest = true;
  // Links of a circuit read from a file or a snapshot swing into place
  // instead of starting at rest.
  bool linksSwingAfterRead = false;
  // A file named on the command line that does not exist is reported
  // (instead of being left queued without a word).
  bool reportsMissingCommandLineFile = false;
  // What every run of an external program passes as its show state.
  int runShowState = kShowHidden;
};

// The full program.
ProgramProfile FullProgramProfile();
