#!/usr/bin/env bash
# End to end, inside xvfb-run: Korvane started in Arabic and in Japanese on a simulator disk
# loads its own translation and Qt's (Arabic right to left, as its log says), shows its tree,
# and leaves a screenshot of the main window in each language.
# usage: e2e_languages.sh KORVANE WFS_MKDISK SCENARIO.json ARTIFACT_DIR
set -euo pipefail
korvane=$1 mkdisk=$2 scenario=$3 artifacts=$4
bindir=$(cd "$(dirname "$korvane")" && pwd)
work=$(mktemp -d)
pid=
cleanup() {
  if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

"$mkdisk" --metadata-only "$scenario" "$work/disk.img" >"$work/mkdisk.txt" 2>&1 || { cat "$work/mkdisk.txt"; exit 1; }
# A program folder of its own: its Config.ini (the language) and Log are the test's.
mkdir -p "$work/bin"
cp "$korvane" "$work/bin/korvane"
for folder in skin language copyright license map; do
  [ -e "$bindir/$folder" ] && ln -s "$bindir/$folder" "$work/bin/$folder"
done
log="$work/bin/Log/Client_$(date +%Y%m%d).log"
mkdir -p "$artifacts"

shoot() { # shoot LANGUAGE QM QT_QM DIRECTION PICTURE
  local language=$1 qm=$2 qtqm=$3 direction=$4 picture=$5
  printf '[themes]\nSolution=%s\n' "$language" >"$work/bin/Config.ini"
  rm -f "$log"
  "$work/bin/korvane" --no-devices --image "$work/disk.img" >"$work/$language.out" 2>&1 &
  pid=$!
  for _ in $(seq 600); do
    grep -q "loadDataFromDisk after" "$log" 2>/dev/null && break
    kill -0 "$pid" 2>/dev/null || { echo "korvane ended early in $language:"; cat "$work/$language.out"; pid=; exit 1; }
    sleep 0.1
  done
  grep -q "loadDataFromDisk after" "$log" || { echo "the tree was never loaded in $language"; exit 1; }
  if ! grep -q "Language $language: .*/language/$qm, Qt's own texts .*/$qtqm, $direction" "$log"; then
    echo "$language was not loaded as expected:"; grep -i "language\|translation" "$log" || true; exit 1
  fi
  sleep 1.5 # the fade-in
  ffmpeg -loglevel error -y -f x11grab -video_size 1280x800 -i "$DISPLAY" -frames:v 1 "$artifacts/$picture"
  kill -0 "$pid" || { echo "korvane ended unexpectedly in $language"; exit 1; }
  kill "$pid"; wait "$pid" 2>/dev/null || true; pid=
  echo "screenshot: $artifacts/$picture"
}

shoot Arabic korvane_ar.qm qt_ar.qm "right to left" korvane-arabic.png
shoot Japanese korvane_ja.qm qt_ja.qm "left to right" korvane-japanese.png
