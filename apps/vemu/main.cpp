// Vemu: the reduced second build.
#include "build2/second_profile.h"
#include "ui/program_entry.h"

int main(int argc, char** argv) { return ProgramEntry(argc, argv, SecondProgramProfile()); }
