#!/usr/bin/env bash
# The Linux front end as separate processes in a real X server (run inside
# xvfb-run): the window after a query (saved as a screenshot), a second copy
# that raises the first and ends with 0, and the error box of a missing or
# damaged library, closed with Enter as a user would, ending with 0.
#   process_tests.sh APPS_DIR SCREENSHOT.png
# A second screenshot, beside the first with "-tooltip" in its name, shows
# the tooltip of an idiom in the output box.
set -uo pipefail
apps=$1 screenshot=$2
TITLE="翠岫弈天"
passed=0 failed=0
pids=()
trap 'kill "${pids[@]}" 2>/dev/null' EXIT

Check() {  # Check WHAT COMMAND...
    local what=$1
    shift
    if "$@"; then
        passed=$((passed + 1)) && echo "ok   $what"
    else
        failed=$((failed + 1)) && echo "FAIL $what"
    fi
}

# The X windows of a process that carry the title, or nothing after 30 s.
WaitWindow() {  # WaitWindow PID
    local w
    for _ in $(seq 300); do
        w=$(xdotool search --all --onlyvisible --pid "$1" --name "^$TITLE\$" 2>/dev/null | head -n 1)
        [ -n "$w" ] && { echo "$w"; return 0; }
        sleep 0.1
    done
    return 1
}

Size() { xdotool getwindowgeometry "$1" | sed -n 's/^ *Geometry: //p'; }

# Top-level windows titled like ours, top-most first, as hexadecimal ids.
StackedTitles() { xwininfo -root -children | grep "\"$TITLE\"" | awk '{print $1}'; }
Hex() { printf '0x%x' "$1"; }

# Exit code of a background process, or 124 when it is still running after 10 s.
ExitCode() {  # ExitCode PID
    for _ in $(seq 100); do
        kill -0 "$1" 2>/dev/null || { wait "$1"; return $?; }
        sleep 0.1
    done
    return 124
}

# Presses Enter in a box until its process ends (a press that comes before
# the box takes keys is lost); then gives the process's exit code.
CloseWithEnter() {  # CloseWithEnter WINDOW PID
    for _ in 1 2 3 4 5; do
        # The box closes on the press, so the release finds no window: quiet.
        xdotool key --window "$1" Return 2>/dev/null
        for _ in $(seq 20); do
            kill -0 "$2" 2>/dev/null || { wait "$2"; return $?; }
            sleep 0.1
        done
    done
    return 124
}

# Qt's own options must not reach Qt: -reverse would mirror the window.
"$apps/app/frontend" -reverse 2>/dev/null &
first=$!
pids+=("$first")
main=$(WaitWindow "$first")
Check "the window appears" test -n "$main"
Check "client area 400x200" test "$(Size "$main")" = "400x200"

xdotool key --window "$main" Return
sleep 1
mkdir -p "$(dirname "$screenshot")"
Check "screenshot saved" import -window "$main" "$screenshot"

# Mean brightness (0 black to 1 white) of a part of the screenshot.
Brightness() { convert "$screenshot" -crop "$1" -colorspace Gray -format '%[fx:mean]' info:; }
# The output box's scroll bar stands at its right edge, not mirrored to its
# left: below the text, its left edge is blank and its right edge is not.
Check "not mirrored by -reverse: the scroll bar at the right" \
    awk -v l="$(Brightness 12x40+14+140)" -v r="$(Brightness 12x40+376+140)" 'BEGIN { exit !(l > 0.99 && r < 0.98) }'

# Resting the pointer on the first idiom of the output box brings up its
# tooltip: a window of the program's own beside the main one.
tooltip_shot=${screenshot%.png}-tooltip.png
eval "$(xdotool getwindowgeometry --shell "$main")"
xdotool mousemove $((X + 40)) $((Y + 86))
for _ in $(seq 50); do
    [ "$(xdotool search --onlyvisible --pid "$first" 2>/dev/null | wc -l)" -ge 2 ] && break
    sleep 0.1
done
Check "hovering an idiom shows a tooltip" test "$(xdotool search --onlyvisible --pid "$first" | wc -l)" -ge 2
import -window root -crop "640x320+$((X - 20))+$((Y - 20))" +repage "$tooltip_shot"
xdotool mousemove 0 0

# An error box from a copy without its library now covers the window.
"$apps/alone/frontend" 2>/dev/null &
alone=$!
pids+=("$alone")
box=$(WaitWindow "$alone")
Check "missing library: a box appears" test -n "$box"
Check "missing library: the box is not the main window" test "$(Size "$box")" != "400x200"
Check "missing library: only the box" test "$(xdotool search --all --pid "$alone" --name "^$TITLE\$" | wc -l)" = 1
Check "the box covers the window" test "$(StackedTitles | head -n 1)" = "$(Hex "$box")"

"$apps/app/frontend" 2>/dev/null &
second=$!
ExitCode "$second"
Check "second copy ends with 0" test $? = 0
sleep 0.5
Check "second copy raised the first" test "$(StackedTitles | head -n 1)" = "$(Hex "$main")"

CloseWithEnter "$box" "$alone"
Check "missing library: Enter closes the box, exit code 0" test $? = 0

for damaged in bad-pinyin bad-idioms; do
    "$apps/$damaged/frontend" 2>/dev/null &
    pid=$!
    pids+=("$pid")
    box=$(WaitWindow "$pid")
    Check "$damaged: a box appears" test -n "$box"
    Check "$damaged: the box is not the main window" test "$(Size "$box")" != "400x200"
    CloseWithEnter "$box" "$pid"
    Check "$damaged: Enter closes the box, exit code 0" test $? = 0
done

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
