#!/usr/bin/env bash
# Runs the X11 cases of the unit tests (X11*) on a virtual X server of their
# own, with Qt's xcb platform: XVFB TESTS.
set -u
xvfb=$1
tests=$2
displayfile=$(mktemp)
"$xvfb" -displayfd 3 -nolisten tcp -screen 0 1024x768x24 3>"$displayfile" 2>/dev/null &
server=$!
for _ in $(seq 100); do
  [ -s "$displayfile" ] && break
  sleep 0.1
done
display=$(head -n1 "$displayfile")
rm -f "$displayfile"
if [ -z "$display" ]; then
  kill "$server" 2>/dev/null
  echo "the virtual X server did not start" >&2
  exit 1
fi
DISPLAY=":$display" QT_QPA_PLATFORM=xcb "$tests" --gtest_filter='X11*'
status=$?
kill "$server" 2>/dev/null
wait "$server" 2>/dev/null
exit $status
