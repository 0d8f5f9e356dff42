// Code page 1251 text conversion of characters the other side cannot hold:
// 1 MB of byte 0x98 (no character of the code page) to UTF-8, and 1 MB of
// UTF-8 text of characters the code page lacks (U+FFFD, as the first
// conversion gives them, and CJK) to code page 1251. The goal: linear, far
// below a second per megabyte either way.
#include <benchmark/benchmark.h>

#include <string>

#include "platform/text_codec.h"

namespace {

constexpr std::size_t kMegabyte = 1 << 20;

void BM_Cp1251ToUtf8Unmappable(benchmark::State& state) {
  const std::string bytes(kMegabyte, '\x98');
  for (auto _ : state) benchmark::DoNotOptimize(vemu::platform::cp1251ToUtf8(bytes));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
  state.SetLabel("1 MB of 0x98");
}
BENCHMARK(BM_Cp1251ToUtf8Unmappable)->Unit(benchmark::kMillisecond);

void BM_Utf8ToCp1251Unmappable(benchmark::State& state) {
  std::string text;
  while (text.size() < kMegabyte) text += text.size() % 2 ? "\xEF\xBF\xBD" : "\xE4\xB8\x80";
  for (auto _ : state) benchmark::DoNotOptimize(vemu::platform::utf8ToCp1251(text));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
  state.SetLabel("1 MB of U+FFFD and U+4E00");
}
BENCHMARK(BM_Utf8ToCp1251Unmappable)->Unit(benchmark::kMillisecond);

}  // namespace
