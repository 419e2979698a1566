#!/usr/bin/env bash
# File faults, through lamina-cli and the main window: each gives a clear
# error, leaves an existing file byte for byte as it was and leaves no
# temporary file behind, for every command that writes a file. The
# read-only folder and the full disks are small tmpfs mounts in a private
# mount namespace; where the system allows none, those cases are skipped
# with a message, as is the failing sync without strace.
#
# usage: file-faults.sh LAMINA_CLI MAIN_WINDOW_TEST DESIGN_DOCUMENT_TEST
set -uo pipefail
cli=$1
gui_test=$2
design_test=$3
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
one_line() { [ "$(wc -l <"$1")" -eq 1 ]; }

# Every command that writes a file, as "KIND SUFFIX": write_as KIND TARGET
# replaces TARGET if it may. A design file is written through the window's
# 设计另存为, whose error box the test prints on stderr (in Chinese).
writers=("script py" "png png" "svg svg" "dxf dxf" "geo geo" "design json")
picks=(--set statorSlotType=半闭口梨形槽 --set rotorSlotType=单笼梯形槽1 --set periodicityType=奇对称周期)
write_as() {  # write_as KIND TARGET [WRAPPER...]
  local kind=$1 target=$2; shift 2
  case $kind in
    script) "$@" "$cli" script --output "$target" --force ;;
    png | svg) "$@" "$cli" preview --output "$target" --size 400x300 ;;
    dxf | geo) "$@" "$cli" export --output "$target" --force "${picks[@]}" ;;
    design)
      XDG_RUNTIME_DIR=$work QT_QPA_PLATFORM=offscreen LAMINA_TEST_DESIGN_TARGET=$target \
        "$@" "$design_test" saveDesignOverPreparedTarget >/dev/null
      [ $? -eq 0 ] || return 1 ;;
  esac
}
# A script's warnings go to stderr too; the error is the line naming the file.
error_line() { grep -v '^lamina-cli: warning:' "$1"; }
# How each kind says a cause: the command-line tool in English, the window
# in Chinese.
says() {  # says KIND ENGLISH FILE
  local pattern=$2
  if [ "$1" = design ]; then
    case $2 in
      read-only) pattern=只读 ;;
      "named pipe") pattern=命名管道 ;;
      "symbolic links") pattern=符号链接 ;;
      "input/output error") pattern=磁盘读写错误 ;;
      "no space left") pattern=磁盘空间不足 ;;
    esac
  fi
  grep -q "$pattern" "$3"
}

