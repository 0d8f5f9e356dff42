#!/usr/bin/env bash
# Installs the dependencies, builds both programs and starts vemu3 on the
# example gallery (one element of every type). A circuit file given as the
# argument is opened instead (a relative path is taken from the folder the
# script was started in).
set -euo pipefail
install=1
if [ "${1:-}" = "--no-install" ]; then install=0; shift; fi
file="${1:-}"
if [ -n "$file" ]; then
  [ -f "$file" ] || { echo "No such circuit file: $file" >&2; exit 2; }
  file="$(cd "$(dirname "$file")" && pwd)/$(basename "$file")"
fi
cd "$(dirname "$0")/.."
if [ "$install" = 1 ]; then bash tools/install-deps.sh; fi
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)" --target vemu3 vemu
[ -n "$file" ] || file="$PWD/build/bin/FILES/gallery.dag"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  shot="${TMPDIR:-/tmp}/vemu3-after-start.png"
  cat >&2 <<EOT
No display: vemu3 starts under a virtual X server (Xvfb), where nobody can see or reach
its window. A screenshot of the window after start-up goes to $shot.
To stop it, press Ctrl+C here: it ends at once, without the question about unsaved work.
EOT
  # A virtual X server of its own, so that Ctrl+C reaches the editor before
  # its display goes away.
  display=99
  while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
  setsid Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  xserver=$!
  export DISPLAY=":$display"
  for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done
  build/bin/vemu3 ${file:+"$file"} &
  editor=$!
  # A job started in the background ignores Ctrl+C: it is passed on as
  # SIGTERM, which ends the editor as Exit does, without the question.
  trap 'kill -TERM "$editor" 2>/dev/null' INT TERM
  sleep 3
  if ! command -v import >/dev/null; then
    echo "No screenshot: ImageMagick's import is not installed." >&2
  elif import -window root "$shot"; then
    echo "Screenshot of the window after start-up: $shot" >&2
  fi
  status=0
  while kill -0 "$editor" 2>/dev/null; do wait "$editor" || status=$?; done
  kill "$xserver" 2>/dev/null || true
  exit "$status"
fi
exec build/bin/vemu3 ${file:+"$file"}
