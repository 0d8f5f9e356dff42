#!/usr/bin/env bash
# Installs the dependencies, builds both programs and starts vemu3 on the
# example gallery (one element of every type). Extra arguments replace the
# example file.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "${1:-}" = "--no-install" ]; then shift; else bash tools/install-deps.sh; fi
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)" --target vemu3 vemu
file="${1:-$PWD/build/bin/FILES/gallery.dag}"
[ -f "$file" ] || file=""
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display: starting vemu3 under a virtual X server (xvfb-run)." >&2
  exec xvfb-run -a build/bin/vemu3 ${file:+"$file"}
fi
exec build/bin/vemu3 ${file:+"$file"}
