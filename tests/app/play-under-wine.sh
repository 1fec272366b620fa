#!/usr/bin/env bash
# Plays the Windows build of the game under wine, on a virtual display of its own that has no
# 800x600 mode, the way a person would: clicks and keys sent through the X server with xdotool,
# what the window shows read back from the screen. Checks that the render and window tests pass
# in Win32 windows (their Windows builds, when they were built), that the game draws, that a
# typed "k" zooms once and no more, that F1 asks whether to play in a window and "Yes" reopens
# the window where it was, that clicking point 8 moves the human's checkers from it, that an
# arrow held through a toggle goes on turning the view until it is let go, and that Escape then
# ends the game with status 0.
# Usage: play-under-wine.sh <window-pixels program> <Windows build folder>
# Exits 77 (skipped) when the Windows build, wine, Xvfb or xdotool is missing.
set -u
pixels=$1
build=${2:-}
game=$build/bin/kestrane.exe
wine=${KESTRANE_WINE:-/usr/lib/wine/wine64}
[ -n "$build" ] && [ -f "$game" ] || { echo "no Windows build of the game in '$build': skipped"; exit 77; }
build=$(cd "$build" && pwd)
for tool in "$wine" wineserver Xvfb xdotool; do
    command -v "$tool" >/dev/null || { echo "no $tool: skipped"; exit 77; }
done

scratch=$(mktemp -d)
log=$scratch/game.log
journal=$scratch/journal.txt
failures=0
xvfb=""
# A prefix of this test's own, beside the one KESTRANE_WINEPREFIX names for the other Windows
# tests, else kept in the build between runs (making one takes a while); its wine server goes at
# the end, so that nothing keeps talking to the display after it is gone.
if [ -n "${KESTRANE_WINEPREFIX:-}" ]; then
    export WINEPREFIX=$KESTRANE_WINEPREFIX-window-test
else
    export WINEPREFIX=$build/wine-window-test
fi
export WINEDEBUG=-all
# No .NET or HTML engine is needed, and their installers must not ask while the prefix is made;
# nor may a test run add menu entries or file types to the user's desktop.
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
cleanup() {
    [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null
    wineserver -k 2>/dev/null
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
    rm -rf "$scratch"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*"
    [ -s "$log" ] && sed 's/^/  game: /' "$log"
    failures=$((failures + 1))
}

for n in $(seq 250 280); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || { display=":$n"; break; }
done
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=$display
for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done

# A crash must end the program, not wait on a dialog nobody can see.
mkdir -p "$WINEPREFIX"
"$wine" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1

# The window of this name that is mapped now, if any. xdotool gives up on a window that goes
# while it looks, as the game's does at a toggle: ask again until the answer is steady.
visible() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | tail -1; }
# Waits up to 30 seconds for a mapped window of this name other than $2.
wait_window() {
    local w
    for _ in $(seq 150); do
        w=$(visible "$1")
        [ -n "$w" ] && [ "$w" != "${2:-}" ] && { echo "$w"; return 0; }
        kill -0 "$pid" 2>/dev/null || return 1
        sleep 0.2
    done
    return 1
}
# Gives the window the keyboard and waits until the server says it has it.
focus() {
    for _ in $(seq 50); do
        timeout 5 xdotool windowfocus --sync "$1" 2>/dev/null
        [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ] && return 0
        sleep 0.1
    done
    return 1
}
position() { xdotool getwindowgeometry "$1" 2>/dev/null | sed -n 's/^ *Position: \([0-9]*,[0-9]*\).*/\1/p'; }
size() { xdotool getwindowgeometry "$1" 2>/dev/null | sed -n 's/^ *Geometry: \([0-9x]*\).*/\1/p'; }
# The part of the board left of the hand's resting place and above the dice: still while the
# game waits for the player.
board() { "$pixels" "$1" 0 0 640 400; }
# Waits up to 20 seconds until two looks at the board a moment apart agree; prints the picture's
# file. Nothing but the fade-in and the game's own moves changes it.
steady() {
    local before=$scratch/steady-a now=$scratch/steady-b
    board "$1" >"$before" || return 1
    for _ in $(seq 40); do
        sleep 0.5
        board "$1" >"$now" || return 1
        if cmp -s "$before" "$now"; then
            echo "$now"
            return 0
        fi
        mv "$now" "$before"
    done
    return 1
}
# Bytes of two pictures that differ.
differing() { cmp -l "$1" "$2" 2>/dev/null | wc -l; }
# Waits up to ten seconds for the board of window $1 to differ from the picture $2 in more than
# a thousand bytes; the last picture taken is left in $3.
comes_to_differ() {
    for _ in $(seq 100); do
        board "$1" >"$3"
        [ "$(differing "$2" "$3")" -gt 1000 ] && return 0
        sleep 0.1
    done
    return 1
}
# Whether the 40 x 20 pixels around (x, y) look different from the picture in $4.
region() { "$pixels" "$1" $(($2 - 20)) $(($3 - 10)) 40 20; }
changed() {
    local now=$scratch/region
    region "$1" "$2" "$3" >"$now" && [ "$(differing "$4" "$now")" -gt 600 ]
}

# 1. The render tests' checks of the drawn board and the window tests' openings, fullscreen and
# fade-in, in windows of the Windows backend. Their typed keys need xdotool from the Windows side
# and skip themselves.
for tests in render_window_tests app_window_tests; do
    if [ -f "$build/bin/$tests.exe" ]; then
        (cd "$scratch" && timeout 300 "$wine" "$build/bin/$tests.exe") >"$log" 2>&1 ||
            fail "$tests in a Win32 window"
    else
        echo "note: no Windows build of $tests: what it checks is not checked here"
    fi
    : >"$log"
