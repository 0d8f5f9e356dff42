// The main window's analysis commands: runs, results and the text window.
#include "ui/tform1.h"

void TForm1::RunButtonClick() {}

void TForm1::SpeedButton1Click() {}
