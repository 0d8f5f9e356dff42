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
  shot="${TMPDIR:-/tmp}/vemu3-after-start.png"
  cat >&2 <<EOT
No display: vemu3 starts under a virtual X server (xvfb-run), where nobody can see its window.
A screenshot of the window after start-up goes to $shot.
To stop it: File > Exit in the program (it asks about unsaved work); Ctrl+C here ends it at
once, without that question.
EOT
  export VEMU_SHOT="$shot"
  exec xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
    build/bin/vemu3 "$@" &
    editor=$!
    sleep 3
    if ! command -v import >/dev/null; then
      echo "No screenshot: ImageMagick'"'"'s import is not installed." >&2
    elif import -window root "$VEMU_SHOT"; then
      echo "Screenshot of the window after start-up: $VEMU_SHOT" >&2
    fi
    wait "$editor"' vemu3 ${file:+"$file"}
fi
exec build/bin/vemu3 ${file:+"$file"}
