// Golden files of the unit tests: the expected text of a drawing or listing
// kept in a file under tests/. With VEMU_UPDATE_GOLDEN=1 in the environment
// the files are written from the actual texts instead (look at the diff
// before committing it).
#pragma once

#include <gtest/gtest.h>

#include <string>

namespace vemu::testing {

// The file's whole content (empty when it cannot be read).
std::string ReadGoldenFile(const std::string& path);
bool UpdatingGolden();
// Compares `actual` with the file at `path` (a path below the source tree),
// or rewrites the file when golden files are being updated.
void ExpectGoldenFile(const std::string& path, const std::string& actual, const std::string& what = {});

}  // namespace vemu::testing
