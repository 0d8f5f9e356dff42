// import --second: the second build's netlist import into the shown level
// of a new circuit, as its menu command "CreateCircuitFromCir" does it.
#include <QAction>
#include <cstdio>
#include <filesystem>

#include "platform/qt/qt_text.h"
#include "platform/random_source.h"
#include "testdrive/commands.h"
#include "testdrive/driver_support.h"
#include "ui/paint_box.h"
#include "ui/tform1.h"

namespace platform = vemu::platform;

int RunSecondImport(const ImportOptions& o) {
  testdrive::CircuitOptions common;
  common.folder = o.folder;
  common.second = true;
  // The open dialog takes IN; the answers given follow.
  std::error_code ec;
  const std::filesystem::path input = std::filesystem::absolute(o.input, ec);
  std::vector<std::string> answers{"OK=" + (ec ? o.input : input.string())};
  answers.insert(answers.end(), o.answers.begin(), o.answers.end());
  return testdrive::RunWithAnswers(answers, [&]() -> int {
    return RunImportSession(o, true, [](testdrive::DriverSession& session) {
      session.form1().CreateFromCir1->trigger();
      std::fprintf(stderr, "arrange %d\n", session.form1().ArrangeMode);
    });
  });
}
