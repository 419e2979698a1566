#!/usr/bin/env bash
# Builds and starts the desktop program; on a machine without a display it
# runs inside a virtual X server.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" ./build/bin/lamina "$@"
fi
exec ./build/bin/lamina "$@"
