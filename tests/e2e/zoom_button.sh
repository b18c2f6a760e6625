#!/usr/bin/env bash
# Clicks on the real maximize button of the test application with the
# plug-in loaded: each default modifier click lands the window on its share
# of the work area, and the same click again puts it back where it was; a
# plain click is the window manager's maximize.
# Usage: zoom_button.sh BUILD-DIR PATH-TO-vantro-test-app
set -euo pipefail
build=$1
app=$2
top=$(cd "$(dirname "$0")/../.." && pwd)
fail() { echo "FAIL: $*" >&2; [ -n "${app_log:-}" ] && cat "$app_log" >&2; exit 1; }
# shellcheck source=desktop_lib.sh
. "$top/tests/e2e/desktop_lib.sh"
trap stop_test_app EXIT

# Animation off: the frame is final when the click's work is done.
"$build/apps/vantro-prefs/vantro-prefs" set VantroAnimateZooms '[false, -1]' >/dev/null

start_test_app "$build" "$app"
window=$(wait_for_test_window)
sleep 0.5
start=$(frame_of "$window")
read -r ax ay aw ah <<<"$(work_area)"

check_click() { # modifiers, expected frame, name
    click_title_button "$window" maximize "$1"
    wait_for_frame "$window" "$2" "$3"
    click_title_button "$window" maximize "$1"
    wait_for_frame "$window" "$start" "undo of $3"
}

check_click ctrl "$ax $ay $((aw / 2)) $ah" "Control-click (left half)"
check_click shift "$ax $ay $aw $ah" "Shift-click (whole screen)"

echo "zoom button: ok"
