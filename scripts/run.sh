#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program's window.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake --preset linux >/dev/null
cmake --build --preset linux

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    cat >&2 <<'TEXT'
There is no display to show the window on (neither DISPLAY nor WAYLAND_DISPLAY is set).
Run this command from a desktop session, or over SSH with X forwarding (ssh -X).
Without any display, the same suggestions are at hand in the terminal:
    build/linux/bin/quovant 一心一意
TEXT
    exit 1
fi
exec build/linux/bin/frontend
