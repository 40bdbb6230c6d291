#!/usr/bin/env bash
# Installs what is missing, builds, and starts the console.
# Arguments are passed to the console (for example --home DIR).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh release
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "No display found: starting the console on a virtual X display (xvfb-run)." >&2
  exec xvfb-run -a -s "-screen 0 1280x1024x24" build/vkx4700 "$@"
fi
exec build/vkx4700 "$@"
