// The main window's analysis tool buttons and the text window's action.
#include <QAction>
#include <QToolButton>

#include "ui/tform1.h"

void TForm1::ConnectAnalysisControls() {
  connect(FromCtoMButton, &QToolButton::clicked, this, [this] { FromCtoMButtonClick(); });
  connect(RunButton, &QToolButton::clicked, this, [this] { RunButtonClick(); });
  connect(SpeedButton1, &QToolButton::clicked, this, [this] { SpeedButton1Click(); });
  connect(ActTextWin, &QAction::triggered, this, [this] { CreateText1Click(); });
  // Enabled once a netlist has been built.
  RunButton->setEnabled(false);
}
