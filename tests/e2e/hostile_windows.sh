#!/usr/bin/env bash
# Windows that go away while the plug-in works on them: a window closed
# during an animated zoom and one closed in the middle of an edge drag. The
# application must live on
# (under the sanitizers any use of a freed window stops it) and the plug-in
# must go on working in the window that is left.
# Usage: hostile_windows.sh BUILD-DIR PATH-TO-vantro-test-app
set -euo pipefail
build=$1
app=$2
top=$(cd "$(dirname "$0")/../.." && pwd)
fail() { echo "FAIL: $*" >&2; [ -n "${app_log:-}" ] && cat "$app_log" >&2; exit 1; }
# shellcheck source=desktop_lib.sh
. "$top/tests/e2e/desktop_lib.sh"
trap stop_test_app EXIT

start_test_app "$build" "$app"
keeper=$(wait_for_test_window)
sleep 0.5

alive() { kill -0 "$app_pid" 2>/dev/null || fail "the application died: $1"; }
# Opens one more window with Ctrl+N and prints its id.
another_window() {
    local before
    before=$(test_windows | wc -l)
    xdotool windowfocus --sync "$keeper" key --clearmodifiers ctrl+n
    for _ in $(seq 50); do
        [ "$(test_windows | wc -l)" -gt "$before" ] && break
        sleep 0.1
    done
    test_windows | grep -vx "$keeper" | tail -n1
}
close_focused() { xdotool key --clearmodifiers alt+F4; }
wait_gone() {
    for _ in $(seq 50); do
        xwininfo -id "$1" >/dev/null 2>&1 || return 0
        sleep 0.1
    done
    fail "window $1 did not close"
}

# Closed 0.1 s into a 0.35 s animated zoom.
victim=$(another_window)
sleep 0.5
click_title_button "$victim" maximize ctrl
sleep 0.1
close_focused
wait_gone "$victim"
sleep 0.6
alive "a window closed during an animated zoom"

# Closed in the middle of an edge drag, the button still down.
victim=$(another_window)
sleep 0.5
read -r x y w h <<<"$(frame_of "$victim")"
xdotool mousemove --sync $((x + w - 2)) $((y + h - 2)) mousedown 1
xdotool mousemove --sync $((x + w + 30)) $((y + h + 20))
close_focused
wait_gone "$victim"
xdotool mouseup 1
sleep 0.5
alive "a window closed during an edge drag"

# The window that is left still zooms and undoes.
"$build/apps/vantro-prefs/vantro-prefs" set VantroAnimateZooms '[false, -1]' >/dev/null
sleep 0.5
start=$(frame_of "$keeper")
read -r ax ay aw ah <<<"$(work_area)"
click_title_button "$keeper" maximize ctrl
wait_for_frame "$keeper" "$ax $ay $((aw / 2)) $ah" "left half of the window left"
click_title_button "$keeper" maximize ctrl
wait_for_frame "$keeper" "$start" "undo in the window left"
alive "the end"
echo "hostile windows: ok"
