// What the benchmarks that drive the main window share: a scratch program
// folder for files and snapshots, and vemu3's windows made offscreen.
#pragma once

#include <filesystem>
#include <string>

#include "platform/program_folder.h"
#include "platform/scripted_dialogs.h"
#include "ui/paint_box.h"
#include "ui/program_profile.h"
#include "ui/tform1.h"
#include "ui/window_set.h"

namespace bench {

struct ScratchProgramFolder {
  explicit ScratchProgramFolder(const std::string& name)
      : path((std::filesystem::temp_directory_path() / name).string() + "/") {
    std::filesystem::create_directories(path + "IMAGES/BACKUP");
    vemu::platform::setProgramFolder(path);
  }
  ~ScratchProgramFolder() {
    vemu::platform::setProgramFolder("");
    std::error_code ec;
    std::filesystem::current_path(std::filesystem::temp_directory_path(), ec);
    std::filesystem::remove_all(path, ec);
  }
  std::string path;
};

// vemu3's windows with the canvas at 1280 x 900 and the timer stopped.
struct MainWindow {
  MainWindow() {
    form().Timer1->stop();
    form().PaintBox1->setMinimumSize(1, 1);
    form().PaintBox1->resize(1280, 900);
    form().FormResize();
  }
  vemu::platform::ScriptedDialogs dialogs;
  vemu::platform::ScopedDialogs scope{dialogs};
  WindowSet windows{FullProgramProfile(), {"vemu3"}};
  TForm1& form() { return *windows.windows().Form1; }
};

}  // namespace bench
