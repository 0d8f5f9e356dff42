// Starting programs and waiting for them: the reasons a start fails, and
// the editor's wait window with its Cancel button.
#include <gtest/gtest.h>
#include <sys/ptrace.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QWindow>
#include <chrono>
#include <csignal>
#include <deque>
#include <filesystem>

#include "platform/process_runner.h"
#include "platform/qt/qt_console_window.h"
#include "platform/qt/qt_process_wait.h"
#include "platform/qt/qt_text.h"
#include "platform/qt/termination_signals.h"
#include "support/scratch_folder.h"

namespace {

using vemu::platform::ChildProcess;
using vemu::platform::LaunchPlan;
using vemu::platform::PlanLaunch;

std::optional<ChildProcess> StartScript(vemu::test::ScratchFolder& folder, const std::string& body) {
  folder.write("script", body);
  std::string error;
  auto plan = PlanLaunch(folder.file("script"), {}, error);
  return plan ? ChildProcess::Start(*plan, folder.path(), error) : std::nullopt;
}

TEST(ProcessRunner, StartFailuresGiveTheReason) {
  vemu::test::ScratchFolder folder;
  std::string error;
  EXPECT_FALSE(PlanLaunch(folder.file("missing.bat"), {}, error));
  EXPECT_EQ(error, "No such file or directory");
  EXPECT_FALSE(PlanLaunch(folder.path(), {}, error));
  EXPECT_EQ(error, "not a file");
  EXPECT_FALSE(ChildProcess::Start(LaunchPlan{"/bin/true", {}}, folder.file("no folder"), error));
  EXPECT_EQ(error, "No such file or directory");
}

TEST(ProcessRunner, ArgumentsReachTheProgramWhole) {
  vemu::test::ScratchFolder folder;
  std::string error;
  const std::string argument = "a \"b\" $(c) ;d " + std::string(300, 'e');
  auto p = ChildProcess::Start(LaunchPlan{"/bin/sh", {"-c", "printf %s \"$1\" > got", "sh", argument}},
                               folder.path(), error);
  ASSERT_TRUE(p) << error;
  p->WaitForEnd();
  EXPECT_EQ(folder.read("got"), argument);
  EXPECT_TRUE(WIFEXITED(p->WaitStatus()));
  // A discarded program's streams are /dev/null; an inheriting one has the editor's.
  std::string editors;
  for (const char* fd : {"/proc/self/fd/0", "/proc/self/fd/1", "/proc/self/fd/2"})
    editors += std::filesystem::read_symlink(fd).string() + "\n";
  std::signal(SIGXFSZ, SIG_IGN);  // as the editor: the system's default again in a started program
  for (auto output : {vemu::platform::ChildOutput::Discarded, vemu::platform::ChildOutput::Inherited}) {
    auto shown = ChildProcess::Start(
        LaunchPlan{"/bin/sh", {"-c", "readlink /proc/$$/fd/[012] | cat > fds; grep SigIgn /proc/$$/status > ign"}},
        folder.path(), error, output);
    ASSERT_TRUE(shown) << error;
    shown->WaitForEnd();
    EXPECT_EQ(folder.read("fds"),
              output == vemu::platform::ChildOutput::Discarded ? "/dev/null\n/dev/null\n/dev/null\n" : editors);
    EXPECT_EQ(std::stoull(folder.read("ign").substr(7), nullptr, 16) >> (SIGXFSZ - 1) & 1, 0u);
  }
  std::signal(SIGXFSZ, SIG_DFL);
}

// A program that does not end on its KILL (held at its exit by a tracer, as one stuck in the kernel): a stop,
// and so a destroyed process, gives it up a second after the KILL, as killed; a later start reaps it once ended.
TEST(ProcessRunner, AProgramStuckAfterItsKillIsGivenUpAndReapedLater) {
  const auto holdAtExit = [](pid_t pid) {  // a tracer holding it, stopped at its TERM, then 2.5 s at its exit
    const pid_t tracer = ::vfork();
    if (tracer == 0 && ::ptrace(PTRACE_SEIZE, pid, 0, PTRACE_O_TRACEEXIT) == 0) ::execlp("sleep", "sleep", "2.5", nullptr);
    if (tracer == 0) ::_exit(1);
    return ::waitpid(tracer, nullptr, WNOHANG) == tracer ? -1 : tracer;
  };
  for (const bool destroy : {false, true}) {
    std::string error;
    auto p = ChildProcess::Start(LaunchPlan{"/bin/sleep", {"30"}}, "/", error);
    ASSERT_TRUE(p) << error;
    const pid_t pid = p->Pid();
    const pid_t tracer = holdAtExit(pid);
    if (tracer < 0) GTEST_SKIP() << "no ptrace here";
    const auto start = std::chrono::steady_clock::now();
    destroy ? p.reset() : p->Stop(std::chrono::milliseconds(0));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1900));
    EXPECT_TRUE(destroy || p->WaitStatus() == SIGKILL);  // as ended by its KILL
    siginfo_t info{};
    ::waitpid(tracer, nullptr, 0);
    ::waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOWAIT);  // ended, not reaped
    EXPECT_TRUE(ChildProcess::Start(LaunchPlan{"/bin/true", {}}, "/", error));
    EXPECT_EQ(::kill(pid, 0), -1) << "not reaped";
  }
}

