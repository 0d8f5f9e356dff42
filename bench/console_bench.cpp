// A shown run of the second build: a program that writes 100 MB to its
// standard output, taken through the console window (its lines kept and
// shown) while the editor's wait window with Cancel is up, offscreen. With
// lines of 80 characters, with lines of one ("yes") and as one line without
// an end.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/process_runner.h"
#include "platform/qt/qt_console_window.h"
#include "platform/qt/qt_process_wait.h"

namespace {

constexpr const char* kHundredMegabytes = "104857600";

// `source` writes the output to its standard output.
void RunThroughConsole(benchmark::State& state, const std::string& source) {
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "vemu-bench-console";
  std::filesystem::create_directories(folder);
  const std::string script = (folder / "bat1.bat").string();
  std::ofstream(script) << source << " | head -c " << kHundredMegabytes << "\n";
  std::size_t kept = 0;
  vemu::platform::setConsoleClosedHook(
      [&](const std::string&, const std::deque<std::string>& lines) { kept = lines.size(); });
  for (auto _ : state) {
    std::string error;
    auto plan = vemu::platform::PlanLaunch(script, {}, error);
    auto process = vemu::platform::ChildProcess::Start(*plan, folder.string(), error,
                                                       vemu::platform::ChildOutput::Captured);
    if (!process) {
      state.SkipWithError(error.c_str());
      break;
    }
    vemu::platform::QtProcessWait wait;
    vemu::platform::ConsoleProcessWait console(wait, nullptr);
    if (!console.WaitFor(*process, script)) state.SkipWithError("the wait was cancelled");
  }
  vemu::platform::setConsoleClosedHook({});
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * std::atoll(kHundredMegabytes));
  state.SetLabel("100 MB, " + std::to_string(kept) + " lines kept");
  std::error_code ec;
  std::filesystem::remove_all(folder, ec);
}

void BM_ConsoleHundredMegabytes(benchmark::State& state) {
  RunThroughConsole(state, "yes 'analysis output line with the numbers 1.234e+00 5.678e-01 of no element, step 42'");
}
BENCHMARK(BM_ConsoleHundredMegabytes)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

void BM_ConsoleHundredMegabytesOfOneLetterLines(benchmark::State& state) { RunThroughConsole(state, "yes y"); }
BENCHMARK(BM_ConsoleHundredMegabytesOfOneLetterLines)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

void BM_ConsoleHundredMegabytesWithoutLineEnd(benchmark::State& state) {
  RunThroughConsole(state, "tr '\\0' a < /dev/zero");
}
BENCHMARK(BM_ConsoleHundredMegabytesWithoutLineEnd)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

}  // namespace
