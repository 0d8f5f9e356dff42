// netlist IN.dag [--folder DIR] [--title NAME] [--set CONTROL=VALUE]...
//         [--answer A]... [--write OUT.dag]
// Builds the netlist of IN into the text window's memo as "Create text
// file" does (without starting a run) and prints the memo as the runner
// saves it as "cir"; stderr ends with the Run button's state and status
// panel 2.
#include <cstdio>

#include <QCheckBox>
#include <QToolButton>

#include "catalogue/windows/settings_window.h"
#include "netlist/windows/text_window.h"
#include "testdrive/commands.h"
#include "testdrive/driver_support.h"
#include "ui/tform1.h"

int NetlistCommand(const Args& args) {
  testdrive::CircuitOptions options;
  std::string error;
  if (!testdrive::ParseCircuitOptions(args, options, error) || options.positional.size() != 1) {
    std::fprintf(stderr, "netlist: %s\n", error.empty() ? "expected IN.dag [options]" : error.c_str());
    return 2;
  }
  return testdrive::RunWithAnswers(options.answers, [&]() -> int {
    auto session = testdrive::DriverSession::Open(options, error);
    // The netlist only, unless --set asks for the run as well.
    if (session) session->form3().CheckTreeActionByOnePress->setChecked(false);
    if (!session || !session->ApplySettings(options.settings, error)) {
      std::fprintf(stderr, "netlist: %s\n", error.c_str());
      return 2;
    }
    TForm1& form = session->form1();
    form.FromCtoMButtonClick();
    testdrive::PrintLines(testdrive::MemoLines(session->form6().Memo1), stdout);
    std::fprintf(stderr, "RunButton %s\nstatus %s\n", form.RunButton->isEnabled() ? "enabled" : "disabled",
                 form.StatusText(2).c_str());
    if (!options.writePath.empty() && !session->WriteCircuit(options.writePath, error)) {
      std::fprintf(stderr, "netlist: %s\n", error.c_str());
      return 1;
    }
    return 0;
  });
}
