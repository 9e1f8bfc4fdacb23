#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program: its window on a
# desktop, or, where there is no display (a server, a container, plain SSH),
# the same suggestions in the terminal, one query a line. With --web it
# builds the page instead (installing its tool chain) and serves it on
# 127.0.0.1 until Ctrl+C.
#   run.sh [--web [PORT]]
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "${1:-}" = --web ]; then
    port=${2:-8000}
    scripts/setup.sh --web >&2
    scripts/build-deps.sh wasm32 >&2
    cmake --preset web >/dev/null
    cmake --build --preset web >&2
    echo "The page: http://127.0.0.1:$port/ (Ctrl+C stops serving it)" >&2
    exec python3 -m http.server "$port" --bind 127.0.0.1 --directory build/web/site
fi

scripts/setup.sh >&2
cmake --preset linux >/dev/null
cmake --build --preset linux >&2

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display for the window: type an idiom or a pinyin reading a line; Ctrl+D ends." >&2
    exec build/linux/bin/quovant
fi
exec build/linux/bin/frontend
