#!/usr/bin/env bash
# Runs a window test in an X server: the display QUOVANT_TEST_DISPLAY names,
# when set (scripts/stress-window-tests.sh runs the tests on a display where
# other windows keep coming and going), else a new Xvfb of its own. Either
# keeps its root window's properties while no client is connected
# (-noreset), so that a property set for a test stays set.
#   with-x-server.sh COMMAND [ARGS...]
set -euo pipefail
if [ -n "${QUOVANT_TEST_DISPLAY:-}" ]; then
    DISPLAY=$QUOVANT_TEST_DISPLAY exec "$@"
fi
exec xvfb-run -a -s "-screen 0 1024x768x24 -noreset" "$@"
