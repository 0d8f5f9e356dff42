#include "ui/program_profile.h"

ProgramProfile FullProgramProfile() { return ProgramProfile{}; }
