// Reading IMAGES/start.txt at every start: a file of 150 MB (the 51 lines,
// then a long last line that nothing reads) costs no more than its first
// 47 lines, and a start.txt of the usual 51 lines.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "catalogue/settings_file.h"

namespace {

std::string WriteStartFile(const std::string& name, std::size_t extraBytes) {
  const std::string path = (std::filesystem::temp_directory_path() / name).string();
  std::ofstream out(path, std::ios::binary);
  for (const std::string& line : vemu::catalogue::StartFileLines(vemu::catalogue::Settings{})) out << line << "\r\n";
  const std::string block(1 << 20, 'x');
  for (std::size_t done = 0; done < extraBytes; done += block.size()) out << block;
  return path;
}

void BM_ReadStartFile(benchmark::State& state) {
  const std::string path =
      WriteStartFile("vemu-bench-start-" + std::to_string(state.range(0)) + ".txt",
                     static_cast<std::size_t>(state.range(0)) << 20);
  for (auto _ : state) {
    vemu::catalogue::Settings settings;
    benchmark::DoNotOptimize(vemu::catalogue::ReadStartFile(settings, path));
  }
  std::filesystem::remove(path);
}
BENCHMARK(BM_ReadStartFile)->Arg(0)->Arg(150)->Unit(benchmark::kMicrosecond);

}  // namespace