done

# 2. The game, started where its weights are. No box is answered for it: the real ones come.
(cd "$build/bin" && exec "$wine" ./kestrane.exe --record "$journal") >"$log" 2>&1 &
pid=$!
w=$(wait_window "Kestrane Alpha ver") || { fail "no game window"; exit 1; }
where=$(position "$w")
# The pointer rests off the board, at the bottom right, where the hand then stays.
xdotool mousemove --window "$w" 780 580
first=$(steady "$w") || fail "the game draws no steady board"
cp "$first" "$scratch/first"
[ "$(tr -d '\0' <"$scratch/first" | wc -c)" -gt 100000 ] || fail "the board is dark"

# 3. A typed "k" zooms in one step: the board changes once, then stays as it is.
focus "$w" || fail "the game window does not get the keyboard"
xdotool key --clearmodifiers k
comes_to_differ "$w" "$scratch/first" "$scratch/zoom" || fail "typed k: the view did not change"
after=$(steady "$w") && cp "$after" "$scratch/zoomed"
for _ in 1 2 3 4; do
    sleep 0.5
    board "$w" >"$scratch/later"
    cmp -s "$scratch/zoomed" "$scratch/later" || { fail "typed k: the view goes on changing"; break; }
done

# 4. F1: the display has no 800x600 mode, so the game asks; "Yes" keeps a window, where it was.
# Sets w to the new window.
toggle() {
    focus "$w" || fail "F1: the game window does not get the keyboard"
    xdotool key --clearmodifiers F1
    box=""
    for _ in $(seq 150); do
        box=$(visible "Zorv GL")
        [ -n "$box" ] && break
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.2
    done
    if [ -z "$box" ]; then
        fail "F1: no question"
    else
        grep -q "Zorv GL: The Requested Fullscreen Mode Is Not Supported By" "$log" ||
            fail "F1: the question is not the game's"
        focus "$box" || fail "F1: the question does not get the keyboard"
        xdotool key Return # its first button, "Yes"
    fi
    w2=$(wait_window "Kestrane Alpha ver" "$w") || { fail "F1: no window after Yes"; exit 1; }
    w=$w2
    [ "$(position "$w")" = "$where" ] || fail "F1: the window moved from $where to $(position "$w")"
    [ "$(size "$w")" = 800x600 ] || fail "F1: the window's client area is $(size "$w"), not 800x600"
    grep -q "Program Will Now Close." "$log" && fail "F1: Yes was taken as No"
}
toggle

# 5. The opening move, clicked: the fingertips over point 8 (they pick ahead of the pointer),
# and the checkers leave its third and second slots. A click while the hand is still carrying
# does nothing, so the clicks go on until the board shows the move.
xdotool mousemove --window "$w" 780 580
steady "$w" >/dev/null || fail "no steady board after the toggle"
region "$w" 310 438 >"$scratch/slot3"
region "$w" 307 477 >"$scratch/slot2"
for slot in "310 438 slot3" "307 477 slot2"; do
    set -- $slot
    moved=""
    for _ in $(seq 60); do
        xdotool mousemove --window "$w" 344 408 click 1 mousemove --window "$w" 780 580
        sleep 0.5
        # Moved, and not just lit up by the click: still so a moment later.
        if changed "$w" "$1" "$2" "$scratch/$3" && sleep 0.5 && changed "$w" "$1" "$2" "$scratch/$3"; then
            moved=yes
            break
        fi
    done
    [ -n "$moved" ] || fail "clicking point 8: the checker in its $3 stays"
done

# 6. An arrow held down through another toggle goes on turning the view in the new window,
# until it is let go there. The computer's reply has been played first.
xdotool mousemove --window "$w" 780 580
steady "$w" >/dev/null || fail "no steady board after the computer's reply"
focus "$w" || fail "held arrow: the game window does not get the keyboard"
board "$w" >"$scratch/unturned"
xdotool keydown Left
comes_to_differ "$w" "$scratch/unturned" "$scratch/turned" || fail "held arrow: the view does not turn"
toggle
for _ in 1 2 3; do
    board "$w" >"$scratch/turn-a"
    sleep 0.3
    board "$w" >"$scratch/turn-b"
    cmp -s "$scratch/turn-a" "$scratch/turn-b" && { fail "held arrow: let go by the toggle"; break; }
done
focus "$w" || fail "held arrow: the new window does not get the keyboard"
xdotool keyup Left
steady "$w" >/dev/null || fail "held arrow: the view goes on turning after the key is let go"

# 7. Escape: the light fades out and the game ends with status 0.
focus "$w" || fail "Escape: the game window does not get the keyboard"
xdotool key --clearmodifiers Escape
for _ in $(seq 300); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$pid" 2>/dev/null; then
    fail "Escape: the game goes on"
else
    wait "$pid"
    status=$?
    [ "$status" -eq 0 ] || fail "Escape: exit status $status"
fi
pid=""

# The events as the game took them: the typed k once, the clicks on point 8.
[ "$(grep -c ' char 107' "$journal")" -eq 1 ] || fail "typed k: not taken exactly once"
grep -q ' click left 344 408' "$journal" || fail "clicks: not taken where they were made"

[ "$failures" -eq 0 ] && echo "all scenarios passed"
exit $((failures > 0))
