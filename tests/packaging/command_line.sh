#!/usr/bin/env bash
# Both programs answer --help and --version without any display (as over SSH), refuse a
# wrong command line with one line naming the option and exit status 2, and name disk
# images that cannot be read: korvane-cli ends with exit status 1 before reading any disk.
# usage: command_line.sh KORVANE KORVANE_CLI VERSION
set -uo pipefail
korvane=$1 cli=$2 version=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# run NAME PROGRAM ARGS...: no display of any kind; stdout, stderr and status kept under NAME.
run() {
  local name=$1; shift
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$@" >"$work/$name.out" 2>"$work/$name.err"
  echo $? >"$work/$name.rc"
}
expect() { # expect NAME STATUS: the status, and for 0 an empty stderr
  local rc; rc=$(cat "$work/$1.rc")
  [ "$rc" = "$2" ] || { fail "$1: exit status $rc, expected $2"; cat "$work/$1.err"; }
}
expect_error() { # expect_error NAME STATUS TEXT: one line on stderr holding TEXT, nothing on stdout
  expect "$1" "$2"
  [ "$(wc -l <"$work/$1.err")" = 1 ] || { fail "$1: not one line on stderr:"; cat "$work/$1.err"; }
  grep -qF -- "$3" "$work/$1.err" || fail "$1: stderr lacks \"$3\": $(cat "$work/$1.err")"
  [ -s "$work/$1.out" ] && fail "$1: wrote to stdout: $(head -3 "$work/$1.out")"
  return 0
}

for program in korvane korvane-cli; do
  binary=$korvane; [ $program = korvane-cli ] && binary=$cli
  run "$program-help" "$binary" --help
  expect "$program-help" 0
  [ -s "$work/$program-help.err" ] && fail "$program --help wrote to stderr: $(head -3 "$work/$program-help.err")"
  for option in --image --no-devices --verbose --version; do
    grep -q -- "$option" "$work/$program-help.out" || fail "$program --help does not list $option"
  done
  run "$program-h" "$binary" -h
  cmp -s "$work/$program-h.out" "$work/$program-help.out" || fail "$program -h differs from --help"
  run "$program-version" "$binary" --version
  expect "$program-version" 0
  grep -qE "^$program V$version, built [0-9]{4}\.[0-9]{2}\.[0-9]{2} [0-9:]{8}$" "$work/$program-version.out" ||
    fail "$program --version printed: $(cat "$work/$program-version.out")"
done
for command in info list cat find probe convert export cut gps; do
  grep -q "korvane-cli $command " "$work/korvane-cli-help.out" || fail "korvane-cli --help lacks the command $command"
done

# Wrong command lines.
run gui-unknown "$korvane" --no-devices --bogus
expect_error gui-unknown 2 "unknown option --bogus"
run gui-twice "$korvane" --verbose --verbose
expect_error gui-twice 2 "--verbose given twice"
run gui-value "$korvane" --image
expect_error gui-value 2 "--image needs a file"
run cli-unknown "$cli" list --no-devices --bogus
expect_error cli-unknown 2 "unknown option --bogus"
run cli-not-taken "$cli" probe --image disk.img rec.h264
expect_error cli-not-taken 2 "unknown option --image"
run cli-twice "$cli" gps --format csv --format=gpx rec.h264
expect_error cli-twice 2 "--format given twice"
run cli-value "$cli" export --no-devices --to
expect_error cli-value 2 "--to needs a value"
run cli-value-empty "$cli" list --image= --no-devices
expect_error cli-value-empty 2 "--image needs a value"
run cli-value-forgotten "$cli" export --to --mp4 /mnt/idea0
expect_error cli-value-forgotten 2 "--to needs a value"
run cli-command "$cli" play
expect_error cli-command 2 "unknown command play"
run cli-arguments "$cli" cat --no-devices
expect_error cli-arguments 2 "usage: korvane-cli cat"

# Disk images that cannot be read.
mkdir "$work/folder"
run cli-missing "$cli" list --no-devices --image "$work/missing.img"
expect_error cli-missing 1 "cannot use disk image $work/missing.img: The file does not exist."
run cli-folder "$cli" info --no-devices --image="$work/folder"
expect_error cli-folder 1 "cannot use disk image $work/folder: This is a folder, not a disk image file."
head -c 4096 /dev/zero >"$work/secret.img"
chmod 600 "$work/secret.img"
as_other=()
if [ "$(id -u)" = 0 ]; then
  chmod 755 "$work" # the other user reaches the file but may not read it
  as_other=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
else
  chmod 000 "$work/secret.img"
fi
run cli-unreadable "${as_other[@]}" "$cli" cat --no-devices --image "$work/secret.img" /mnt/idea0/x
expect_error cli-unreadable 1 "cannot use disk image $work/secret.img: The file cannot be opened for reading (no permission)."

# korvane-cli loads the core only: Qt Core and no widget, web or media library, and no FFmpeg
# until a command converts.
heavy=$(ldd "$cli" | grep -oE 'lib(Qt5(Gui|Widgets|WebEngine[A-Za-z]*|Quick|Multimedia|Network)|av(codec|format|util)|sw(scale|resample))[^ ]*' | sort -u)
[ -z "$heavy" ] || fail "korvane-cli links $(echo $heavy)"
ldd "$cli" | grep -q libQt5Core || fail "korvane-cli does not link Qt Core: ldd changed its output?"

[ $failures = 0 ] || { echo "$failures failure(s)"; exit 1; }
echo "help, version and wrong command lines: all as expected"
