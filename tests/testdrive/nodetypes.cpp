// nodetypes [--folder DIR] [--load] [--save]: the element-type window on the
// program folder DIR as the menu command opens it; prints its type list,
// with --load presses Load CFG and prints the report, with --save presses
// Save CFG (enabled for the driver) and prints the window's caption.
#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "catalogue/windows/node_type_window.h"
#include "platform/program_folder.h"
#include "testdrive/commands.h"
#include "testdrive/driver_support.h"
#include "ui/tform1.h"
#include "ui/window_set.h"

namespace {

void PrintMemo(const char* tag, const QPlainTextEdit* memo) {
  if (memo->document()->isEmpty()) return;
  for (QTextBlock b = memo->document()->firstBlock(); b.isValid(); b = b.next())
    std::printf("%s %s\n", tag, b.text().toUtf8().constData());
}

}  // namespace

int NodeTypesCommand(const Args& args) {
  std::string folder;
  bool load = false, save = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--folder" && i + 1 < args.size()) folder = args[++i];
    else if (args[i] == "--load") load = true;
    else if (args[i] == "--save") save = true;
    else {
      std::fprintf(stderr, "nodetypes: unknown argument %s\nusage: nodetypes [--folder DIR] [--load] [--save]\n",
                   args[i].c_str());
      return 2;
    }
  }
  std::error_code ec;
  if (!folder.empty()) vemu::platform::setProgramFolder(std::filesystem::absolute(folder, ec).string());
  std::unique_ptr<QApplication> app = testdrive::MakeApplicationIfNone();
  {
    WindowSet windows(FullProgramProfile(), {"vemu3"});
    TForm1& form = *windows.windows().Form1;
    TFormAddNewNodeType& window = *windows.windows().FormAddNewNodeType;
    // The menu command fills the list; the modal window counts as closed at once.
    form.RunModalWindow = [](QWidget&) { return 2; };
    form.AddNewNodeTypeClick();
    PrintMemo("list", window.Memo1);
    if (load) {
      window.ButtonLoadFile->click();
      PrintMemo("report", window.Memo2);
    }
    if (save) {
      window.ButtonSave->setEnabled(true);
      window.ButtonSave->click();
      std::printf("caption %s\n", window.windowTitle().toUtf8().constData());
    }
  }
  app.reset();
  return 0;
}
