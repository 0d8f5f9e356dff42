#!/usr/bin/env bash
# DRIVER DATA: files too large to read (sparse: no disk), saves past ulimit -f
# a load out of memory and a save onto a FIFO, through the driver: each ends
# with its error and a status below 128, and a file, node or circuit that was
# there is kept.
set -u
driver=$1 data=$2 work=$(mktemp -d) failures=0
trap 'rm -rf "$work"' EXIT
check() {  # WHAT STATUS WANTED-STATUS WANTED-LINE [CONDITION]
  if [ "$2" != "$3" ] || ! grep -qxF -- "$4" "$work/err" || ! eval "${5:-true}"; then
    echo "$1: status $2 (wanted $3), stderr:" >&2 && cat "$work/err" >&2 && failures=$((failures + 1))
  fi
}
truncate -s 30G "$work/huge.dag"
"$driver" roundtrip "$work/huge.dag" "$work/new.dag" 2>"$work/err"
check "30 GB circuit" $? 1 "roundtrip: Cannot open file $work/huge.dag: too large: 32212254720 bytes, more than 1 GiB" \
  '[ ! -e "$work/new.dag" ]'
mkdir "$work/run" && truncate -s 30G "$work/run/out" && printf 'U1= 1.0e+00\r\n' >"$work/run/clc"
"$driver" results "$data/FILES/divider.dag" "$work/run" 2>"$work/err" >/dev/null
check "30 GB out" $? 0 "box [Vemu] Cannot read $work/run/out: too large: 32212254720 bytes, more than 1 GiB"
printf 'old' >"$work/kept.dag" && : >"$work/script"
(ulimit -f 1 && exec "$driver" roundtrip "$data/FILES/gallery.dag" "$work/kept.dag") 2>"$work/err"
check "roundtrip past ulimit -f" $? 1 "roundtrip: Cannot write file $work/kept.dag: File too large"
(ulimit -f 1 && exec "$driver" edit "$data/FILES/gallery.dag" "$work/script" "$work/kept.dag") 2>"$work/err"
check "Save past ulimit -f" $? 3 "box [Vemu] Cannot write file $work/kept.dag: File too large" \
  '[ "$(cat "$work/kept.dag")" = old ] && ! ls -A "$work" | grep -q vemu-new'
mkfifo "$work/pipe" && ln -s pipe "$work/to" &&
  timeout 60 "$driver" roundtrip "$data/FILES/divider.dag" "$work/to" 2>"$work/err"
check "onto a link to a FIFO" $? 1 "roundtrip: Cannot replace file $work/to: it is not a regular file (a FIFO)" \
  '[ -p "$work/pipe" ]'
# A sanitizer's reserves pass any memory limit.
if ! ldd "$driver" | grep -q libasan; then
  truncate -s 1G "$work/limit.dag" && printf 'answer OK=%s\nkey F3\n' "$work/limit.dag" >"$work/script"
  (ulimit -v 1000000 && exec "$driver" edit "$data/FILES/divider.dag" "$work/script" "$work/after.dag") 2>"$work/err"
  check "load out of memory" $? 0 "box [Vemu] Not enough memory for this command: it was stopped." \
    'cmp -s "$work/after.dag" "$data/FILES/divider.dag"'
fi
exit $((failures > 0))
