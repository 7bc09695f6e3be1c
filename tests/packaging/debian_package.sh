#!/usr/bin/env bash
# The Debian package built by CPack from the build tree: named and versioned after the
# project, holding the installed layout, depending on what the programs load and read,
# and without lintian errors (its warnings are printed).
# usage: debian_package.sh BUILD_DIR VERSION
set -euo pipefail
build=$1 version=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

cpack --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.txt" 2>&1 || { cat "$work/cpack.txt"; exit 1; }
deb=$work/korvane_${version}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || { echo "no $deb:"; ls "$work"; exit 1; }

[ "$(dpkg-deb -f "$deb" Package)" = korvane ] || fail "package name"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "package version $(dpkg-deb -f "$deb" Version)"
[ -n "$(dpkg-deb -f "$deb" Description | sed -n 2p)" ] || fail "no long description"
depends=$(dpkg-deb -f "$deb" Depends)
# From the shared libraries, and the packages read at run time.
for package in libqt5webenginewidgets5 libqt5widgets5 libavcodec59 libjsoncpp25 libssl3 libc6 \
    fonts-wqy-microhei fonts-ipafont-gothic fonts-noto-ui-core libjs-leaflet libewf2; do
  [[ $depends == *"$package"* ]] || fail "Depends lacks $package: $depends"
done
[[ $depends == *ffmpeg* ]] && fail "Depends names ffmpeg, which is needed only by the tests"

dpkg-deb --contents "$deb" >"$work/listing.txt"
awk '{print $6}' "$work/listing.txt" | sed 's|^\./||' >"$work/contents.txt"
for path in usr/bin/korvane usr/bin/korvane-cli usr/lib/korvane/korvane usr/lib/korvane/korvane-cli \
    usr/lib/korvane/INSTALLED usr/lib/korvane/skin/style.ss usr/lib/korvane/skin/icons/logo.png \
    usr/lib/korvane/language/korvane_zh.qm usr/lib/korvane/map/osmMap.html usr/lib/korvane/map/leaflet \
    usr/lib/korvane/copyright/copyright_zh.txt usr/lib/korvane/license/README.txt \
    usr/share/applications/korvane.desktop usr/share/icons/hicolor/48x48/apps/korvane.png \
    usr/share/icons/hicolor/128x128/apps/korvane.png usr/share/icons/hicolor/256x256/apps/korvane.png \
    usr/share/icons/hicolor/scalable/apps/korvane.svg usr/share/man/man1/korvane.1.gz \
    usr/share/man/man1/korvane-cli.1.gz usr/share/bash-completion/completions/korvane-cli \
    usr/share/doc/korvane/copyright usr/share/doc/korvane/changelog.gz; do
  grep -qx "$path" "$work/contents.txt" || fail "the package lacks $path"
done
grep -E "(Config\.ini|/Log/|/Backup/|CrashDumpFile)" "$work/contents.txt" && fail "the package holds files of a run"
grep -q " ./usr/lib/korvane/map/leaflet -> ../../../share/javascript/leaflet$" "$work/listing.txt" ||
  fail "Leaflet is not linked to libjs-leaflet"

lintian --tag-display-limit 0 --fail-on error "$deb" >"$work/lintian.txt" 2>&1 || {
  fail "lintian reports errors:"; grep "^E:" "$work/lintian.txt"; }
grep "^W:" "$work/lintian.txt" || true

[ $failures = 0 ] || { echo "$failures failure(s)"; exit 1; }
echo "package $(basename "$deb"): $(wc -l <"$work/contents.txt") entries, Depends: $depends"
