#!/usr/bin/env bash
# The Linux front end as separate processes in a real X server: the player's
# own idioms read at start, the window after a query (saved as a screenshot), a second copy that raises the first
# and ends with 0, and the error box of a missing or damaged library, closed
# with Enter as a user would, ending with 0.
#   process_tests.sh X_WINDOWS APPS_DIR SCREENSHOT.png
# X_WINDOWS lists the display's windows; other programs' windows may come and
# go meanwhile. Each check waits, up to a deadline, for a state that holds in
# two listings in a row, and a failed check prints the windows it saw. A
# second screenshot, beside the first with "-tooltip" in its name, shows the
# tooltip of an idiom in the output box.
set -uo pipefail
x_windows=$1 apps=$2 screenshot=$3
TITLE="翠岫弈天"
DEADLINE=30  # seconds a check waits for what it expects
passed=0 failed=0
pids=()
# A runtime folder of the test's own, for the single-instance lock and socket:
# a copy of the program that the user, or another test, runs meanwhile is
# not this test's first copy.
XDG_RUNTIME_DIR=$(mktemp -d)
# Settings of their own, so that a rule a player chose never reaches a test;
# and the player's own idioms of their own, one of them a bad line.
XDG_CONFIG_HOME=$(mktemp -d)
XDG_DATA_HOME=$(mktemp -d)
mkdir -p "$XDG_DATA_HOME/quovant"
printf '囧囧有神\n坏\n' >"$XDG_DATA_HOME/quovant/idioms.txt"
errors=$XDG_DATA_HOME/errors.txt
export XDG_RUNTIME_DIR XDG_CONFIG_HOME XDG_DATA_HOME
trap 'kill "${pids[@]}" 2>/dev/null; rm -rf "$XDG_RUNTIME_DIR" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME"' EXIT

Pass() { passed=$((passed + 1)) && echo "ok   $1"; }
Fail() { failed=$((failed + 1)) && echo "FAIL $1"; }

Check() {  # Check WHAT COMMAND...
    local what=$1
    shift
    if "$@"; then Pass "$what"; else Fail "$what"; fi
}

# The listing the last Wait looked at: "ID PID STATE GEOMETRY TITLE", top first.
seen=""

# Waits until PREDICATE, given the listing as "$seen", holds in two listings
# in a row, for at most DEADLINE seconds; a failure prints the last listing.
Wait() {  # Wait WHAT PREDICATE [ARGS...]
    local what=$1 held=0 deadline=$((SECONDS + DEADLINE))
    shift
    while :; do
        seen=$("$x_windows")
        if "$@"; then
            held=$((held + 1))
            [ "$held" -ge 2 ] && { Pass "$what"; return 0; }
        else
            held=0
        fi
        [ "$SECONDS" -ge "$deadline" ] && break
        sleep 0.1
    done
    Fail "$what"
    echo "     windows seen (top first: id pid state geometry title):"
    sed 's/^/       /' <<<"$seen"
    return 1
}

# Fields of the listing, for the predicates.
Titled() { awk -v pid="$1" -v t="$TITLE" '$2 == pid && $3 == "viewable" && $5 == t' <<<"$seen"; }
Shown() { awk -v pid="$1" '$2 == pid && $3 == "viewable"' <<<"$seen"; }
TopTitled() { awk -v t="$TITLE" '$3 == "viewable" && $5 == t { print $1; exit }' <<<"$seen"; }
GeometryOf() { awk -v id="$1" '$1 == id { print $4 }' <<<"$seen"; }

# Predicates over "$seen".
HasTitledWindow() { [ -n "$(Titled "$1")" ]; }
HasOnlyOneTitledWindow() { [ "$(Titled "$1" | wc -l)" -eq 1 ]; }
ShowsAtLeast() { [ "$(Shown "$1" | wc -l)" -ge "$2" ]; }
IsTopTitled() { [ "$(TopTitled)" = "$1" ]; }

# True for a window of the last listing whose client area is not the main window's.
IsNotMainSized() { [ -n "$1" ] && [ -n "$(GeometryOf "$1")" ] && [ "$(GeometryOf "$1" | cut -d+ -f1)" != "400x200" ]; }

# The id of the process's titled window, from the last listing.
TitledId() { Titled "$1" | awk '{ print $1; exit }'; }

# Exit code of a background process, or 124 when it is still running after
# the deadline.
ExitCode() {  # ExitCode PID
    local deadline=$((SECONDS + DEADLINE))
    while [ "$SECONDS" -lt "$deadline" ]; do
        kill -0 "$1" 2>/dev/null || { wait "$1"; return $?; }
        sleep 0.1
    done
    return 124
}

