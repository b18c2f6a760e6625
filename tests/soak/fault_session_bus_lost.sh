#!/usr/bin/env bash
# The session bus going away under running applications with the plug-in.
# A program that never used the bus itself keeps running, and the plug-in
# in it keeps acting on the settings it reads from the dconf database (a
# Control-click still zooms to the left half); a write then fails with a
# clear error from vantro-prefs. The test application, a GApplication
# registered on the bus, ends as GLib ends every application whose own
# connection closes: by SIGTERM, in order, not by a crash. Each application gets a bus of its
# own, started here, so that the session's bus stays for the rest.
# Usage: fault_session_bus_lost.sh BUILD-DIR PATH-TO-busless_host PATH-TO-vantro-test-app
set -euo pipefail
build=$1
host=$2
app=$3
top=$(cd "$(dirname "$0")/../.." && pwd)
kTimeoutTenths=100
# shellcheck source=../e2e/process_lib.sh
. "$top/tests/e2e/process_lib.sh"
# shellcheck source=../e2e/desktop_lib.sh
. "$top/tests/e2e/desktop_lib.sh"
prefs="$build/apps/vantro-prefs/vantro-prefs"

# A bus daemon of our own; sets bus_pid and bus_address.
start_bus() {
    local file=$work/bus-$1
    dbus-daemon --session --nofork --nopidfile --print-address=9 9>"$file" 2>"$work/bus-$1.err" &
    bus_pid=$!
    started+=("$bus_pid")
    wait_for "the bus daemon's address" test -s "$file"
    bus_address=$(head -1 "$file")
}
gone() { ! kill -0 "$1" 2>/dev/null; }

"$prefs" set VantroAnimateZooms '[false, -1]'

# --- A program without a use for the bus. ---
start_bus host
app_log=$work/host.log
DBUS_SESSION_BUS_ADDRESS=$bus_address G_MESSAGES_DEBUG=Vantro \
    "$top/tools/with-vantro" --build "$build" "$host" >"$app_log" 2>&1 &
host_pid=$!
started+=("$host_pid")
window=$(wait_for_test_window)
sleep 0.5
start=$(frame_of "$window")
read -r ax ay aw ah <<<"$(work_area_of "$window")"
left_half="$ax $ay $((aw / 2)) $ah"
click_title_button "$window" maximize ctrl
wait_for_frame "$window" "$left_half" "Control-click in the program without a bus use"
click_title_button "$window" maximize ctrl
wait_for_frame "$window" "$start" "its undo"

kill -TERM "$bus_pid"
wait_for "the bus daemon to end" gone "$bus_pid"
sleep 1
kill -0 "$host_pid" 2>/dev/null || fail "the program ended with the bus: the plug-in's connection took it down"
click_title_button "$window" maximize ctrl
wait_for_frame "$window" "$left_half" "Control-click with the bus gone"
click_title_button "$window" maximize ctrl
wait_for_frame "$window" "$start" "undo with the bus gone"
status=0
DBUS_SESSION_BUS_ADDRESS=$bus_address "$prefs" set VantroAnimateZooms '[true, -1]' \
    >/dev/null 2>"$work/prefs.err" || status=$?
[ "$status" = 1 ] || fail "vantro-prefs without a bus exited $status, not 1 (could not write)"
grep -q 'could not write VantroAnimateZooms' "$work/prefs.err" ||
    fail "vantro-prefs gave no clear error: $(cat "$work/prefs.err")"
kill -0 "$host_pid" 2>/dev/null || fail "the program ended after the failed write"
! grep -E 'AddressSanitizer|runtime error|CRITICAL' "$app_log" || fail "the program reported errors"
kill "$host_pid"
wait "$host_pid" 2>/dev/null || true

# --- The test application: its own GApplication connection ends it. ---
start_bus app
app_log=$work/app.log
DBUS_SESSION_BUS_ADDRESS=$bus_address G_MESSAGES_DEBUG=Vantro \
    "$top/tools/with-vantro" --build "$build" "$app" >"$app_log" 2>&1 &
app_pid=$!
window=$(wait_for_test_window)
sleep 0.5
click_title_button "$window" maximize ctrl
wait_for_frame "$window" "$left_half" "Control-click in the test application"
kill -TERM "$bus_pid"
status=0
wait "$app_pid" || status=$?
[ "$status" = 143 ] || fail "the test application ended with status $status, not by SIGTERM (143)"
! grep -E 'AddressSanitizer|runtime error|CRITICAL' "$app_log" || fail "the test application reported errors"
echo "session bus lost: ok"
