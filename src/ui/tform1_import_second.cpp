// The second build's netlist import.
#include "platform/dialogs.h"
#include "ui/tform1.h"

void TForm1::SecondBuildCreateFromCir1Click() {
  vemu::platform::dialogs().showMessage("Building a circuit from a netlist is not available in this version.");
}
