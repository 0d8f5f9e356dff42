// result-number TEXT DIGITS
// results IN.dag DIR [--set CONTROL=VALUE]... [--write OUT.dag]
// run IN.dag DIR [--second] [--set CONTROL=VALUE]... [--answer A]... [--cancel-run [SECONDS]] [--write OUT.dag]
// The result loader and the analysis run through the program's windows,
// with DIR as the program folder.
#include <QToolButton>
#include <clocale>
#include <cstdio>
#include <deque>
#include <filesystem>

#include "catalogue/settings.h"
#include "netlist/result_number.h"
#include "netlist/windows/text_window.h"
#include "platform/process_wait.h"
#include "platform/qt/qt_console_window.h"
#include "platform/text_codec.h"
#include "testdrive/commands.h"
#include "testdrive/driver_support.h"
#include "ui/tform1.h"

namespace {

namespace platform = vemu::platform;

std::string LocaleDecimalSeparator() {
  const char* point = std::localeconv()->decimal_point;
  return point && *point ? platform::utf8ToCp1251(point) : std::string(".");
}

std::string Absolute(const std::string& path) {
  std::error_code ec;
  const auto absolute = std::filesystem::absolute(path, ec);
  return ec ? path : absolute.string();
}

// Takes the flag out of the arguments; true when it was there.
bool TakeFlag(Args& args, const std::string& flag) {
  bool found = false;
  for (auto it = args.begin(); it != args.end();) {
    if (*it == flag) {
      found = true;
      it = args.erase(it);
    } else {
      ++it;
    }
  }
  return found;
}

// Takes "--cancel-run [SECONDS]" out of the arguments: nothing without it,
// else the seconds (0 when no number follows).
std::optional<double> TakeCancelRun(Args& args) {
  std::optional<double> seconds;
  for (auto it = args.begin(); it != args.end();) {
    if (*it != "--cancel-run") {
      ++it;
      continue;
    }
    it = args.erase(it);
    seconds = 0;
    if (it != args.end())
      if (const auto given = testdrive::ParseSeconds(*it)) {
        seconds = given;
        it = args.erase(it);
      }
  }
  return seconds;
}

// Reads IN.dag and DIR; the folder becomes the program folder.
bool ParseFolderCommand(const char* name, Args args, const std::vector<std::string>& allowed,
                        testdrive::CircuitOptions& options, std::optional<double>* cancelRun) {
  if (cancelRun) {
    *cancelRun = TakeCancelRun(args);
    options.second = TakeFlag(args, "--second");
  }
  std::string error;
  if (!testdrive::ParseCircuitOptions(args, options, error, allowed) || options.positional.size() != 2) {
    std::fprintf(stderr, "%s: %s\n", name, error.empty() ? "expected IN.dag DIR [options]" : error.c_str());
    return false;
  }
  options.positional[0] = Absolute(options.positional[0]);
  options.folder = Absolute(options.positional[1]);
  if (!options.writePath.empty()) options.writePath = Absolute(options.writePath);
  return true;
}

// Opens the circuit on the folder, applies the settings and runs `work`;
// prints the memo, panel 2 of the status bar and the circuit (--write).
int RunOnCircuit(const char* name, const testdrive::CircuitOptions& options,
                 const std::function<void(TForm1&)>& work) {
  return testdrive::RunWithAnswers(options.answers, [&]() -> int {
    std::string error;
    auto session = testdrive::DriverSession::Open(options, error);
    if (!session || !session->ApplySettings(options.settings, error)) {
      std::fprintf(stderr, "%s: %s\n", name, error.c_str());
      return 2;
    }
    TForm1& form = session->form1();
    form.SetStatusText(2, "");
    work(form);
    testdrive::PrintLines(session->form6().MemoLines(), stdout);
    std::fprintf(stderr, "status %s\n", form.StatusText(2).c_str());
    if (!options.writePath.empty() && !session->WriteCircuit(options.writePath, error)) {
      std::fprintf(stderr, "%s: %s\n", name, error.c_str());
      return 1;
    }
    return 0;
  });
}

}  // namespace

int ResultNumberCommand(const Args& args) {
  if (args.size() != 2) {
    std::fprintf(stderr, "result-number: expected TEXT DIGITS\n");
    return 2;
  }
  std::setlocale(LC_ALL, "");
  const std::string text = platform::utf8ToCp1251(args[0]);
  const auto value = vemu::netlist::ParseResultNumber(text);
  if (!value) {
    std::printf("none\n");
    return 0;
  }
  const std::string shown = vemu::netlist::FormatResultNumber(*value, args[1], LocaleDecimalSeparator());
  std::printf("%.17Lg %s\n", *value, platform::cp1251ToUtf8(shown).c_str());
  return 0;
}

int ResultsCommand(const Args& args) {
  testdrive::CircuitOptions options;
  if (!ParseFolderCommand("results", args, {"set", "write", "second"}, options, nullptr)) return 2;
  return RunOnCircuit("results", options, [](TForm1& form) { form.SpeedButton1Click(); });
}

int RunCommand(const Args& args) {
  testdrive::CircuitOptions options;
  std::optional<double> cancelRun;
  if (!ParseFolderCommand("run", args, {"set", "answer", "write"}, options, &cancelRun)) return 2;
  // Cancel is pressed in the editor's own wait window.
  testdrive::DriverWait wait(cancelRun.has_value(), cancelRun);
  platform::ScopedProcessWait useWait(wait);
  // The second build's programs run in console windows: their lines go to stderr.
  platform::setConsoleClosedHook([](const std::string& program, const std::deque<std::string>& lines) {
    for (const std::string& line : lines) std::fprintf(stderr, "console [%s] %s\n", program.c_str(), line.c_str());
  });
  return RunOnCircuit("run", options, [](TForm1& form) {
    // "Create text file" runs at once when one press is to do both; else
    // Run is pressed, as a user can only when it is enabled.
    form.FromCtoMButtonClick();
    if (form.App().Settings->CheckTreeActionByOnePress) return;
    if (form.RunButton->isEnabled()) form.RunButtonClick();
    else std::fprintf(stderr, "disabled RunButton\n");
  });
}
