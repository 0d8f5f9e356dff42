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
    std::string error;
    auto session = testdrive::DriverSession::OpenWithoutCircuit(common, error);
    if (!session || !session->ApplySettings(o.settings, error)) {
      std::fprintf(stderr, "import: %s\n", error.c_str());
      return 2;
    }
    TForm1& form = session->form1();
    form.PaintBox1->resize(o.width, o.height);
    form.FormResize();
    platform::RandomSource random(o.seed);
    platform::ScopedRandomSource seeded(random);
    form.CreateFromCir1->trigger();
    std::fprintf(stderr, "arrange %d\n", form.ArrangeMode);
    std::fprintf(stderr, "caption %s\n", platform::toUtf8(form.windowTitle()).c_str());
    if (!o.writePath.empty() && !session->WriteCircuit(o.writePath, error)) {
      std::fprintf(stderr, "import: %s\n", error.c_str());
      return 1;
    }
    return 0;
  });
}
