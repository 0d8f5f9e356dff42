// The libFuzzer entry of a check on one input: the check's answer is empty
// for a sound result, else the problem, which stops the run with the
// target's name.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace vemu::fuzz {

inline int RunCheck(const char* target, std::string (*check)(std::string_view), const std::uint8_t* data,
                    std::size_t size) {
  const std::string problem = check(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!problem.empty()) {
    std::fprintf(stderr, "%s: %s\n", target, problem.c_str());
    std::abort();
  }
  return 0;
}

}  // namespace vemu::fuzz
