#!/usr/bin/env bash
# The plug-in's bundle folder deleted while the test application runs: the
# very next Control-click on the maximize button is GTK's own maximize (and
# a plain click GTK's restore), a zoom shortcut leaves the window alone, a
# Control drag of the corner is a plain resize; nothing crashes. The
# bundle put back switches the plug-in on again. The application loads a
# copy of the bundle, so the build tree's stays.
# Usage: fault_bundle_removed.sh BUILD-DIR PATH-TO-vantro-test-app
set -euo pipefail
build=$1
top=$(cd "$(dirname "$0")/../.." && pwd)
# shellcheck source=fault_lib.sh
. "$top/tests/soak/fault_lib.sh"

mkdir "$work/plugins"
cp -a "$build/plugins/Vantro.bundle" "$work/plugins/"
prefs set VantroAnimateZooms '[false, -1]'
start_program app VANTRO_PLUGIN_FOLDERS="$work/plugins" "$2"
log_has "$app_log" "Loaded the plug-in bundle $work/plugins/Vantro.bundle" ||
    fail "the application did not load the copied bundle"
left_half_and_back "with the bundle in place"

rm -rf "$work/plugins/Vantro.bundle"
# At once: no settings change, no signal, only the folder gone.
click_to ctrl "$whole" "Control-click with the bundle deleted (GTK's maximize)"
click_to "" "$start" "a click with the bundle deleted (GTK's restore)"
# The zoom options menu's shortcut is the plug-in's: with it off the key
# goes to the application, which has no use for it.
xdotool windowfocus --sync "$window" key --clearmodifiers ctrl+shift+2
sleep 1
[ "$(frame_of "$window")" = "$start" ] ||
    fail "Ctrl+Shift+2 with the bundle deleted moved the window to $(frame_of "$window")"
# Control would keep the aspect ratio; off, the corner follows the pointer.
read -r x y w h <<<"$start"
drag_from_elsewhere "$window" corner 120 10 ctrl
wait_for_frame "$window" "$x $y $((w + 120)) $((h + 10))" \
    "Control drag of the corner with the bundle deleted (a plain resize)"
drag_from_elsewhere "$window" corner -120 -10 ""
wait_for_frame "$window" "$start" "the corner dragged back"
healthy "with its plug-in's bundle deleted"

cp -a "$build/plugins/Vantro.bundle" "$work/plugins/"
left_half_and_back "with the bundle put back"
healthy "with the bundle put back"
echo "bundle removed: ok"
