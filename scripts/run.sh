#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program: its window on a
# desktop, or, where there is no display (a server, a container, plain SSH),
# the same suggestions in the terminal, one query a line.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh >&2
cmake --preset linux >/dev/null
cmake --build --preset linux >&2

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display for the window: type an idiom or a pinyin reading a line; Ctrl+D ends." >&2
    exec build/linux/bin/quovant
fi
exec build/linux/bin/frontend