# Targets that are not a writable regular file, for every writer: a
# read-only file, a named pipe and a symbolic-link loop stay as they were.
for writer in "${writers[@]}"; do
  read -r kind suffix <<<"$writer"
  dir="$work/targets-$kind"
  mkdir "$dir"
  old_script "$dir/readonly.$suffix" && chmod 444 "$dir/readonly.$suffix"
  mkfifo "$dir/pipe.$suffix"
  ln -s "loop.$suffix" "$dir/loop.$suffix"
  for case in "readonly:read-only" "pipe:named pipe" "loop:symbolic links"; do
    name=${case%%:*} cause=${case#*:}
    write_as "$kind" "$dir/$name.$suffix" 2>"$work/err"; status=$?
    check "$kind over $name: exit 1" [ $status -eq 1 ]
    check "$kind over $name: says why" says "$kind" "$cause" "$work/err"
  done
  check "$kind: read-only file unchanged" unchanged "$dir/readonly.$suffix"
  check "$kind: pipe still a pipe" [ -p "$dir/pipe.$suffix" ]
  check "$kind: loop still a link" [ "$(readlink "$dir/loop.$suffix")" = "loop.$suffix" ]
  check "$kind: no temporary file" only_file "$dir" "$(printf 'loop.%s\npipe.%s\nreadonly.%s' "$suffix" "$suffix" "$suffix")"
done

# A sync that fails (EIO) is an error, and the old file stays.
if ! command -v strace >/dev/null || ! strace -o /dev/null true 2>/dev/null; then
  echo "SKIP: strace cannot run here; the failing sync is not tested"
else
  for writer in "${writers[@]}"; do
    read -r kind suffix <<<"$writer"
    dir="$work/sync-$kind"
    mkdir "$dir" && old_script "$dir/old.$suffix"
    # LeakSanitizer cannot run under ptrace; the sanitizer suite keeps the
    # rest of its checks here.
    ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0 \
      write_as "$kind" "$dir/old.$suffix" strace -f -o /dev/null -e inject=fdatasync:error=EIO 2>"$work/err"
    status=$?
    check "$kind, failing sync: exit 1" [ $status -eq 1 ]
    check "$kind, failing sync: says why" says "$kind" "input/output error" "$work/err"
    check "$kind, failing sync: unchanged" unchanged "$dir/old.$suffix"
    check "$kind, failing sync: no temporary file" only_file "$dir" "old.$suffix"
  done
fi

# A batch meets the same targets among its variants: each is refused with
# its reason, the others are written, the summary says which.
dir="$work/batch"
mkdir "$dir"
old_script "$dir/readonly.py" && chmod 444 "$dir/readonly.py"
mkfifo "$dir/pipe.py"
ln -s loop.py "$dir/loop.py"
printf 'name,Z2\nreadonly,28\npipe,28\nloop,28\nfine,28\n' >"$work/batch.csv"
"$cli" batch --output-dir "$dir" --table "$work/batch.csv" --force >"$work/out" 2>"$work/err"; status=$?
check "batch over odd targets: exit 1" [ $status -eq 1 ]
check "batch over odd targets: read-only refused" grep -q "^readonly.py: refused.*read-only" "$work/out"
check "batch over odd targets: pipe refused" grep -q "^pipe.py: refused.*named pipe" "$work/out"
check "batch over odd targets: loop refused" grep -q "^loop.py: refused.*symbolic links" "$work/out"
check "batch over odd targets: the rest written" grep -q "RegionFace(name='Shaft'" "$dir/fine.py"
check "batch over odd targets: read-only file unchanged" unchanged "$dir/readonly.py"
check "batch over odd targets: summary" [ "$(grep -c ',refused,' "$dir/summary.csv")" -eq 3 ]
check "batch over odd targets: no temporary file" only_file "$dir" "$(printf 'fine.py\nloop.py\npipe.py\nreadonly.py\nsummary.csv')"

# Designs no drawing can hold: the DXF library once aborted on numbers too
# long for its line, and gmsh met faces of no area or pinched slots. Each is
# an error of check, and export exits 1 with one line and writes nothing;
# designs drawn validly at a zero dimension are written.
dir="$work/export"
mkdir "$dir"
while read -r output settings; do
  read -ra sets <<<"$settings"
  "$cli" check "${picks[@]}" "${sets[@]}" >"$work/out" 2>&1; status=$?
  check "check ${settings}: an error" [ $status -eq 1 ]
  case $output in
    sector.dxf) "$cli" export --output "$dir/$output" --sector "${picks[@]}" "${sets[@]}" 2>"$work/err" ;;
    *) "$cli" export --output "$dir/$output" "${picks[@]}" "${sets[@]}" 2>"$work/err" ;;
  esac
  status=$?
  check "export $output ${settings}: exit 1" [ $status -eq 1 ]
  check "export $output ${settings}: says why" grep -q "^lamina-cli: cannot draw the lamination: " "$work/err"
  check "export $output ${settings}: one line" one_line <(grep -v '^lamina-cli: warning:' "$work/err")
  check "export $output ${settings}: nothing written" only_file "$dir" ""
done <<'CASES'
whole.dxf --set D1=1e239
sector.dxf --set boxInnerDiameter=1e300 --set boxOuterDiameter=2e300
sector.geo --set boxInnerDiameter=1e300 --set boxOuterDiameter=2e300
sector.geo --set air=1
sector.dxf --set air=1
sector.geo --set B11=0 --set B01=0
sector.geo --set B12=0
whole.dxf --set B12=0
CASES
for settings in "H02=0" "H11=0" "H22=0 B22=8"; do
  sets=()
  for setting in $settings; do sets+=(--set "$setting"); done
  "$cli" export --output "$dir/drawn.geo" --force "${picks[@]}" "${sets[@]}" 2>/dev/null; status=$?
  check "export ${settings}: exit 0" [ $status -eq 0 ]
  check "export ${settings}: written" grep -q '^Physical Surface("BAR_1")' "$dir/drawn.geo"
