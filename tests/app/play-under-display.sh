#!/usr/bin/env bash
# Plays the built game the way a person would, through the X server: keys typed with xdotool
# into the real window. Checks that Escape ends the game with status 0, that F1 reaches
# fullscreen (or its fallback question, where the display cannot change mode) and back, and that
# without a display, or with one that nobody serves, the game says why and ends with status 0.
# Usage: play-under-display.sh <game binary>. Exits 77 (skipped) when DISPLAY is not set.
set -u
game=$1
[ -n "${DISPLAY:-}" ] || { echo "no X display: skipped"; exit 77; }
log=$(mktemp)
failures=0
own_server=""
trap 'rm -f "$log"; [ -n "$own_server" ] && kill "$own_server" 2>/dev/null' EXIT

fail() { echo "FAIL: $*"; sed 's/^/  game: /' "$log"; failures=$((failures + 1)); }

# The game's window once it is mapped (viewable), waiting up to ten seconds for it.
wait_window() {
    timeout 10 xdotool search --sync --onlyvisible --name "^Kestrane Alpha ver$" 2>/dev/null | tail -1
}

# Types a key into the game: waits for its mapped window, gives it the focus and waits until the
# server says it has it, so that the key cannot go to no window while the game is still starting.
press() {
    local w focused
    w=$(wait_window)
    [ -n "$w" ] || return 1
    for _ in $(seq 50); do
        timeout 5 xdotool windowfocus --sync "$w" 2>/dev/null
        focused=$(xdotool getwindowfocus 2>/dev/null)
        [ "$focused" = "$w" ] && break
        sleep 0.1
    done
    [ "$focused" = "$w" ] || return 1
    xdotool key --clearmodifiers "$1"
}

# F1 closes the window and opens a new one: wait until the old window is gone from view and a new
# one (or the game's end, or its fallback question) has come.
toggle() {
    local old w
    old=$(wait_window)
    press F1 || return 1
    for _ in $(seq 100); do
        kill -0 "$pid" 2>/dev/null || return 0
        w=$(xdotool search --onlyvisible --name "^Kestrane Alpha ver$" 2>/dev/null | tail -1)
        [ -n "$w" ] && [ "$w" != "$old" ] && return 0
        sleep 0.1
    done
    return 1
}

# Starts the game in the background; finish waits for it and checks its status.
start() { KESTRANE_MESSAGE_BOX_ANSWER=$1 timeout 30 "$game" >"$log" 2>&1 & pid=$!; }
finish() {
    wait "$pid"
    local status=$?
    [ "$status" -eq 0 ] || fail "$1: exit status $status"
}

# 1. Escape alone: the fade-out ends the game.
start yes
press Escape || fail "escape: no window"
finish escape

# 2. F1 there and back on this display; where it cannot switch mode, the fallback is taken.
start yes
toggle || fail "toggle: no new window"
toggle || fail "toggle back: no new window"
press Escape || fail "toggle: no window for Escape"
finish toggle

# 3. Declining the fallback ends the game with status 0 (when the display refuses the mode).
start no
toggle || fail "decline: neither a new window nor the end"
if grep -q "Not Supported" "$log"; then
    grep -q "Program Will Now Close." "$log" || fail "decline: no closing box"
else
    press Escape
fi
finish decline

# 4. A display of exactly the game's size: fullscreen is granted and covers it from (0, 0).
for n in $(seq 130 160); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || { own=":$n"; break; }
done
Xvfb "$own" -screen 0 800x600x24 -nolisten tcp -noreset >/dev/null 2>&1 &
own_server=$!
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${own#:}" ] && break; sleep 0.1; done
(
    failures=0
    export DISPLAY=$own
    start no
    toggle || fail "fullscreen: no window"
    w=$(wait_window)
    geometry=$(xdotool getwindowgeometry "$w" 2>/dev/null)
    echo "$geometry" | grep -q "Position: 0,0" || fail "fullscreen: not at (0, 0): $geometry"
    echo "$geometry" | grep -q "Geometry: 800x600" || fail "fullscreen: not 800x600: $geometry"
    grep -q "Not Supported" "$log" && fail "fullscreen: refused on a display of its own size"
    toggle || fail "fullscreen: no window back"
    press Escape || fail "fullscreen: no window for Escape"
    finish fullscreen
    exit "$failures"
) || failures=$((failures + $?))

# 5. No display at all: the first failure is explained and the status is still 0.
env -u DISPLAY -u WAYLAND_DISPLAY timeout 10 "$game" >"$log" 2>&1
status=$?
[ "$status" -eq 0 ] || fail "headless: exit status $status"
grep -q "Failed To Register The Window Class." "$log" || fail "headless: no explanation"

# 6. A display that nobody serves: the same, rather than a game running unseen.
for n in $(seq 161 190); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || { dead=":$n"; break; }
done
DISPLAY=$dead timeout 10 "$game" >"$log" 2>&1
status=$?
[ "$status" -eq 0 ] || fail "dead display: exit status $status"
grep -q "Failed To Register The Window Class." "$log" || fail "dead display: no explanation"

[ "$failures" -eq 0 ] && echo "all scenarios passed"
exit $((failures > 0))