// Presses the wait window's Cancel button once it is up.
void PressCancelWhenShown(int* seconds) {
  QTimer::singleShot(50, [seconds] {
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (w->objectName() != "ProcessWaitWindow" || !w->isVisible()) continue;
      for (QLabel* l : w->findChildren<QLabel*>()) *seconds += l->text().endsWith(" s") ? 1 : 0;
      w->findChild<QPushButton*>("CancelButton")->click();
      return;
    }
    PressCancelWhenShown(seconds);
  });
}

TEST(QtProcessWait, WaitsWithoutTheWindowForQuickProgramsAndCancelsSlowOnes) {
  vemu::test::ScratchFolder folder;
  vemu::platform::QtProcessWait wait;
  auto quick = StartScript(folder, "exit 3\n");
  ASSERT_TRUE(quick);
  EXPECT_TRUE(wait.WaitFor(*quick, "quick"));
  EXPECT_EQ(WEXITSTATUS(quick->WaitStatus()), 3);

  // The shell ends when asked; a program it started ignores the request
  // and would write later: it is killed with the group after the grace.
  auto slow = StartScript(folder, "(trap '' TERM; sleep 6; echo late > clc) & sleep 30\n");
  ASSERT_TRUE(slow);
  int secondsShown = 0;
  PressCancelWhenShown(&secondsShown);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(wait.WaitFor(*slow, "slow"));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
  EXPECT_TRUE(WIFSIGNALED(slow->WaitStatus()));
  EXPECT_EQ(vemu::platform::ProcessGroupRunning(slow->Pid()), false);
  EXPECT_EQ(secondsShown, 1);
}

// An ending signal during a wait in the editor's loop: the program is
// stopped as Cancel stops it and the wait returns when the loops end.
TEST(QtProcessWait, AnEndingSignalStopsTheProgramAndEndsTheWait) {
  vemu::test::ScratchFolder folder;
  auto slow = StartScript(folder, "trap '' TERM\n(sleep 0.6; kill $PPID) &\nsleep 30\n");  // a 2nd signal hastens
  ASSERT_TRUE(slow);
  QWidget other;  // a window the ending closes too: the loops end only when all go
  other.show();
  int taken = 0;
  std::optional<bool> finished;
  vemu::platform::TerminationSignals ending([&](int) {
    ++taken;
    QCoreApplication::quit();
  });
  QTimer::singleShot(0, [&] {
    QTimer::singleShot(300, [] { std::raise(SIGTERM); });
    finished = vemu::platform::QtProcessWait().WaitFor(*slow, "slow");
  });
  QTimer guard;  // fails rather than hangs
  QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(1); });
  guard.start(8000);
  const auto start = std::chrono::steady_clock::now();
  QCoreApplication::exec();
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
  EXPECT_EQ(finished, false);
  EXPECT_EQ(taken, 1);
  EXPECT_TRUE(WIFSIGNALED(slow->WaitStatus()));
}

// A shown run: the program's output and errors in its console window, which
// carries the program's path, stays above the window that started the
// program, shows the last lines kept and closes when the program has ended.
TEST(ConsoleProcessWait, ShowsTheOutputAsItComesAndClosesAtTheEnd) {
  vemu::test::ScratchFolder folder;
  const std::string scripts[] = {"echo one\necho two >&2\nread x || echo no input\nsleep 0.3\nprintf last\n",
                                 "seq 1 25000\n", "head -c 20000000 /dev/zero | tr '\\0' a\n"};  // 20 MB, no end
  const std::vector<std::string> expected[] = {
      {"one", "two", "no input", "last"}, {"15001", "25000"}, {std::string(16384, 'a'), std::string(11520, 'a')}};
  QWidget starter;
  starter.show();
  for (int run = 0; run < 3; ++run) {
    folder.write("script", scripts[run]);
    std::string error;
    auto p = ChildProcess::Start(*PlanLaunch(folder.file("script"), {}, error), folder.path(), error,
                                 vemu::platform::ChildOutput::Captured);
    ASSERT_TRUE(p) << error;
    std::vector<std::string> shown;  // the visible console's lines, or its view's first and last
    std::deque<std::string> kept;
    vemu::platform::setConsoleClosedHook([&](const std::string&, const std::deque<std::string>& lines) {
      for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() != "ConsoleWindow") continue;
        EXPECT_EQ(w->windowHandle()->transientParent(), starter.windowHandle());
        EXPECT_EQ(vemu::platform::toUtf8(w->windowTitle()), folder.file("script"));
        const QStringList view = w->findChild<QPlainTextEdit*>()->toPlainText().split(QLatin1Char('\n'));
        EXPECT_EQ(static_cast<std::size_t>(view.size()), lines.size());
        for (const QString& line : run == 0 ? view : QStringList{view.front(), view.back()})
          shown.push_back(vemu::platform::toUtf8(line));
      }
      kept = lines;
    });
    vemu::platform::QtProcessWait modal;
    EXPECT_TRUE(vemu::platform::ConsoleProcessWait(modal, &starter).WaitFor(*p, folder.file("script")));
    vemu::platform::setConsoleClosedHook({});
    EXPECT_EQ(shown, expected[run]);
    EXPECT_EQ(kept.size(), run == 0 ? 4u : run == 1 ? vemu::platform::kConsoleLineLimit : 1024u);  // byte bound
    for (QWidget* w : QApplication::topLevelWidgets()) EXPECT_NE(w->objectName(), "ConsoleWindow");
    EXPECT_EQ(p->OutputDescriptor(), -1);
  }
}

}  // namespace
