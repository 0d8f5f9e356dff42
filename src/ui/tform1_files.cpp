// The main window's file commands.
#include "ui/tform1.h"

bool TForm1::ConfirmDiscardUnsaved() { return true; }
