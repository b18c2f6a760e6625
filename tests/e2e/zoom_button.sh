#!/usr/bin/env bash
# The maximize button and zoom shortcuts in the test application: modifier clicks and
# their undo, the feedback popups, the plug-in off for a blacklisted application, and
# windows closed while it works on them.
# Usage: zoom_button.sh BUILD-DIR PATH-TO-vantro-test-app
set -euo pipefail
build=$1 app=$2
# shellcheck source=process_lib.sh
. "$(dirname "$0")/process_lib.sh"
# A change is waited for in the plug-in's trace of the values each reload read (a
# later reload may still be of the write before).
export VANTRO_TRACE=VTSettings
reloads_read() { grep -o 'reloaded the settings after a change:.*' "$app_log" || true; }
# Whether a reload after the first SKIP read KEY as VALUE, or without VALUE found none.
reload_read() { # skip key [value]
    local later
    later=$(reloads_read | tail -n +$(($1 + 1)) | sed 's/^[^:]*: */; /;s/$/;/')
    [ -n "$later" ] || return 1
    if [ $# -gt 2 ]; then grep -qF "; $2 = $3;" <<<"$later"; else grep -vqF "; $2 = " <<<"$later"; fi
}
prefs_reached() { # set KEY VALUE | reset KEY
    local before value=()
    before=$(reloads_read | wc -l)
    prefs "$@"
    [ "$1" = reset ] || value=("$("$build/apps/vantro-prefs/vantro-prefs" get "$2")")
    poll 100 reload_read "$before" "$2" "${value[@]}" || fail "the change '$*' did not reach the application"
}

prefs set VantroAnimateZooms '[false, -1]'
open_window "$build" -- "$app"
shortcut() { xdotool windowfocus --sync "$window" key --clearmodifiers "$1"; }

# Each modifier as X reports it; their combinations are click_decision_test's.
click_and_back shift "$whole" "Shift-click (whole screen)"
# mutter takes clicks with Super held for itself (moving the window).
[[ "$(wm_name)" == *utter* ]] ||
    click_and_back super "$((ax + aw / 2)) $ay $((aw / 2)) $ah" "Super-click (right half)"

click_title_button "$window" maximize ctrl
poll 10 window_shown "Vantro Dimensions" || fail "no dimension tab after a zoom"
wait_for_frame "$window" "$left_half" "Control-click with its tab (left half)"
sleep 0.5 # a second click this soon would be a double click
click_title_button "$window" maximize ctrl
wait_for_frame "$window" "$start" "undo of the left half"
# The standard zoom is the window manager's maximize: the tab, shown at once, sits on the
# frame being taken, 17 px in from its right, its hidden strip 7 px below (a compositor's
# shadow 6 px more each side).
if [ -n "$(wm_name)" ]; then
    for frame in "$whole" "$start"; do
        poll 50 window_gone "Vantro Dimensions" || fail "a tab stayed before the standard zoom"
        shortcut ctrl+shift+0
        poll 20 window_shown "Vantro Dimensions" || fail "no dimension tab after the standard zoom to '$frame'"
        read -r tx ty tw th <<<"$(frame_of "$(xdotool search --onlyvisible --name '^Vantro Dimensions$' | head -n1)")"
        read -r x y w h <<<"$frame"
        right=$((x + w - 17 - tx - tw)) bottom=$((y + h + 7 - ty - th))
        ((right >= -7 && right <= 1 && ${bottom#-} <= 1 && tx >= x)) ||
            fail "tab at '$tx $ty $tw $th' after the standard zoom to '$frame'"
        wait_for_frame "$window" "$frame" "the standard zoom"
    done
fi
# The heads-up panel names the maximum size of a window opened with Control held.
read -r x y _ _ <<<"$start"
limited=$(another_test_window "$window" xdotool mousemove --sync $((x + 28)) $((y + 27)) keydown ctrl click 1 keyup ctrl)
xdotool windowactivate --sync "$limited" 2>/dev/null || xdotool windowraise "$limited"
poll 50 on_top "$limited" || fail "the window opened with Control held was not raised"
click_title_button "$limited" maximize ctrl
poll 30 window_shown "Vantro Heads-Up Panel" || fail "no heads-up panel for a zoom beyond the maximum size"
click_title_button "$limited" close ""
poll 50 closed "$limited" || fail "the close button left the window opened with Control held"

# The menu and Ctrl+Shift+2 are the matrix's (tests/matrix/app_scenarios.sh).
zoom_and_back "$window" "$((ax + aw / 2)) $((ay + ah / 2)) $((aw / 2)) $((ah / 2))" \
    "Ctrl+Shift+8 (bottom right quarter)" shortcut ctrl+shift+8

# Off for a blacklisted application, then on again (the master switch is
# fault_dconf_restarted.sh's).
prefs_reached set VantroApplicationBlacklist '["com.quillworks.VantroTestApp"]'
expect_plugin_off "$window" "$start" "$whole" "the application on the blacklist"
prefs_reached reset VantroApplicationBlacklist
click_and_back ctrl "$left_half" "Control-click after switching back on"

# Animated, a window closed 0.1 s into a 0.35 s zoom by its button and in mid-drag of its
# edge (closed after a zoom shortcut is the soak's zoomThenClose).
prefs_reached set VantroAnimateZooms '[true, -1]'
close_victim() {
    xdotool key --clearmodifiers alt+F4
    poll 50 closed "$victim" || fail "window $victim did not close"
}
if [ -n "$(wm_name)" ]; then
    for closing in click drag; do
        victim=$(another_test_window "$window")
        xdotool windowactivate --sync "$victim" 2>/dev/null || xdotool windowfocus --sync "$victim"
        if [ "$closing" = click ]; then
            click_title_button "$victim" maximize ctrl && sleep 0.1 && close_victim
        else
            during_drag=close_victim drag_edge "$victim" corner 30 20 ""
        fi
        sleep 1.5
        kill -0 "$app_pid" 2>/dev/null || fail "the application died with a window closed by $closing"
        window_gone "Vantro Dimensions" || fail "the tab outlived a window closed by $closing"
        window_gone "Vantro Heads-Up Panel" || fail "the panel outlived a window closed by $closing"
    done
fi
prefs_reached set VantroAnimateZooms '[false, -1]'
click_and_back ctrl "$left_half" "Control-click in the window left"
echo "zoom button: ok"
