// Subcommands of vemu-testdrive. Each takes its own arguments (after the
// subcommand's name) and returns the exit status; errors go to stderr.
#pragma once

#include <string>
#include <vector>

using Args = std::vector<std::string>;

int RoundtripCommand(const Args& args);
int MsgCommand(const Args& args);
int NetlistCommand(const Args& args);
int ResultNumberCommand(const Args& args);
int ResultsCommand(const Args& args);
int RunCommand(const Args& args);
int RenderCommand(const Args& args);
int GeometryCommand(const Args& args);
int ExportCommand(const Args& args);
int UndoCommand(const Args& args);
int SubcircuitCommand(const Args& args);
int PasteCommand(const Args& args);
int EditCommand(const Args& args);
int NodeTypesCommand(const Args& args);