done

# Tables that never end, wait for a writer or are too large are refused
# before they are read, as is a sweep of 10^9 variants: exit 2 within
# seconds, one line, nothing written.
mkfifo "$work/table-fifo.csv"
truncate -s 17M "$work/table-huge.csv"
nine=()
for key in D1 DI1 D2 DI2 Z1 Z2 B01 H01 air; do nine+=(--vary "$key=1,2,3,4,5,6,7,8,9,10"); done
for case in "fifo:--table $work/table-fifo.csv:not a regular file" \
            "dev-zero:--table /dev/zero:not a regular file" \
            "huge:--table $work/table-huge.csv:larger than 16777216 bytes" \
            "nine-sweeps::at most 10000"; do
  IFS=: read -r name option cause <<<"$case"
  if [ -n "$option" ]; then set -- $option; else set -- "${nine[@]}"; fi
  timeout 30 "$cli" batch --output-dir "$work/refused-$name" "$@" >"$work/out" 2>"$work/err"; status=$?
  check "table $name: exit 2" [ $status -eq 2 ]
  check "table $name: says why" grep -q "$cause" "$work/err"
  check "table $name: one line" one_line "$work/err"
  check "table $name: nothing written" [ ! -e "$work/refused-$name" ]
done
set --

# Two batches into one folder at once, without --force: every name is
# written once and whole, the other batch reports it as existing, and one
# summary stands.
values=$(seq -s, 200 0.5 249.5)
dir="$work/race"
"$cli" batch --output-dir "$dir" --vary "D1=$values" --set Z2=28 >"$work/race-a" 2>"$work/race-a-err" &
race_a=$!
"$cli" batch --output-dir "$dir" --vary "D1=$values" --set Z2=32 >"$work/race-b" 2>"$work/race-b-err" &
race_b=$!
wait $race_a; status_a=$?
wait $race_b; status_b=$?
written=$(cat "$work/race-a" "$work/race-b" | grep -c ': written;')
existed=$(cat "$work/race-a" "$work/race-b" | grep -c 'exists already; add --force')
check "two batches at once: each name written once" [ "$written" -eq 100 ]
check "two batches at once: the rest reported as existing" [ "$existed" -eq 100 ]
check "two batches at once: 100 scripts and a summary" [ "$(ls -A "$dir" | wc -l)" -eq 101 ]
check "two batches at once: every script whole" \
  [ "$(grep -l "RegionFace(name='Shaft'" "$dir"/*.py | wc -l)" -eq 100 ]
check "two batches at once: both exit 1" [ $status_a -eq 1 ] && [ $status_b -eq 1 ]

# A reader that stops early (| head -1) loses the lines, not the files.
dir="$work/piped"
"$cli" batch --output-dir "$dir" --vary "D1=$values" --vary meshDeviation=0.5,0.6 2>"$work/err" | head -n 1 >/dev/null
status=${PIPESTATUS[0]}
check "closed pipe: exit 3, not SIGPIPE" [ "$status" -eq 3 ]
check "closed pipe: every script and the summary" [ "$(ls -A "$dir" | wc -l)" -eq 201 ]
check "closed pipe: the summary complete" [ "$(grep -c ',written,' "$dir/summary.csv")" -eq 200 ]

# An output folder that cannot be made says why.
: >"$work/plain-file"
"$cli" batch --output-dir "$work/plain-file/out" --vary Z2=28 2>"$work/err"; status=$?
check "output folder under a file: exit 1" [ $status -eq 1 ]
check "output folder under a file: says why" grep -q "cannot create the output folder .*: a part of the path is not a folder" "$work/err"

# The output path is a folder.
mkdir -p "$work/folder/motor.py"
"$cli" script --output "$work/folder/motor.py" --force 2>"$work/err"; status=$?
check "folder: exit 1" [ $status -eq 1 ]
check "folder: says so" grep -q "folder" "$work/err"
check "folder: still a folder" [ -d "$work/folder/motor.py" ]

# A path with a line break in it is named on one line.
"$cli" script --output "$work/no
such/motor.py" 2>"$work/err"; status=$?
check "line break in the path: exit 1" [ $status -eq 1 ]
check "line break in the path: one line" one_line "$work/err"

# A name of 255 bytes, the longest there is, is replaced like any other.
long=$work/long/$(printf 'm%.0s' $(seq 252)).py
mkdir "$work/long" && old_script "$long"
"$cli" script --output "$long" --force 2>/dev/null; status=$?
check "255-byte name: exit 0" [ $status -eq 0 ]
check "255-byte name: replaced" grep -q "RegionFace(name='Shaft'" "$long"
check "255-byte name: no temporary file" only_file "$work/long" "$(basename "$long")"

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
cli=$1; gui_test=$2; work=$3; design_test=$4
. "$work/helpers.sh"
mkdir -p "$work/ro" "$work/full"

# A folder that cannot be written: a read-only mount holding the old file.
mount -t tmpfs -o size=64k tmpfs "$work/ro"
old_script "$work/ro/motor.py"
mount -o remount,ro "$work/ro"
"$cli" script --output "$work/ro/motor.py" --force 2>"$work/err"; status=$?
check "read-only folder: exit 1" [ $status -eq 1 ]
check "read-only folder: names the file" grep -q "motor.py" "$work/err"
check "read-only folder: says why" grep -q "read-only" "$work/err"
check "read-only folder: unchanged" unchanged "$work/ro/motor.py"

# Full disks, for every writer: completely full, and with 8 KiB left, less
# than any of the new files needs.
for writer in "${writers[@]}"; do
  read -r kind suffix <<<"$writer"
  for left in 0 8; do
    disk="$work/full-$kind-$left"
    mkdir "$disk" && mount -t tmpfs -o size=64k tmpfs "$disk"
    old_script "$disk/old.$suffix"
    [ "$left" -eq 0 ] || head -c $((left * 1024)) /dev/zero >"$disk/spare"
    head -c 1M /dev/zero >"$disk/filler" 2>/dev/null
    rm -f "$disk/spare"
    write_as "$kind" "$disk/old.$suffix" 2>"$work/err"; status=$?
    check "$kind, ${left} KiB left: exit 1" [ $status -eq 1 ]
    check "$kind, ${left} KiB left: says why" says "$kind" "no space left" "$work/err"
    check "$kind, ${left} KiB left: one line" one_line <(error_line "$work/err")
    check "$kind, ${left} KiB left: unchanged" unchanged "$disk/old.$suffix"
    check "$kind, ${left} KiB left: no temporary file" only_file "$disk" "$(printf 'filler\nold.%s' "$suffix")"
  done
done

# The same full disk through the main window's command.
mount -t tmpfs -o size=12k tmpfs "$work/full"
old_script "$work/full/motor.py"
head -c 8000 /dev/zero >"$work/full/filler"
QT_QPA_PLATFORM=offscreen LAMINA_TEST_FULL_DISK_DIR="$work/full" "$gui_test" fullDiskKeepsTheOldFile >"$work/gui.log" 2>&1
status=$?
check "full disk through the window" [ $status -eq 0 ]
[ $status -eq 0 ] || cat "$work/gui.log" >&2
check "full disk through the window: unchanged" unchanged "$work/full/motor.py"
check "full disk through the window: no temporary file" only_file "$work/full" "$(printf 'filler\nmotor.py')"
echo "$passed $failures" >"$work/counts"
INNER
  declare -f check old_script unchanged only_file one_line write_as error_line says >"$work/helpers.sh"
  declare -p writers picks >>"$work/helpers.sh"
  echo "cli=$(printf '%q' "$cli"); passed=0; failures=0" >>"$work/helpers.sh"
  unshare -rm bash "$work/mounted.sh" "$cli" "$gui_test" "$work" "$design_test" || failures=$((failures + 1))
  if [ -f "$work/counts" ]; then
    read -r inner_passed inner_failures <"$work/counts"
    passed=$((passed + inner_passed)); failures=$((failures + inner_failures))
  else
    echo "FAIL: the mounted cases did not finish" >&2; failures=$((failures + 1))
  fi
fi

echo "file faults: $passed passed, $failures failed"
[ $failures -eq 0 ]
