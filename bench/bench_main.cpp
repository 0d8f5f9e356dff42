// The benchmarks' entry: one application object for every benchmark that
// makes windows, offscreen unless the environment names a platform.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  // Some benchmarks keep a main window in a function static, which would be
  // destroyed only after the application object: end before any of them is.
  std::fflush(nullptr);
  std::_Exit(0);
}
