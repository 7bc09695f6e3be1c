#!/usr/bin/env bash
# Inside xvfb-run: cmake --install into a temporary root (DESTDIR, prefix /usr) puts the
# programs and what they read into the expected layout; run from that tree, korvane-cli
# answers and lists a simulator disk, the bash completion offers its recording paths, the
# menu entry validates, the manual pages render, and korvane loads the disk with its
# settings and logs in the user's folders, leaving the installed tree as it was.
# usage: install_tree.sh BUILD_DIR SOURCE_DIR WFS_MKDISK VERSION
set -euo pipefail
build=$1 source=$2 mkdisk=$3 version=$4
scenario=$source/resources/sim/example.json
work=$(mktemp -d)
pid=
cleanup() {
  if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

root=$work/root
DESTDIR=$root cmake --install "$build" --prefix /usr >"$work/install.txt" 2>&1 || { cat "$work/install.txt"; exit 1; }
program=$root/usr/lib/korvane

for path in usr/bin/korvane usr/bin/korvane-cli usr/lib/korvane/korvane usr/lib/korvane/korvane-cli \
    usr/lib/korvane/INSTALLED usr/lib/korvane/skin/style.ss usr/lib/korvane/skin/icons/logo.png \
    usr/lib/korvane/skin/icons/StartLogo.png usr/lib/korvane/skin/buttons/PlayNormal.png \
    usr/lib/korvane/language/korvane_zh.qm usr/lib/korvane/map/osmMap.html usr/lib/korvane/map/mapcommon.js \
    usr/lib/korvane/map/baiduMap.html usr/lib/korvane/copyright/copyright_zh.txt usr/lib/korvane/license/README.txt \
    usr/share/applications/korvane.desktop usr/share/icons/hicolor/48x48/apps/korvane.png \
    usr/share/icons/hicolor/128x128/apps/korvane.png usr/share/icons/hicolor/256x256/apps/korvane.png \
    usr/share/icons/hicolor/scalable/apps/korvane.svg usr/share/man/man1/korvane.1.gz \
    usr/share/man/man1/korvane-cli.1.gz usr/share/bash-completion/completions/korvane-cli \
    usr/share/doc/korvane/copyright usr/share/doc/korvane/changelog.gz; do
  [ -e "$root/$path" ] || fail "not installed: $path"
done
for name in korvane korvane-cli; do
  [ "$(readlink "$root/usr/bin/$name")" = "../lib/korvane/$name" ] || fail "usr/bin/$name is no link into the program folder"
  [ -x "$program/$name" ] || fail "$name is not executable"
done
# Leaflet comes from Debian's libjs-leaflet, through a link relative within /usr.
leaflet=$(readlink "$program/map/leaflet")
case $leaflet in /*) fail "absolute Leaflet link: $leaflet" ;; esac
[ -f "$(realpath -m "/usr/lib/korvane/map/$leaflet")/leaflet.js" ] || fail "the Leaflet link leads nowhere: $leaflet"
for page in "$source"/resources/map/*; do
  cmp -s "$page" "$program/map/$(basename "$page")" || fail "installed map page differs from its source: $(basename "$page")"
done
png_size() { od -An -j16 -N8 -tu1 "$1" | awk '{print $1*16777216+$2*65536+$3*256+$4 "x" $5*16777216+$6*65536+$7*256+$8}'; }
for size in 48x48 128x128 256x256; do
  icon=$root/usr/share/icons/hicolor/$size/apps/korvane.png
  [ "$(png_size "$icon")" = "$size" ] || fail "the icon in $size is $(png_size "$icon")"
done
grep -q "<svg" "$root/usr/share/icons/hicolor/scalable/apps/korvane.svg" || fail "the scalable icon is no SVG"
desktop-file-validate "$root/usr/share/applications/korvane.desktop" || fail "the menu entry does not validate"
for page in korvane korvane-cli; do
  MANWIDTH=80 MANPAGER=cat man --warnings -l "$root/usr/share/man/man1/$page.1.gz" >"$work/$page.man" 2>"$work/$page.manerr" ||
    fail "man -l $page failed"
  [ -s "$work/$page.manerr" ] && fail "man warns about $page.1: $(head -3 "$work/$page.manerr")"
  grep -q "^NAME" "$work/$page.man" || fail "the manual page $page has no NAME section"
done

# Every option the programs list is in their manual pages, and korvane-cli's in its completion.
for name in korvane korvane-cli; do
  for option in $("$root/usr/lib/korvane/$name" --help | grep -oE -- "--[a-z][a-z0-9-]*" | sort -u); do
    grep -q -- "$option" "$work/$name.man" || fail "man $name lacks $option"
    [ $name = korvane-cli ] && [ "$option" != --version ] &&
      ! grep -q -- "$option" "$root/usr/share/bash-completion/completions/korvane-cli" &&
      fail "the completion lacks $option"
  done
done
for command in $("$root/usr/lib/korvane/korvane-cli" --help | sed -n 's/^  \([a-z]*\)  .*/\1/p'); do
  grep -q "^       $command " "$work/korvane-cli.man" || fail "man korvane-cli lacks the command $command"
  grep -q "\b$command\b" "$root/usr/share/bash-completion/completions/korvane-cli" || fail "the completion lacks $command"
done

# The tree as installed, to see afterwards that running the programs left it alone.
snapshot() { (cd "$root" && find . -printf '%p %s %y\n' | sort); }
snapshot >"$work/tree.before"

export HOME=$work/home
unset XDG_CONFIG_HOME XDG_DATA_HOME
mkdir -p "$HOME"
"$mkdisk" --metadata-only "$scenario" "$work/disk.img" >"$work/mkdisk.txt" 2>&1 || { cat "$work/mkdisk.txt"; exit 1; }
"$root/usr/bin/korvane-cli" --version | grep -q "^korvane-cli V$version, built " || fail "installed korvane-cli --version"
"$root/usr/bin/korvane-cli" list --no-devices --image "$work/disk.img" >"$work/list.txt" ||
  fail "installed korvane-cli list failed"
"$build/bin/korvane-cli" list --no-devices --image "$work/disk.img" >"$work/list-build.txt"
[ -s "$work/list.txt" ] && cmp -s "$work/list.txt" "$work/list-build.txt" ||
  fail "installed korvane-cli lists other recordings than the build's"
# The installed korvane-cli finds its FFmpeg module through the link in bin/.
"$mkdisk" "$source/resources/sim/real.json" "$work/real.img" >/dev/null 2>&1 || fail "wfs-mkdisk real.json"
first=$("$root/usr/bin/korvane-cli" list --no-devices --image "$work/real.img" | head -1 | cut -f1)
"$root/usr/bin/korvane-cli" export --no-devices --image "$work/real.img" --mp4 --to "$work/mp4" "$first" \
  >/dev/null 2>"$work/mp4.err" || fail "installed korvane-cli export --mp4 failed: $(tail -2 "$work/mp4.err")"
[ -n "$(find "$work/mp4" -name '*.mp4' -size +0)" ] || fail "installed korvane-cli export --mp4 left no MP4"

# Completion of a channel's recordings, quoted for the shell, as "korvane-cli list" names them.
channel=$(head -1 "$work/list.txt" | cut -f1 | sed 's|[^/]*$||')
grep "^$channel" "$work/list.txt" | cut -f1 | while read -r path; do printf '%q\n' "$path"; done | sort >"$work/expected.txt"
PATH=$root/usr/bin:$PATH bash -c '
  source "$1/usr/share/bash-completion/completions/korvane-cli"
  COMP_WORDS=(korvane-cli cat --no-devices --image "$2" "$3"); COMP_CWORD=5
  _korvane_cli; printf "%s\n" "${COMPREPLY[@]}"' - "$root" "$work/disk.img" "$channel" | sort >"$work/completed.txt"
[ -s "$work/expected.txt" ] && cmp -s "$work/expected.txt" "$work/completed.txt" ||
  { fail "completion of $channel"; diff "$work/expected.txt" "$work/completed.txt" | head; }

# The window, from the installed tree, with the disk and an image that is not there.
data=$HOME/.local/share/korvane
"$root/usr/bin/korvane" --no-devices --image "$work/disk.img" --image "$work/missing.img" >"$work/gui.out" 2>"$work/gui.err" &
pid=$!
for _ in $(seq 600); do
  grep -qs "loadDataFromDisk after" "$data"/Log/Client_*.log && break
  kill -0 "$pid" 2>/dev/null || { echo "korvane ended early:"; cat "$work/gui.err"; pid=; exit 1; }
  sleep 0.1
done
grep -qs "loadDataFromDisk after" "$data"/Log/Client_*.log || fail "no log in $data/Log, or the tree never loaded"
grep -qsE "loadDataFromDisk before .* ideNum 1\s*$" "$data"/Log/Client_*.log || fail "the disk was not found: $(grep -h loadDataFromDisk "$data"/Log/*.log)"
grep -qF "korvane: cannot use disk image $work/missing.img: The file does not exist." "$work/gui.err" ||
  fail "the missing image is not named on stderr: $(cat "$work/gui.err")"
grep -qsF "Disk image skipped: $work/missing.img" "$data"/Log/Client_*.log || fail "the missing image is not in the log"
kill -0 "$pid" || fail "korvane ended"
kill "$pid"; wait "$pid" 2>/dev/null || true; pid=
[ -d "$HOME/.config/korvane" ] || fail "no settings folder in ~/.config/korvane"
[ -d "$data/Backup/Record" ] || fail "no export folder in $data/Backup"
snapshot >"$work/tree.after"
cmp -s "$work/tree.before" "$work/tree.after" ||
  { fail "running the programs changed the installed tree:"; diff "$work/tree.before" "$work/tree.after" | head; }

[ $failures = 0 ] || { echo "$failures failure(s)"; exit 1; }
echo "installed tree: layout, korvane-cli, completion, menu entry, manual pages and korvane as expected"
