// Starting an external program and following it until it ends. A program
// is always started from its path with a list of arguments, never through
// a command line that a shell would read, so no file name can become a
// command. Each program runs in a process group of its own, so stopping it
// stops whatever it started in turn.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace vemu::platform {

// What is executed: the program file and its arguments (without argv[0]).
struct LaunchPlan {
  std::string program;
  std::vector<std::string> arguments;
};

// The plan for a file of the program folder: a file with the execute bit
// runs itself; any other file (a batch file) is read by /bin/sh. Nothing,
// with the reason in `error`, when there is no such file.
std::optional<LaunchPlan> PlanLaunch(const std::string& file, const std::vector<std::string>& arguments,
                                     std::string& error);

// Where a started program's standard output and error go.
enum class ChildOutput {
  Inherited,  // the editor's own
  Captured,   // one pipe for both, read through ReadOutput; input from /dev/null
  Discarded,  // /dev/null, and input from /dev/null: a program started hidden
};

class ChildProcess {
 public:
  // Starts the plan with `workingFolder` as its current folder (the
  // caller's own when empty). Nothing, with the reason in `error`, when the
  // program cannot be started.
  static std::optional<ChildProcess> Start(const LaunchPlan& plan, const std::string& workingFolder,
                                           std::string& error, ChildOutput output = ChildOutput::Inherited);

  ChildProcess(ChildProcess&& other) noexcept;
  ChildProcess& operator=(ChildProcess&& other) = delete;
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;
  // A process still running is killed and reaped, so none is left behind.
  ~ChildProcess();

  // True once the program has ended (it is then reaped); never blocks.
  // During a stop, true once the stop is over (each call takes its next step).
  bool HasEnded();
  // Blocks until the program has ended (or a stop under way is over).
  void WaitForEnd();

  // Stopping, as Cancel does, in steps that never block: BeginStop asks the
  // program's whole process group to end (SIGTERM); HasEnded then sends
  // SIGKILL to whatever is left of the group once `grace` has passed,
  // whether the program itself has ended or not. The stop is over when no
  // member of the group runs any longer (the program is then reaped), or a
  // second after the KILL whatever is left. The program is not reaped
  // before, so the group's number cannot pass to another group meanwhile.
  // A program still there then (stuck in the kernel) counts as ended by the
  // KILL (never as a success) and is reaped once it has ended, at a later
  // start or poll of any program, without being waited for. While stops are
  // hastened (SetStopsHastened) the KILL follows the SIGTERM at once.
  // Nothing happens when the program has ended already or a stop is under way.
  void BeginStop(std::chrono::milliseconds grace);
  // BeginStop, then waits until the stop is over: at most `grace` and a second.
  void Stop(std::chrono::milliseconds grace);

  // The wait status of the ended program (as waitpid gives it).
  int WaitStatus() const { return status_; }
  pid_t Pid() const { return pid_; }

  // Captured output: the descriptor to watch for it (-1 when none or once
  // it is closed), and the bytes that have come so far, appended to `out`
  // without blocking. False once everything is read (the program and all
  // it started closed their output) or when nothing is captured. At most
  // about a megabyte is taken per call.
  int OutputDescriptor() const { return output_; }
  bool ReadOutput(std::string& out);

 private:
  ChildProcess(pid_t pid, int output) : pid_(pid), output_(output) {}
  void CloseOutput();
  void Signal(int signal);
  // True once the program has exited, without reaping it.
  bool LeaderExited();
  // One step of the stop under way; true once it is over.
  bool StopStep();

  pid_t pid_ = -1;
  int output_ = -1;  // read end of the captured output, owned
  bool ended_ = false;
  int status_ = 0;
  bool stopping_ = false;
  bool killed_ = false;
  std::chrono::steady_clock::time_point killAt_;    // the end of the grace
  std::chrono::steady_clock::time_point giveUpAt_;  // a second after the KILL
};

// Set by a further ending signal while the editor is ending (safe in a
// signal handler: a lock-free store) and cleared when their handling is put
// away: every stop, under way or to come, sends its KILL without waiting
// for the rest of its grace.
void SetStopsHastened(bool hastened);
bool StopsHastened();

// True while a process of the process group `group` runs (one that has
// ended and is not yet reaped does not count); nothing when the system
// cannot tell (no /proc).
std::optional<bool> ProcessGroupRunning(pid_t group);

}  // namespace vemu::platform
