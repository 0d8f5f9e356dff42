#!/usr/bin/env bash
# Files too large to read and writes past the file size limit, through the
# driver: DRIVER DATA. Each ends with its error and a status below 128 (no
# abort, no signal); a file that was there is kept. The large files are
# sparse and take no disk.
set -u
driver=$1
data=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
check() {  # WHAT STATUS WANTED-STATUS WANTED-LINE
  if [ "$2" != "$3" ] || ! grep -qxF -- "$4" "$work/err"; then
    echo "$1: status $2 (wanted $3), stderr:" >&2
    cat "$work/err" >&2
    failures=$((failures + 1))
  fi
}

truncate -s 30G "$work/huge.dag"
"$driver" roundtrip "$work/huge.dag" "$work/new.dag" 2>"$work/err"
check "a 30 GB circuit" $? 1 "roundtrip: Cannot open file $work/huge.dag: too large: 32212254720 bytes, more than 1 GiB"
[ -e "$work/new.dag" ] && { echo "a 30 GB circuit: something was written" >&2; failures=$((failures + 1)); }

mkdir "$work/run"
truncate -s 30G "$work/run/out"
printf 'U1= 1.0e+00\r\n' >"$work/run/clc"
"$driver" results "$data/FILES/divider.dag" "$work/run" 2>"$work/err" >/dev/null
check "a 30 GB \"out\"" $? 0 "box [Vemu] Cannot read $work/run/out: too large: 32212254720 bytes, more than 1 GiB"

printf 'old' >"$work/kept.dag"
(ulimit -f 1 && exec "$driver" roundtrip "$data/FILES/gallery.dag" "$work/kept.dag") 2>"$work/err"
check "a save past ulimit -f" $? 1 "roundtrip: Cannot write file $work/kept.dag: File too large"
: >"$work/script"
(ulimit -f 1 && exec "$driver" edit "$data/FILES/gallery.dag" "$work/script" "$work/kept.dag") 2>"$work/err"
check "Save past ulimit -f" $? 3 "box [Vemu] Cannot write file $work/kept.dag: File too large"
[ "$(cat "$work/kept.dag")" = old ] || { echo "the old file was not kept" >&2; failures=$((failures + 1)); }
ls -A "$work" | grep -q vemu-new && { echo "a temporary file was left" >&2; failures=$((failures + 1)); }
# A load that runs out of memory (a file of the limit's size under a lower
# memory limit; not with a sanitizer, whose reserves pass any such limit):
# the command's message, the circuit as it was, the script goes on.
if ! ldd "$driver" | grep -q libasan; then
  truncate -s 1G "$work/limit.dag"
  printf 'answer OK=%s\nkey F3\n' "$work/limit.dag" >"$work/script"
  (ulimit -v 1000000 && exec "$driver" edit "$data/FILES/divider.dag" "$work/script" "$work/after.dag") 2>"$work/err"
  check "a load out of memory" $? 0 "box [Vemu] Not enough memory for this command: it was stopped."
  cmp -s "$work/after.dag" "$data/FILES/divider.dag" || { echo "the circuit was not kept" >&2; failures=$((failures + 1)); }
fi
exit $((failures > 0))
