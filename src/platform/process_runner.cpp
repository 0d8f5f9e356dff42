#include "platform/process_runner.h"

#include <dirent.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <thread>

extern char** environ;

namespace vemu::platform {
namespace {

// How long a group that was sent SIGKILL is given to go before the stop
// ends all the same (a process stuck in the kernel takes no signal).
constexpr std::chrono::seconds kKillBound{1};
constexpr std::chrono::milliseconds kStopPoll{10};

std::atomic<bool> stopsHastened{false};
static_assert(std::atomic<bool>::is_always_lock_free, "the request is set in a signal handler");

// Programs given up a second after their KILL (stuck in the kernel): reaped
// once they have ended, at a later start, poll or stop, never waited for.
std::mutex givenUpMutex;
std::vector<pid_t> givenUp;

void ReapGivenUp() {
  const std::lock_guard<std::mutex> lock(givenUpMutex);
  std::erase_if(givenUp, [](pid_t pid) {
    int status = 0;
    const pid_t r = ::waitpid(pid, &status, WNOHANG);
    return r == pid || (r < 0 && errno == ECHILD);
  });
}

// The state and process group of process `pid` from /proc/PID/stat;
// false when it is gone or cannot be read.
bool ReadStateAndGroup(const char* pid, char& state, long& group) {
  char path[64];
  std::snprintf(path, sizeof path, "/proc/%s/stat", pid);
  const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  // "PID (NAME) STATE PPID PGRP ...": the name is at most 16 bytes but may
  // hold blanks and parentheses, so the fields are read after the last ')'.
  char text[512];
  const ssize_t n = ::read(fd, text, sizeof text - 1);
  ::close(fd);
  if (n <= 0) return false;
  text[n] = '\0';
  const char* close = std::strrchr(text, ')');
  long parent = 0;
  return close && std::sscanf(close + 1, " %c %ld %ld", &state, &parent, &group) == 3;
}

bool IsExecutableFile(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

// posix_spawn's attributes and file actions for one start, released in any case.
class SpawnSetup {
 public:
  SpawnSetup() {
    ::posix_spawnattr_init(&attr_);
    ::posix_spawn_file_actions_init(&actions_);
  }
  ~SpawnSetup() {
    ::posix_spawn_file_actions_destroy(&actions_);
    ::posix_spawnattr_destroy(&attr_);
  }
  SpawnSetup(const SpawnSetup&) = delete;
  SpawnSetup& operator=(const SpawnSetup&) = delete;

  int Prepare(const std::string& workingFolder) {
    // A group of its own; default signal handling and an empty signal mask,
    // whatever the editor has set for itself.
    sigset_t none;
    sigset_t defaults;
    sigemptyset(&none);
    sigemptyset(&defaults);
    for (int s : {SIGPIPE, SIGINT, SIGQUIT, SIGTERM, SIGHUP, SIGCHLD, SIGXFSZ}) sigaddset(&defaults, s);
    int rc = ::posix_spawnattr_setflags(
        &attr_, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    if (rc == 0) rc = ::posix_spawnattr_setpgroup(&attr_, 0);
    if (rc == 0) rc = ::posix_spawnattr_setsigmask(&attr_, &none);
    if (rc == 0) rc = ::posix_spawnattr_setsigdefault(&attr_, &defaults);
    if (rc == 0 && !workingFolder.empty())
      rc = ::posix_spawn_file_actions_addchdir_np(&actions_, workingFolder.c_str());
    return rc;
  }

  // Standard input, output and error all /dev/null.
  int Discard() {
    int rc = ::posix_spawn_file_actions_addopen(&actions_, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    for (int fd : {STDOUT_FILENO, STDERR_FILENO})
      if (rc == 0) rc = ::posix_spawn_file_actions_addopen(&actions_, fd, "/dev/null", O_WRONLY, 0);
    return rc;
  }

  // Standard output and error into `writeEnd`, standard input from /dev/null.
  int Capture(int writeEnd) {
    int rc = ::posix_spawn_file_actions_adddup2(&actions_, writeEnd, STDOUT_FILENO);
    if (rc == 0) rc = ::posix_spawn_file_actions_adddup2(&actions_, writeEnd, STDERR_FILENO);
    if (rc == 0) rc = ::posix_spawn_file_actions_addopen(&actions_, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    return rc;
  }

  int Spawn(const std::string& program, const std::vector<std::string>& arguments, pid_t* pid) {
    std::vector<std::string> argv0{program};
    argv0.insert(argv0.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (auto& a : argv0) argv.push_back(a.data());
    argv.push_back(nullptr);
    return ::posix_spawn(pid, program.c_str(), &actions_, &attr_, argv.data(), environ);
  }

 private:
  posix_spawnattr_t attr_;
  posix_spawn_file_actions_t actions_;
};

}  // namespace

void SetStopsHastened(bool hastened) { stopsHastened.store(hastened); }
bool StopsHastened() { return stopsHastened.load(); }

std::optional<LaunchPlan> PlanLaunch(const std::string& file, const std::vector<std::string>& arguments,
                                     std::string& error) {
  struct stat st {};
  if (::stat(file.c_str(), &st) != 0) {
    error = std::strerror(errno);
    return std::nullopt;
  }
  if (!S_ISREG(st.st_mode)) {
    error = "not a file";
    return std::nullopt;
  }
  if (IsExecutableFile(file)) return LaunchPlan{file, arguments};
  LaunchPlan plan{"/bin/sh", {}};
  // A name that starts with '-' would be read as an option of the shell.
  plan.arguments.push_back(!file.empty() && file[0] == '-' ? "./" + file : file);
  plan.arguments.insert(plan.arguments.end(), arguments.begin(), arguments.end());
  return plan;
}

std::optional<ChildProcess> ChildProcess::Start(const LaunchPlan& plan, const std::string& workingFolder,
                                                std::string& error, ChildOutput output) {
  ReapGivenUp();
  SpawnSetup setup;
  int rc = setup.Prepare(workingFolder);
  // Both ends close on exec; the program gets the write end as its output.
  int pipe[2] = {-1, -1};
  if (rc == 0 && output == ChildOutput::Captured) {
    rc = ::pipe2(pipe, O_CLOEXEC) == 0 ? setup.Capture(pipe[1]) : errno;
  }
  if (rc == 0 && output == ChildOutput::Discarded) rc = setup.Discard();
  pid_t pid = -1;
  if (rc == 0) rc = setup.Spawn(plan.program, plan.arguments, &pid);
  if (rc == ENOEXEC) {
    // An executable text without a "#!" line: the shell reads it, as a
    // shell would do with such a file.
    LaunchPlan viaShell{"/bin/sh", {plan.program}};
    viaShell.arguments.insert(viaShell.arguments.end(), plan.arguments.begin(), plan.arguments.end());
    rc = setup.Spawn(viaShell.program, viaShell.arguments, &pid);
  }
  if (pipe[1] >= 0) ::close(pipe[1]);
  if (rc != 0) {
    if (pipe[0] >= 0) ::close(pipe[0]);
    error = std::strerror(rc);
    return std::nullopt;
  }
  if (pipe[0] >= 0) ::fcntl(pipe[0], F_SETFL, ::fcntl(pipe[0], F_GETFL) | O_NONBLOCK);
  return ChildProcess(pid, pipe[0]);
}

ChildProcess::ChildProcess(ChildProcess&& other) noexcept
    : pid_(other.pid_),
      output_(other.output_),
      ended_(other.ended_),
      status_(other.status_),
      stopping_(other.stopping_),
      killed_(other.killed_),
      killAt_(other.killAt_),
      giveUpAt_(other.giveUpAt_) {
  other.pid_ = -1;
  other.output_ = -1;
  other.ended_ = true;
  other.stopping_ = false;
}

ChildProcess::~ChildProcess() {
  // Killed at once, with the rest of its group; not waited for without a bound.
  if (pid_ > 0 && !ended_) Stop(std::chrono::milliseconds(0));
  CloseOutput();
}

void ChildProcess::CloseOutput() {
  if (output_ >= 0) ::close(output_);
  output_ = -1;
}

bool ChildProcess::ReadOutput(std::string& out) {
  // A program that writes without pause still leaves the caller its turn.
  constexpr std::size_t kMostPerCall = std::size_t{1} << 20;
  char buffer[16384];
  std::size_t taken = 0;
  while (output_ >= 0) {
    if (taken >= kMostPerCall) return true;
    const ssize_t n = ::read(output_, buffer, sizeof buffer);
    if (n > 0) {
      out.append(buffer, static_cast<std::size_t>(n));
      taken += static_cast<std::size_t>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return true;
    CloseOutput();  // end of the output, or a read error
  }
  return false;
}

bool ChildProcess::HasEnded() {
  ReapGivenUp();
  if (stopping_) return StopStep();
  if (ended_ || pid_ <= 0) return true;
  int status = 0;
  const pid_t r = ::waitpid(pid_, &status, WNOHANG);
  if (r == pid_ || (r < 0 && errno != EINTR)) {
    ended_ = true;
    status_ = r == pid_ ? status : 0;
  }
  return ended_;
}

void ChildProcess::WaitForEnd() {
  while (stopping_ && !StopStep()) std::this_thread::sleep_for(kStopPoll);
  while (!ended_ && pid_ > 0) {
    int status = 0;
    const pid_t r = ::waitpid(pid_, &status, 0);
    if (r == pid_ || (r < 0 && errno != EINTR)) {
      ended_ = true;
      status_ = r == pid_ ? status : 0;
    }
  }
}

std::optional<bool> ProcessGroupRunning(pid_t group) {
  DIR* proc = ::opendir("/proc");
  if (!proc) return std::nullopt;
  bool running = false;
  while (!running) {
    const dirent* entry = ::readdir(proc);
    if (!entry) break;
    char* end = nullptr;
    if (std::strtol(entry->d_name, &end, 10) <= 0 || *end != '\0') continue;
    char state = 0;
    long memberOf = 0;
    running = ReadStateAndGroup(entry->d_name, state, memberOf) && memberOf == group && state != 'Z' &&
              state != 'X';
  }
  ::closedir(proc);
  return running;
}

void ChildProcess::Signal(int signal) {
  if (pid_ <= 0 || ended_) return;
  // The whole group: a batch file's shell and the programs it started.
  if (::kill(-pid_, signal) != 0) ::kill(pid_, signal);
}

void ChildProcess::BeginStop(std::chrono::milliseconds grace) {
  if (stopping_ || ended_ || pid_ <= 0) return;
  Signal(SIGTERM);
  stopping_ = true;
  killed_ = false;
  killAt_ = std::chrono::steady_clock::now() + grace;
}

bool ChildProcess::StopStep() {
  const bool exited = LeaderExited();
  // Without /proc a group whose leader has ended counts as running until the KILL.
  if (exited && !ProcessGroupRunning(pid_).value_or(!killed_)) {
    stopping_ = false;
    WaitForEnd();
    return true;
  }
  const auto now = std::chrono::steady_clock::now();
  if (!killed_ && (now >= killAt_ || StopsHastened())) {
    // The leader is not reaped yet, so the group's number still stands for
    // this group: whatever of it is left is forced to end, leader or not.
    ::kill(-pid_, SIGKILL);
    killed_ = true;
    giveUpAt_ = now + kKillBound;
  } else if (killed_ && now >= giveUpAt_) {
    stopping_ = false;
    if (exited) {
      WaitForEnd();
      return true;
    }
    // Stuck: not waited for any longer, reaped later once it has ended. It
    // did not end normally; it counts as ended by the KILL.
    ended_ = true;
    status_ = SIGKILL;
    const std::lock_guard<std::mutex> lock(givenUpMutex);
    givenUp.push_back(pid_);
    return true;
  }
  return false;
}

void ChildProcess::Stop(std::chrono::milliseconds grace) {
  BeginStop(grace);
  while (stopping_ && !StopStep()) std::this_thread::sleep_for(kStopPoll);
}

bool ChildProcess::LeaderExited() {
  if (ended_ || pid_ <= 0) return true;
  siginfo_t info{};
  if (::waitid(P_PID, static_cast<id_t>(pid_), &info, WEXITED | WNOHANG | WNOWAIT) != 0)
    return errno != EINTR;
  return info.si_pid == pid_;
}

}  // namespace vemu::platform
