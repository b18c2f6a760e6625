#!/usr/bin/env bash
# The session bus going away under running applications with the plug-in.
# A program that never used the bus itself keeps running, and the plug-in
# in it keeps acting on the settings it reads from the dconf database (a
# Control-click still zooms to the left half); a write then fails with a
# clear error from vantro-prefs. The test application, a GApplication
# registered on the bus, ends as GLib ends every application whose own
# connection closes: by SIGTERM, in order, not by a crash. Each application
# gets a bus of its own, started here, so that the session's bus stays.
# Usage: fault_session_bus_lost.sh BUILD-DIR PATH-TO-busless_host PATH-TO-vantro-test-app
set -euo pipefail
build=$1
top=$(cd "$(dirname "$0")/../.." && pwd)
# shellcheck source=fault_lib.sh
. "$top/tests/soak/fault_lib.sh"

# A bus daemon of our own; sets bus_pid and bus_address.
start_bus() {
    local file=$work/bus-$1
    dbus-daemon --session --nofork --nopidfile --print-address=9 9>"$file" 2>"$work/bus-$1.err" &
    bus_pid=$!
    started+=("$bus_pid")
    wait_for "the bus daemon's address" test -s "$file"
    bus_address=$(head -1 "$file")
}

prefs set VantroAnimateZooms '[false, -1]'

# --- A program without a use for the bus. ---
start_bus host
start_program host DBUS_SESSION_BUS_ADDRESS="$bus_address" "$2"
left_half_and_back "in the program without a bus use"
kill -TERM "$bus_pid"
wait_for "the bus daemon to end" gone "$bus_pid"
sleep 1
kill -0 "$app_pid" 2>/dev/null || fail "the program ended with the bus: the plug-in's connection took it down"
left_half_and_back "with the bus gone"
status=0
DBUS_SESSION_BUS_ADDRESS=$bus_address prefs set VantroAnimateZooms '[true, -1]' 2>"$work/prefs.err" ||
    status=$?
[ "$status" = 1 ] || fail "vantro-prefs without a bus exited $status, not 1 (could not write)"
grep -q 'could not write VantroAnimateZooms' "$work/prefs.err" ||
    fail "vantro-prefs gave no clear error: $(cat "$work/prefs.err")"
healthy "after the failed write"
kill "$app_pid"
wait "$app_pid" 2>/dev/null || true

# --- The test application: its own GApplication connection ends it. ---
start_bus app
start_program app DBUS_SESSION_BUS_ADDRESS="$bus_address" "$3"
click_to ctrl "$left_half" "Control-click in the test application"
kill -TERM "$bus_pid"
status=0
wait "$app_pid" || status=$?
[ "$status" = 143 ] || fail "the test application ended with status $status, not by SIGTERM (143)"
! grep -E 'AddressSanitizer|runtime error|CRITICAL' "$app_log" || fail "the test application reported errors"
echo "session bus lost: ok"
