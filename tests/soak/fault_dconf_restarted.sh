#!/usr/bin/env bash
# The dconf service killed while the test application runs (the plug-in reads on from
# the database file) and started again by the bus: changes reach the plug-in announced
# (vantro-prefs) and by dconf's notification alone; killed mid-drag, the drag goes on.
# Usage: fault_dconf_restarted.sh BUILD-DIR PATH-TO-vantro-test-app
set -euo pipefail
build=$1
# shellcheck source=../e2e/process_lib.sh
. "$(dirname "$0")/../e2e/process_lib.sh"

dconf_service_pid() {
    dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.GetConnectionUnixProcessID string:ca.desrt.dconf 2>/dev/null |
        sed -n 's/.*uint32 \([0-9]*\).*/\1/p'
}
kill_dconf_service() {
    killed_pid=$(dconf_service_pid)
    [ -n "$killed_pid" ] || fail "no dconf service on the bus"
    kill -KILL "$killed_pid"
    wait_for "the dconf service to end" gone "$killed_pid"
}

prefs set VantroAnimateZooms '[false, -1]' # starts the service
open_window "$build" -- "$2"
kill_dconf_service
click_and_back ctrl "$left_half" "Control-click with the dconf service gone"

prefs set VantroPluginEnabled false
restarted=$(dconf_service_pid)
[ -n "$restarted" ] && [ "$restarted" != "$killed_pid" ] || fail "the bus did not start dconf again"
sleep 0.5
expect_plugin_off "$window" "$start" "$whole" "the plug-in switched off through the new service"
dconf write /com/quillworks/vantro/VantroPluginEnabled true
sleep 0.5
click_and_back ctrl "$left_half" "Control-click switched on by dconf write alone"

read -r x y w h <<<"$start"
during_drag=kill_dconf_service drag_edge "$window" right 100 0 ""
wait_for_frame "$window" "$x $y $((w + 100)) $h" "a drag with the dconf service killed in its middle"
prefs reset VantroAnimateZooms || fail "no write after the second restart"
healthy "with the dconf service restarted"
echo "dconf restarted: ok"
