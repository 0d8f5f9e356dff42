// Vemu3: the full circuit editor.
#include "ui/program_entry.h"

int main(int argc, char** argv) { return ProgramEntry(argc, argv, FullProgramProfile()); }
