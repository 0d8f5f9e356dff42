#pragma once

#include "ui/program_profile.h"

// Starts the program: creates its windows in their order, runs the message
// loop until the main window closes, and frees everything. Returns the exit code.
int ProgramEntry(int argc, char** argv, const ProgramProfile& profile);
