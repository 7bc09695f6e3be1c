#!/usr/bin/env bash
# End to end, inside xvfb-run: Korvane started from a terminal with no disk says nothing on
# the terminal, shows why its tree is empty (screenshot), and writes warnings (an image of
# its settings that is gone) into its log without escape codes. With --verbose the log's
# lines also appear on standard error.
# usage: e2e_quiet.sh KORVANE ARTIFACT_DIR
set -euo pipefail
korvane=$1 artifacts=$2
bindir=$(cd "$(dirname "$korvane")" && pwd)
work=$(mktemp -d)
pid=
cleanup() {
  if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

# A program folder of its own: its Config.ini and Log are the test's.
mkdir -p "$work/bin"
cp "$korvane" "$work/bin/korvane"
for folder in skin language copyright license; do
  [ -e "$bindir/$folder" ] && ln -s "$bindir/$folder" "$work/bin/$folder"
done
printf '[Disk]\nImages=%s\n' "$work/gone.img" >"$work/bin/Config.ini"
log="$work/bin/Log/Client_$(date +%Y%m%d).log"

run() { # run NAME ARGS...: starts korvane, waits for its tree to be loaded
  local name=$1; shift
  "$work/bin/korvane" "$@" >"$work/$name.out" 2>"$work/$name.err" &
  pid=$!
  for _ in $(seq 600); do
    grep -q "loadDataFromDisk after" "$log" 2>/dev/null && return 0
    kill -0 "$pid" 2>/dev/null || { echo "korvane ended early:"; cat "$work/$name.err"; pid=; exit 1; }
    sleep 0.1
  done
  echo "the tree was never loaded"; exit 1
}
stop() { kill "$pid"; wait "$pid" 2>/dev/null || true; pid=; }

run quiet --no-devices
sleep 1.5 # the fade-in
mkdir -p "$artifacts"
ffmpeg -loglevel error -y -f x11grab -video_size 1280x800 -i "$DISPLAY" -frames:v 1 "$artifacts/korvane-no-disk-start.png"
sleep 0.5
stop
if [ -s "$work/quiet.out" ] || [ -s "$work/quiet.err" ]; then
  echo "the terminal got output without --verbose:"; cat "$work/quiet.out" "$work/quiet.err"; exit 1
fi
grep -q "Disk image skipped: $work/gone.img" "$log" || { echo "the skipped image's warning is not in the log"; exit 1; }
grep -q "Version V" "$log" || { echo "start-up line missing from the log"; exit 1; }
if grep -q $'\x1b' "$log"; then echo "escape codes in the log"; exit 1; fi

rm -f "$log"
run verbose --no-devices --verbose
stop
grep -q "} : Version V" "$work/verbose.err" || { echo "--verbose shows no log lines:"; head "$work/verbose.err"; exit 1; }
echo "screenshot: $artifacts/korvane-no-disk-start.png"
