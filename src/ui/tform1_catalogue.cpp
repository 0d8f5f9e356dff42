// The main window's element-type table and language menu.
#include "ui/tform1.h"

void TForm1::InitNodeTypeTable() { NodeTypes.assign(static_cast<std::size_t>(Profile().nodeTypeCount), {}); }

void TForm1::Russian1Click(int) {}

void TForm1::PatchSetupSym(bool) {}
