#!/usr/bin/env bash
# The session bus going away under applications with the plug-in, each on its own bus: a
# program that never used the bus (menu_bar_window with GTK's title bar) runs
# on, the plug-in still acting; the test application (a GApplication) ends by SIGTERM as
# GLib ends one whose connection closes.
# Usage: fault_session_bus_lost.sh BUILD-DIR PATH-TO-menu_bar_window PATH-TO-vantro-test-app
set -euo pipefail
build=$1
# shellcheck source=../e2e/process_lib.sh
. "$(dirname "$0")/../e2e/process_lib.sh"

start_bus() {
    local file=$work/bus-$1
    dbus-daemon --session --nofork --nopidfile --print-address=9 9>"$file" 2>"$work/bus-$1.err" &
    bus_pid=$!
    started+=("$bus_pid")
    wait_for "the bus daemon's address" test -s "$file"
    bus_address=$(head -1 "$file")
}

prefs set VantroAnimateZooms '[false, -1]'
prefs set VantroClientTitleBars true

# --- A program without a use for the bus. ---
start_bus host
search=(--name '^Menu Bar Window$')
open_window "$build" GTK_CSD=0 DBUS_SESSION_BUS_ADDRESS="$bus_address" -- "$2" "Menu Bar Window" --no-increments
unset search
kill -TERM "$bus_pid"
wait_for "the bus daemon to end" gone "$bus_pid"
sleep 1
! gone "$app_pid" || fail "the program ended with the bus: the plug-in's connection took it down"
click_and_back ctrl "$left_half" "Control-click with the bus gone"
status=0
DBUS_SESSION_BUS_ADDRESS=$bus_address prefs set VantroAnimateZooms '[true, -1]' 2>"$work/prefs.err" ||
    status=$?
[ "$status" = 1 ] || fail "vantro-prefs without a bus exited $status, not 1 (could not write)"
grep -q 'could not write VantroAnimateZooms' "$work/prefs.err" ||
    fail "vantro-prefs gave no clear error: $(cat "$work/prefs.err")"
healthy "after the failed write"
stop_test_app

# --- The test application: its own GApplication connection ends it. ---
start_bus app
open_window "$build" DBUS_SESSION_BUS_ADDRESS="$bus_address" -- "$3"
click_title_button "$window" maximize ctrl
wait_for_frame "$window" "$left_half" "Control-click in the test application"
kill -TERM "$bus_pid"
status=0
wait "$app_pid" || status=$?
[ "$status" = 143 ] || fail "the test application ended with status $status, not by SIGTERM (143)"
! grep -E 'AddressSanitizer|runtime error|CRITICAL' "$app_log" || fail "the test application reported errors"
echo "session bus lost: ok"
