#!/usr/bin/env bash
# The dconf service killed while the test application runs, and started
# again by the bus for the next write. While it is down the plug-in reads
# on (a Control-click still zooms to the left half: reads come from the
# database file, not the service). Once it is back, changes reach the
# plug-in both ways: switched off with vantro-prefs (announced), a
# Control-click is GTK's maximize; switched on again with a plain dconf
# write (only dconf's own notification), the left half again. The service
# is then killed in the middle of a drag, which ends as a drag should.
# Usage: fault_dconf_restarted.sh BUILD-DIR PATH-TO-vantro-test-app
set -euo pipefail
build=$1
top=$(cd "$(dirname "$0")/../.." && pwd)
# shellcheck source=fault_lib.sh
. "$top/tests/soak/fault_lib.sh"

# The process that owns dconf's name on this session's bus: ours alone.
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
start_program app "$2"
kill_dconf_service
left_half_and_back "with the dconf service gone"

prefs set VantroPluginEnabled false
restarted=$(dconf_service_pid)
[ -n "$restarted" ] && [ "$restarted" != "$killed_pid" ] || fail "the bus did not start dconf again"
sleep 0.5
click_to ctrl "$whole" "Control-click switched off through the new service (GTK's maximize)"
click_to "" "$start" "GTK's restore"
dconf write /com/quillworks/vantro/VantroPluginEnabled true
sleep 0.5
left_half_and_back "switched on by dconf write alone"

# Killed mid-drag: the drag follows the pointer to its end.
read -r x y w h <<<"$start"
during_drag=kill_dconf_service
drag_from_elsewhere "$window" right 100 0 ""
during_drag=""
wait_for_frame "$window" "$x $y $((w + 100)) $h" "a drag with the dconf service killed in its middle"
prefs reset VantroAnimateZooms || fail "no write after the second restart"
healthy "with the dconf service restarted"
echo "dconf restarted: ok"
