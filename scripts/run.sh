#!/usr/bin/env bash
# Builds and starts the desktop program, passing on its arguments (a design
# file to open, named relative to the current folder); on a machine without a
# display it runs inside a virtual X server.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/build.sh"
program="$root/build/bin/lamina"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$program" "$@"
fi
exec "$program" "$@"
