#!/usr/bin/env bash
# End to end, inside xvfb-run: Korvane starts on a simulator disk, loads its tree
# (the log line "loadDataFromDisk after"), keeps running, and leaves a screenshot.
# usage: e2e_start.sh KORVANE WFS_MKDISK SCENARIO.json ARTIFACT_DIR
set -euo pipefail
korvane=$1 mkdisk=$2 scenario=$3 artifacts=$4
work=$(mktemp -d)
pid=
cleanup() {
  if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

for tool in "$korvane" "$mkdisk"; do
  [ -x "$tool" ] || { echo "not built: $tool"; exit 1; }
done
"$mkdisk" --metadata-only "$scenario" "$work/disk.img" >"$work/mkdisk.txt" 2>&1 || { cat "$work/mkdisk.txt"; exit 1; }
log="$(dirname "$korvane")/Log/Client_$(date +%Y%m%d).log"
offset=$(stat -c %s "$log" 2>/dev/null || echo 0)
new_log() { tail -c +$((offset + 1)) "$log" 2>/dev/null || true; }

"$korvane" --no-devices --image "$work/disk.img" >"$work/output.txt" 2>&1 &
pid=$!
for _ in $(seq 600); do
  new_log | grep -q "loadDataFromDisk after" && break
  if ! kill -0 "$pid" 2>/dev/null; then
    echo "korvane ended before its tree was loaded:"; cat "$work/output.txt"; pid=; exit 1
  fi
  sleep 0.1
done
if ! new_log | grep -q "loadDataFromDisk after"; then
  echo "no \"loadDataFromDisk after\" in $log"; new_log | tail -20; exit 1
fi
new_log | grep -q "Version V" || { echo "start-up line missing from the log"; exit 1; }

sleep 1.5 # let the one-second fade-in finish before the picture is taken
mkdir -p "$artifacts"
ffmpeg -loglevel error -y -f x11grab -video_size 1280x800 -i "$DISPLAY" -frames:v 1 "$artifacts/korvane-start.png"
kill -0 "$pid" || { echo "korvane ended unexpectedly"; exit 1; }
echo "screenshot: $artifacts/korvane-start.png"
