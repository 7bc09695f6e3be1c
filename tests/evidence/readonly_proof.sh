#!/usr/bin/env bash
# Proof that Korvane never opens the evidence for writing: every program that reads disks runs
# under strace on a disk image (raw, Expert Witness and split into pieces), a mount session among
# them (mount, read every file, unmount), and the test fails
# when any image file or block device is opened with a write flag, or when an image's SHA-256
# differs afterwards. Runs inside xvfb-run (the window's load and playback need a display).
# usage: readonly_proof.sh KORVANE_CLI KORVANE GUI_PROBE WFS_MKDISK SCENARIO.json
set -euo pipefail
cli=$1 korvane=$2 probe=$3 mkdisk=$4 scenario=$5
# LeakSanitizer cannot run under ptrace; the sanitizer build's other tests look for leaks.
export ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0"
work=$(mktemp -d)
gui=
cleanup() {
  if [ -n "$gui" ]; then kill "$gui" 2>/dev/null || true; wait "$gui" 2>/dev/null || true; fi
  if mountpoint -q "$work/mnt" 2>/dev/null; then fusermount3 -u -z "$work/mnt" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }

image=$work/evidence.img
"$mkdisk" "$scenario" "$image" >/dev/null 2>&1 || fail "cannot write the disk image"
ewfacquire -q -u -t "$work/evidence" -S 1MiB -c fast "$image" >/dev/null 2>&1 || fail "ewfacquire failed"
split -b 3000000 -a 3 --numeric-suffixes=1 "$image" "$work/pieces."
evidence=("$image" "$work"/evidence.E0* "$work"/pieces.0*)
set -f # from here on: recording names carry brackets
(cd "$work" && sha256sum "${evidence[@]##*/}") >"$work/sha256.before"

recording=$("$cli" list --no-devices --image "$image" | head -1 | cut -f1)
[ -n "$recording" ] || fail "the image lists no recording"

n=0
traced() { n=$((n + 1)); strace -f -qq -e trace=open,openat,creat -o "$work/trace.$n" -- "$@"; }
# Every korvane-cli command that reads a disk, one line each.
traced "$cli" info --image "$image" >/dev/null # with the machine's block devices too
traced "$cli" list --no-devices --image "$image" >/dev/null
traced "$cli" cat --no-devices --image "$image" "$recording" >/dev/null
traced "$cli" find --no-devices --image "$image" "${recording%/*}/*" >/dev/null
traced "$cli" recover --no-devices --image "$image" >/dev/null
traced "$cli" export --no-devices --image "$image" --to "$work/export" "${recording%/*}" >/dev/null 2>&1
traced "$cli" export --no-devices --image "$image" --to "$work/export-mp4" --mp4 --merge "${recording%/*}" >/dev/null 2>&1
traced "$cli" gps --no-devices --image "$image" "$recording" >/dev/null 2>&1
traced "$cli" list --no-devices --image "$work/evidence.E01" >/dev/null
traced "$cli" cat --no-devices --image "$work/evidence.E01" "$recording" >/dev/null
traced "$cli" cat --no-devices --image "$work/pieces.001" "$recording" >/dev/null
traced "$cli" export --no-devices --image "$work/evidence.E01" --to "$work/export-e01" "${recording%/*}" >/dev/null 2>&1

# A mount session on each kind of image: every file read through the mount, then unmounted.
if [ -c /dev/fuse ] && [ -r /dev/fuse ] && [ -w /dev/fuse ] && command -v fusermount3 >/dev/null; then
  mkdir "$work/mnt"
  for disk in "$image" "$work/evidence.E01" "$work/pieces.001"; do
    n=$((n + 1))
    strace -f -qq -e trace=open,openat,creat -o "$work/trace.$n" -- \
      "$cli" mount --no-devices --image "$disk" --foreground "$work/mnt" >"$work/mount.out" 2>&1 &
    mounter=$!
    for _ in $(seq 200); do
      mountpoint -q "$work/mnt" && break
      kill -0 "$mounter" 2>/dev/null || fail "the mount of $disk ended at once: $(cat "$work/mount.out")"
      sleep 0.05
    done
    mountpoint -q "$work/mnt" || fail "the mount of $disk was not made"
    files=$(cd "$work/mnt" && find . -type f | wc -l)
    [ "$files" -gt 2 ] || fail "the mount of $disk shows $files files"
    (cd "$work/mnt" && find . -type f -exec cat {} + >/dev/null) || fail "a file of the mount of $disk failed to read"
    [ "$(sha256sum <"$work/mnt/${recording#/mnt/}")" = "$("$cli" cat --no-devices --image "$disk" "$recording" | sha256sum)" ] ||
      fail "$recording differs through the mount of $disk"
    fusermount3 -u "$work/mnt" || fail "fusermount3 -u failed"
    wait "$mounter" || fail "the mount of $disk ended with status $?: $(cat "$work/mount.out")"
  done
else
  echo "note: no usable /dev/fuse or fusermount3: the mount session is left out"
fi

# The program itself: starts, loads the Disk page's tree, is closed.
log="$(dirname "$korvane")/Log/Client_$(date +%Y%m%d).log"
offset=$(stat -c %s "$log" 2>/dev/null || echo 0)
n=$((n + 1))
strace -f -qq -e trace=open,openat,creat -o "$work/trace.$n" -- "$korvane" --no-devices --image "$image" \
  >"$work/korvane.out" 2>&1 &
gui=$!
for _ in $(seq 600); do
  tail -c +$((offset + 1)) "$log" 2>/dev/null | grep -q "loadDataFromDisk after" && break
  kill -0 "$gui" 2>/dev/null || fail "korvane ended before its tree was loaded: $(cat "$work/korvane.out")"
  sleep 0.1
done
tail -c +$((offset + 1)) "$log" 2>/dev/null | grep -q "loadDataFromDisk after" || fail "korvane did not load its tree"
pkill -TERM -P "$gui" || true
wait "$gui" 2>/dev/null || true
gui=

# The main window's load and the playback of a recording, on each kind of image.
traced "$probe" --no-devices --image "$image" >/dev/null || fail "playback did not run on the raw image"
traced "$probe" --no-devices --image "$work/evidence.E01" >/dev/null || fail "playback did not run on the E01 image"

# Opens of the evidence or of a block device, and those among them with a write flag.
pattern="\"($(printf '%s|' "${evidence[@]}" | sed 's/[.[\*^$]/\\&/g; s/|$//')|/dev/(sd|vd|hd|xvd|nvme|mmcblk|loop)[^\"]*)\""
: >"$work/opens"
for i in $(seq "$n"); do
  grep -E "$pattern" "$work/trace.$i" >>"$work/opens" ||
    fail "run $i never opened the evidence: the trace would prove nothing"
done
if grep -E 'creat\(|O_WRONLY|O_RDWR|O_CREAT|O_TRUNC|O_APPEND' "$work/opens"; then
  fail "the evidence or a block device was opened for writing (above)"
fi
(cd "$work" && sha256sum --quiet -c sha256.before) || fail "an image changed"
echo "read-only: $n runs, $(wc -l <"$work/opens") opens of the evidence or block devices, none for writing; SHA-256 unchanged"
