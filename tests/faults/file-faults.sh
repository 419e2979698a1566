#!/usr/bin/env bash
# File faults, through lamina-cli and the main window: each gives a clear
# error, leaves an existing file byte for byte as it was and leaves no
# temporary file behind. The read-only folder and the full disk are small
# tmpfs mounts in a private mount namespace; where the system allows none,
# those cases are skipped with a message.
#
# usage: file-faults.sh LAMINA_CLI MAIN_WINDOW_TEST
set -uo pipefail
cli=$1
gui_test=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
passed=0

check() {  # check NAME CONDITION...
  local name=$1; shift
  if "$@"; then passed=$((passed + 1)); else echo "FAIL: $name" >&2; failures=$((failures + 1)); fi
}

old_script() { printf 'old script\r\n' >"$1"; }
unchanged() { [ "$(cat "$1")" = "$(printf 'old script\r\n')" ]; }
only_file() { [ "$(ls -A "$1")" = "$2" ]; }

# An existing read-only file.
mkdir "$work/readonly-file" && old_script "$work/readonly-file/motor.py"
chmod 444 "$work/readonly-file/motor.py"
"$cli" script --output "$work/readonly-file/motor.py" --force 2>"$work/err"; status=$?
check "read-only file: exit 1" [ $status -eq 1 ]
check "read-only file: says so" grep -q "read-only" "$work/err"
check "read-only file: unchanged" unchanged "$work/readonly-file/motor.py"
check "read-only file: no temporary file" only_file "$work/readonly-file" motor.py

# The output path is a folder.
mkdir -p "$work/folder/motor.py"
"$cli" script --output "$work/folder/motor.py" --force 2>"$work/err"; status=$?
check "folder: exit 1" [ $status -eq 1 ]
check "folder: says so" grep -q "folder" "$work/err"
check "folder: still a folder" [ -d "$work/folder/motor.py" ]

# A path with Chinese folder names.
mkdir -p "$work/电机设计/项目 一"
"$cli" script --output "$work/电机设计/项目 一/电机.py" 2>"$work/err"; status=$?
check "chinese path: exit 0" [ $status -eq 0 ]
check "chinese path: written" grep -q "RegionFace(name='Shaft'" "$work/电机设计/项目 一/电机.py"

# Mounted faults need a private mount namespace.
if ! unshare -rm true 2>/dev/null; then
  echo "SKIP: no private mount namespace here (unshare -rm); read-only folder and full disk not tested"
else
  cat >"$work/mounted.sh" <<'INNER'
set -uo pipefail
cli=$1; gui_test=$2; work=$3
. "$work/helpers.sh"
mkdir -p "$work/ro" "$work/full"

# A folder that cannot be written: a read-only mount holding the old file.
mount -t tmpfs -o size=64k tmpfs "$work/ro"
old_script "$work/ro/motor.py"
mount -o remount,ro "$work/ro"
"$cli" script --output "$work/ro/motor.py" --force 2>"$work/err"; status=$?
check "read-only folder: exit 1" [ $status -eq 1 ]
check "read-only folder: names the file" grep -q "motor.py" "$work/err"
check "read-only folder: unchanged" unchanged "$work/ro/motor.py"

# A full disk: room for the old file but not for the new script.
mount -t tmpfs -o size=12k tmpfs "$work/full"
old_script "$work/full/motor.py"
head -c 8000 /dev/zero >"$work/full/filler"
"$cli" script --output "$work/full/motor.py" --force 2>"$work/err"; status=$?
check "full disk: exit 1" [ $status -eq 1 ]
check "full disk: says why" grep -qi "space" "$work/err"
check "full disk: unchanged" unchanged "$work/full/motor.py"
check "full disk: no temporary file" only_file "$work/full" "$(printf 'filler\nmotor.py')"

# The same full disk through the main window's command.
QT_QPA_PLATFORM=offscreen LAMINA_TEST_FULL_DISK_DIR="$work/full" "$gui_test" fullDiskKeepsTheOldFile >"$work/gui.log" 2>&1
status=$?
check "full disk through the window" [ $status -eq 0 ]
[ $status -eq 0 ] || cat "$work/gui.log" >&2
check "full disk through the window: unchanged" unchanged "$work/full/motor.py"
check "full disk through the window: no temporary file" only_file "$work/full" "$(printf 'filler\nmotor.py')"
echo "$passed $failures" >"$work/counts"
INNER
  declare -f check old_script unchanged only_file >"$work/helpers.sh"
  echo "passed=0; failures=0" >>"$work/helpers.sh"
  unshare -rm bash "$work/mounted.sh" "$cli" "$gui_test" "$work" || failures=$((failures + 1))
  if [ -f "$work/counts" ]; then
    read -r inner_passed inner_failures <"$work/counts"
    passed=$((passed + inner_passed)); failures=$((failures + inner_failures))
  else
    echo "FAIL: the mounted cases did not finish" >&2; failures=$((failures + 1))
  fi
fi

echo "file faults: $passed passed, $failures failed"
[ $failures -eq 0 ]
