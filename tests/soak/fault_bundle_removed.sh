#!/usr/bin/env bash
# The plug-in's bundle folder (a copy) deleted while the test application runs: at once
# the plug-in is off, a Control drag a plain resize, nothing crashes; put back, it is on.
# Usage: fault_bundle_removed.sh BUILD-DIR PATH-TO-vantro-test-app
set -euo pipefail
build=$1
# shellcheck source=../e2e/process_lib.sh
. "$(dirname "$0")/../e2e/process_lib.sh"

mkdir "$work/plugins"
cp -a "$build/plugins/Vantro.bundle" "$work/plugins/"
prefs set VantroAnimateZooms '[false, -1]'
open_window "$build" -- env VANTRO_PLUGIN_FOLDERS="$work/plugins" "$2"
log_has "$app_log" "Loaded the plug-in bundle $work/plugins/Vantro.bundle" ||
    fail "the application did not load the copied bundle"

rm -rf "$work/plugins/Vantro.bundle"
expect_plugin_off "$window" "$start" "$whole" "the bundle deleted"
read -r x y w h <<<"$start"
drag_edge "$window" corner 120 10 ctrl
wait_for_frame "$window" "$x $y $((w + 120)) $((h + 10))" \
    "Control drag of the corner with the bundle deleted (a plain resize)"
start=$(frame_of "$window")

cp -a "$build/plugins/Vantro.bundle" "$work/plugins/"
click_and_back ctrl "$left_half" "Control-click with the bundle put back"
healthy "with the bundle put back"
echo "bundle removed: ok"
