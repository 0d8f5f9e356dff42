// undo OPS [--folder DIR]: the undo ring of a fresh main window, one
// operation per letter of OPS (e: an editing step that adds a junction,
// u: Undo1Click, r: Redo1Click), with the ring's state and the snapshot
// files touched after each.
#include <sys/inotify.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <QAction>
#include <QApplication>
#include <QToolButton>

#include "platform/program_folder.h"
#include "testdrive/commands.h"
#include "ui/tform1.h"
#include "ui/window_set.h"

namespace {

// The snapshot files opened for reading or put in place in a folder, as the
// kernel reports them, so the driver sees the files and not the ring's idea
// of them.
class SnapshotWatch {
 public:
  explicit SnapshotWatch(const std::string& folder) {
    fd_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (fd_ >= 0) ::inotify_add_watch(fd_, folder.c_str(), IN_OPEN | IN_MOVED_TO | IN_CLOSE_WRITE | IN_DELETE);
  }
  ~SnapshotWatch() {
    if (fd_ >= 0) ::close(fd_);
  }
  SnapshotWatch(const SnapshotWatch&) = delete;
  SnapshotWatch& operator=(const SnapshotWatch&) = delete;

  // "read:NAME", "write:NAME" and "delete:NAME" since the last call.
  std::vector<std::string> Take() {
    std::vector<std::string> seen;
    alignas(inotify_event) char buffer[8192];
    while (fd_ >= 0) {
      const ssize_t n = ::read(fd_, buffer, sizeof buffer);
      if (n <= 0) break;
      for (ssize_t at = 0; at < n;) {
        const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
        const std::string name = event->len ? event->name : "";
        at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
        if (name.rfind("back", 0) != 0) continue;  // temporary files of the writer
        if (event->mask & IN_OPEN) seen.push_back("read:" + name);
        if (event->mask & (IN_MOVED_TO | IN_CLOSE_WRITE)) {
          if (!seen.empty() && seen.back() == "read:" + name) seen.pop_back();
          seen.push_back("write:" + name);
        }
        if (event->mask & IN_DELETE) seen.push_back("delete:" + name);
      }
    }
    return seen;
  }

 private:
  int fd_ = -1;
};

void PrintState(char op, TForm1& form, SnapshotWatch& watch) {
  const auto& ring = form.Backup;
  std::printf("%c count=%d start=%d pos=%d flag=%d undo=%d redo=%d nodes=%d panel0=\"%s\" files=", op,
              ring.BackupCount, ring.BackupStart, ring.BackupPos, ring.UndoRedoFlag ? 1 : 0,
              form.Undo1->isEnabled() ? 1 : 0, form.Redo1->isEnabled() ? 1 : 0, form.Graph->NodeCount(),
              form.StatusText(0).c_str());
  const auto files = watch.Take();
  if (files.empty()) std::printf("-");
  for (std::size_t i = 0; i < files.size(); ++i) std::printf("%s%s", i ? "," : "", files[i].c_str());
  std::printf("\n");
}

// An editing step: a snapshot first, then one junction more on the shown level.
void AddJunction(TForm1& form) {
  form.PushUndoSnapshot();
  auto* node = form.Graph->AddNode(form.Graph->MainNode, 2);
  const int n = form.Graph->NodeCount();
  node->Name = std::to_string(n);
  node->X = 30 * n;
  node->Y = 30 * n;
  form.Modified = 1;
}

}  // namespace

int UndoCommand(const Args& args) {
  std::string ops;
  std::string folder;
  bool haveOps = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--folder" && i + 1 < args.size()) {
      folder = args[++i];
    } else if (!haveOps) {
      ops = args[i];
      haveOps = true;
    } else {
      haveOps = false;
      break;
    }
  }
  if (!haveOps || ops.find_first_not_of("eur") != std::string::npos) {
    std::fprintf(stderr, "undo: expected OPS of the letters e, u, r [--folder DIR]\n");
    return 2;
  }
  std::error_code ec;
  std::string scratch;
  if (folder.empty()) {
    // A folder of its own, so the driver's folder gets no snapshot files.
    std::string pattern = (std::filesystem::temp_directory_path(ec) / "vemu-undo-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) {
      std::fprintf(stderr, "undo: cannot make a scratch folder\n");
      return 2;
    }
    scratch = folder = pattern;
    std::filesystem::create_directories(folder + "/IMAGES/BACKUP", ec);
  }
  folder = std::filesystem::absolute(folder, ec).string();
  if (folder.back() != '/') folder += '/';
  vemu::platform::setProgramFolder(folder);

  if (std::getenv("QT_QPA_PLATFORM") == nullptr) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  std::unique_ptr<QApplication> app;
  if (!QApplication::instance()) {
    static int argc = 1;
    static char name[] = "vemu-testdrive";
    static char* argv[] = {name, nullptr};
    app = std::make_unique<QApplication>(argc, argv);
  }
  {
    auto windows = std::make_unique<WindowSet>(FullProgramProfile(), std::vector<std::string>{"vemu3"});
    TForm1& form = *windows->windows().Form1;
    const std::string backup = std::filesystem::is_directory(folder + "IMAGES/BACKUP") ? folder + "IMAGES/BACKUP"
                               : std::filesystem::is_directory(folder + "IMAGES") ? folder + "IMAGES"
                                                                                 : folder;
    SnapshotWatch watch(backup);
    for (char op : ops) {
      if (op == 'e') AddJunction(form);
      if (op == 'u') form.Undo1Click();
      if (op == 'r') form.Redo1Click();
      PrintState(op, form, watch);
    }
    // Closing the program removes every snapshot file.
    windows.reset();
    const auto files = watch.Take();
    std::printf("end files=");
    if (files.empty()) std::printf("-");
    for (std::size_t i = 0; i < files.size(); ++i) std::printf("%s%s", i ? "," : "", files[i].c_str());
    std::printf("\n");
  }
  app.reset();
  if (!scratch.empty()) std::filesystem::remove_all(scratch, ec);
  return 0;
}
