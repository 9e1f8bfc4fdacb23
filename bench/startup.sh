#!/usr/bin/env bash
# The window's start-up next to a bare Qt dialog's with the same controls and
# caption: both started alternately in a new Xvfb, RUNS times each (21 by
# default), each timed from its start to its window being mapped. Prints the
# medians, the quartiles and the ratio of the medians; never fails on time.
# Other builds of the window given after RUNS are started in turn beside them
# (an older build, to compare before and after a change). Needs the linux
# preset built (cmake --build --preset linux).
#   bench/startup.sh [RUNS [FRONTEND...]]
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-21}
shift $(( $# > 0 ? 1 : 0 ))
others=()
for program in "$@"; do others+=("$(realpath "$program")"); done
bin=build/linux/bench
for program in "$bin/bare_dialog" "$bin/startup_bench" build/linux/bin/frontend; do
    [ -x "$program" ] || { echo "startup.sh: no $program: build the linux preset first" >&2; exit 2; }
done
# A settings folder and runtime folder of its own: the remembered rule and
# the single-instance lock of a desktop session are left alone.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -m 700 "$scratch/runtime"
# An X server of its own, without a window manager, whose root window sees
# each window mapped.
XDG_CONFIG_HOME=$scratch/config XDG_RUNTIME_DIR=$scratch/runtime QT_QPA_PLATFORM=xcb \
    xvfb-run -a -s "-screen 0 1024x768x24" "$bin/startup_bench" "$runs" 翠岫弈天 "$PWD/$bin/bare_dialog" "$PWD/build/linux/bin/frontend" \
    "${others[@]}"