# Presses Enter in a box until its process ends (a press that comes before
# the box takes keys is lost); then gives the process's exit code.
CloseWithEnter() {  # CloseWithEnter WINDOW PID
    local deadline=$((SECONDS + DEADLINE))
    while [ "$SECONDS" -lt "$deadline" ]; do
        # The box closes on the press, so xdotool meets no window for the
        # release and ends with the key still down in the X server: release
        # it, so that whatever uses the display next finds no key held.
        xdotool key --window "$1" Return 2>/dev/null
        xdotool keyup Return
        for _ in $(seq 20); do
            kill -0 "$2" 2>/dev/null || { wait "$2"; return $?; }
            sleep 0.1
        done
    done
    return 124
}

# Mean brightness (0 black to 1 white) of a part of the screenshot.
Brightness() { convert "$screenshot" -crop "$1" -colorspace Gray -format '%[fx:mean]' info:; }

# The window after the query: text at the left of the output box, and its
# scroll bar at its right edge, not mirrored to its left (below the text, its
# left edge is blank and its right edge is not).
AnsweredNotMirrored() {
    import -window "$1" "$screenshot" 2>/dev/null || return 1
    awk -v text="$(Brightness 180x20+14+80)" -v l="$(Brightness 12x40+14+140)" -v r="$(Brightness 12x40+376+140)" \
        'BEGIN { exit !(text < 0.97 && l > 0.99 && r < 0.98) }'
}

# Qt's own options must not reach Qt: -reverse would mirror the window.
"$apps/app/frontend" -reverse 2>"$errors" &
first=$!
pids+=("$first")
Wait "the window appears" HasTitledWindow "$first"
# The player's file is read before the window shows.
expected="$XDG_DATA_HOME/quovant/idioms.txt:2: 坏 is not an idiom: it must be 3 to 13 Chinese characters (left out)"
Check "the player's own idioms are read: the bad line told by its number" test "$(cat "$errors")" = "$expected"
[ "$(cat "$errors")" = "$expected" ] || echo "     standard error: $(cat "$errors")"
main=$(TitledId "$first")
Check "client area 400x200" test -n "$main" -a "$(GeometryOf "$main" | cut -d+ -f1)" = "400x200"

xdotool key --window "$main" Return
mkdir -p "$(dirname "$screenshot")"
deadline=$((SECONDS + DEADLINE))
until AnsweredNotMirrored "$main" || [ "$SECONDS" -ge "$deadline" ]; do sleep 0.2; done
Check "the query answered, not mirrored by -reverse: the scroll bar at the right (screenshot saved)" \
    AnsweredNotMirrored "$main"

# Resting the pointer on the first idiom of the output box brings up its
# tooltip: a window of the program's own beside the main one.
tooltip_shot=${screenshot%.png}-tooltip.png
eval "$(xdotool getwindowgeometry --shell "$main")"
xdotool mousemove $((X + 40)) $((Y + 86))
Wait "hovering an idiom shows a tooltip" ShowsAtLeast "$first" 2
import -window root -crop "640x320+$((X - 20))+$((Y - 20))" +repage "$tooltip_shot"
xdotool mousemove 0 0

# An error box from a copy without its library now covers the window.
"$apps/alone/frontend" 2>/dev/null &
alone=$!
pids+=("$alone")
Wait "missing library: a box appears" HasTitledWindow "$alone"
box=$(TitledId "$alone")
Check "missing library: the box is not the main window" IsNotMainSized "$box"
Wait "missing library: only the box" HasOnlyOneTitledWindow "$alone"
Wait "the box covers the window" IsTopTitled "$box"

"$apps/app/frontend" 2>/dev/null &
second=$!
ExitCode "$second"
Check "second copy ends with 0" test $? = 0
Wait "second copy raised the first" IsTopTitled "$main"

CloseWithEnter "$box" "$alone"
Check "missing library: Enter closes the box, exit code 0" test $? = 0

for damaged in bad-pinyin bad-idioms; do
    "$apps/$damaged/frontend" 2>/dev/null &
    pid=$!
    pids+=("$pid")
    Wait "$damaged: a box appears" HasTitledWindow "$pid"
    box=$(TitledId "$pid")
    Check "$damaged: the box is not the main window" IsNotMainSized "$box"
    CloseWithEnter "$box" "$pid"
    Check "$damaged: Enter closes the box, exit code 0" test $? = 0
done

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
