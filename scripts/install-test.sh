#!/usr/bin/env bash
# Unpacks the built package into a scratch root and runs both programs from
# the installed location, through the links in usr/bin, far from the build
# folder and from any other current directory.
set -euo pipefail
cd "$(dirname "$0")/.."
deb=$(ls -t build/lamina_*.deb 2>/dev/null | head -n 1)
[ -n "$deb" ] || { echo "install-test: no package; run scripts/package.sh first" >&2; exit 1; }

root=$(mktemp -d)
work=$(mktemp -d)
trap 'rm -rf "$root" "$work"' EXIT

fail() { echo "install-test: $*" >&2; exit 1; }

depends=$(dpkg-deb -f "$deb" Depends)
for needed in fonts-noto-cjk qt6-translations-l10n libqt6widgets6 libqt6gui6 libqt6core6 libdxflib3; do
  grep -q "$needed" <<<"$depends" || fail "package does not depend on $needed ($depends)"
done

dpkg-deb -x "$deb" "$root"
program="$root/usr/lib/lamina"
# The slot pictures as the build read them from the slot-shape registry.
[ -s build/slot-pictures.txt ] || fail "no build/slot-pictures.txt; configure the build first"
mapfile -t slot_pictures < build/slot-pictures.txt
for f in lamina lamina-cli lamina.png lamina.desktop "${slot_pictures[@]}" help/a1.jpg help/a6.jpg; do
  [ -e "$program/$f" ] || fail "missing $f in the program folder"
done
[ -d "$program/Projects" ] || fail "missing the Projects folder"
grep -q '^License: GPL-3.0-or-later' "$root/usr/share/doc/lamina/copyright" || fail "missing the licence in the copyright file"
[ -f "$root/usr/share/applications/lamina.desktop" ] || fail "missing the desktop entry"
[ -f "$root/usr/share/icons/hicolor/48x48/apps/lamina.png" ] || fail "missing the menu icon"
grep -q '^Name\[zh_CN\]=' "$root/usr/share/applications/lamina.desktop" || fail "desktop entry has no Chinese name"
grep -q '^Exec=lamina %f$' "$root/usr/share/applications/lamina.desktop" || fail "desktop entry passes no file"

cd "$work"
"$root/usr/bin/lamina-cli" defaults > design.json
"$root/usr/bin/lamina-cli" script --design design.json --output motor.py
head -c 16 motor.py | grep -q '^#! FLUX2D 11.2' || fail "installed lamina-cli wrote no script"

# The window starts from the link and keeps running until it is stopped.
set +e
QT_QPA_PLATFORM=offscreen timeout 5 "$root/usr/bin/lamina" >"$work/lamina.log" 2>&1
status=$?
set -e
[ "$status" -eq 124 ] || { cat "$work/lamina.log" >&2; fail "lamina exited early with status $status"; }
echo "install-test: the package installs and both programs run from it"
