#!/usr/bin/env bash
# Installs the dependencies, builds everything and runs all tests.
#   tools/run-tests.sh             normal build in build/
#   tools/run-tests.sh --sanitize  address and undefined-behaviour sanitizers in build-asan/
#   --no-install                   skip the package installation
set -euo pipefail
cd "$(dirname "$0")/.."
install=1
sanitize=0
for arg in "$@"; do
  case "$arg" in
    --sanitize) sanitize=1 ;;
    --no-install) install=0 ;;
    *) echo "unknown option $arg" >&2; exit 2 ;;
  esac
done
if [ "$install" = 1 ]; then bash tools/install-deps.sh; fi

if [ "$sanitize" = 1 ]; then
  dir=build-asan
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Debug -DVEMU_SANITIZE=ON
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
  export LSAN_OPTIONS="suppressions=$PWD/tools/lsan.supp:print_suppressions=0"
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
else
  dir=build
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build "$dir" -j"$(nproc)"
export QT_QPA_PLATFORM=offscreen
cd "$dir"
ctest --output-on-failure -j"$(nproc)"
