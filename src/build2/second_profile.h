// The second build: the reduced program.
#pragma once

#include "ui/program_profile.h"

ProgramProfile SecondProgramProfile();
