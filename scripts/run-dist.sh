#!/usr/bin/env bash
# Starts the installed program in dist/, under a virtual X server when there is no display.
set -euo pipefail
cd "$(dirname "$0")/../dist"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display found (DISPLAY and WAYLAND_DISPLAY are unset): starting under xvfb-run."
    exec xvfb-run -a ./listaro
fi
exec ./listaro
