// undo OPS [--folder DIR] [--load FILE]: the undo ring of a fresh main
// window, one operation per letter of OPS (e: an editing step that adds a
// junction, u: Undo1Click, r: Redo1Click, l: Load of FILE; d<k> deletes
// slot k's file before the next step), with the ring's state, the snapshot
// files touched and the caption after each.
#include <sys/inotify.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QAction>
#include <QApplication>
#include <QToolButton>

#include "files/undo_ring.h"
#include "platform/program_folder.h"
#include "platform/qt/qt_text.h"
#include "platform/scripted_dialogs.h"
#include "testdrive/driver_support.h"
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

// The text with every '"' written \".
std::string Quoted(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '"') out += '\\';
    out += c;
  }
  return out;
}

void PrintState(char op, TForm1& form, SnapshotWatch& watch) {
  const auto& ring = form.Backup;
  std::printf("%c count=%d start=%d pos=%d flag=%d undo=%d redo=%d nodes=%d panel0=\"%s\" files=", op,
              ring.BackupCount, ring.BackupStart, ring.BackupPos, ring.UndoRedoFlag ? 1 : 0,
              form.Undo1->isEnabled() ? 1 : 0, form.Redo1->isEnabled() ? 1 : 0, form.Graph->NodeCount(),
              form.StatusText(0).c_str());
  const auto files = watch.Take();
  if (files.empty()) std::printf("-");
  for (std::size_t i = 0; i < files.size(); ++i) std::printf("%s%s", i ? "," : "", files[i].c_str());
  std::printf(" caption=\"%s\"\n", Quoted(vemu::platform::toUtf8(form.windowTitle())).c_str());
}

// One step of OPS: a letter, or "d" with the slot number.
struct Step {
  char op = 0;
  int slot = 0;
};

// The steps of OPS; nothing when OPS holds anything else.
std::optional<std::vector<Step>> ParseOps(const std::string& ops) {
  std::vector<Step> steps;
  for (std::size_t i = 0; i < ops.size();) {
    const char op = ops[i++];
    if (op == 'e' || op == 'u' || op == 'r' || op == 'l') {
      steps.push_back({op, 0});
      continue;
    }
    if (op != 'd') return std::nullopt;
    const std::size_t digits = ops.find_first_not_of("0123456789", i);
    const auto slot = testdrive::ParseInt(ops.substr(i, digits - i));
    if (!slot || *slot < 1 || *slot > vemu::files::UndoRing::Slots) return std::nullopt;
    steps.push_back({op, *slot});
    i = digits == std::string::npos ? ops.size() : digits;
  }
  return steps;
}

// Load as the user runs it: the open dialog answered with the file, the
// question on unsaved work with No.
void LoadFile(TForm1& form, const std::string& path) {
  vemu::platform::ScriptedDialogs answers;
  answers.fileAnswers = {path};
  answers.boxAnswers = {vemu::platform::MsgResult::No};
  {
    vemu::platform::ScopedDialogs scope(answers);
    form.LoadFile1Click();
  }
  for (const auto& box : answers.boxes)
    if (box.buttons != vemu::platform::MsgButtons::YesNoCancel)
      std::fprintf(stderr, "box [%s] %s\n", box.caption.c_str(), box.text.c_str());
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
  std::string load;
  bool haveOps = false;
  bool second = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--second") {
      second = true;
    } else if (args[i] == "--folder" && i + 1 < args.size()) {
      folder = args[++i];
    } else if (args[i] == "--load" && i + 1 < args.size()) {
      load = args[++i];
    } else if (!haveOps) {
      ops = args[i];
      haveOps = true;
    } else {
      haveOps = false;
      break;
    }
  }
  const auto steps = haveOps ? ParseOps(ops) : std::nullopt;
  const bool loads = steps && std::any_of(steps->begin(), steps->end(), [](const Step& s) { return s.op == 'l'; });
  if (!steps || (loads && load.empty())) {
    std::fprintf(stderr,
                 "undo: expected OPS of e, u, r, l and d<k> (k 1 to 30) [--folder DIR] [--load FILE] [--second] (l needs FILE)\n");
    return 2;
  }
  std::error_code ec;
  // The window enters the program folder: FILE counts from the folder the driver started in.
  if (!load.empty()) load = std::filesystem::absolute(load, ec).string();
  std::string scratch;
  if (folder.empty()) {
    // A copy of its own, so the driver's folder gets no snapshot files.
    scratch = folder = testdrive::CopyOfProgramFolder();
    if (folder.empty()) {
      std::fprintf(stderr, "undo: cannot make a scratch folder\n");
      return 2;
    }
  }
  folder = std::filesystem::absolute(folder, ec).string();
  if (folder.back() != '/') folder += '/';
  vemu::platform::setProgramFolder(folder);

  std::unique_ptr<QApplication> app = testdrive::MakeApplicationIfNone();
  {
    auto windows = testdrive::MakeProgramWindows(second);
    TForm1& form = *windows->windows().Form1;
    const std::string backup = std::filesystem::is_directory(folder + "IMAGES/BACKUP") ? folder + "IMAGES/BACKUP"
                               : std::filesystem::is_directory(folder + "IMAGES") ? folder + "IMAGES"
                                                                                 : folder;
    SnapshotWatch watch(backup);
    for (const Step& step : *steps) {
      if (step.op == 'd') {
        // Shown with the next step's files; naming the slot leaves no trace.
        const std::string panel0 = form.StatusText(0);
        const QString caption = form.windowTitle();
        std::filesystem::remove(form.Backup.BackupFileName(step.slot), ec);
        form.SetStatusText(0, panel0);
        form.setWindowTitle(caption);
        continue;
      }
      if (step.op == 'e') AddJunction(form);
      if (step.op == 'u') form.Undo1Click();
      if (step.op == 'r') form.Redo1Click();
      if (step.op == 'l') LoadFile(form, load);
      PrintState(step.op, form, watch);
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
