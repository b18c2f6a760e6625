#!/usr/bin/env bash
# The maximize button and the zoom shortcuts in the test application with
# the plug-in loaded: each default modifier click and the same click again,
# the feedback after zooms, the plug-in switched off and on while the
# application runs, and windows closed while the plug-in works on them.
# Usage: zoom_button.sh BUILD-DIR PATH-TO-vantro-test-app
set -euo pipefail
build=$1 app=$2
# shellcheck source=process_lib.sh
. "$(dirname "$0")/process_lib.sh"
# The plug-in says when it has reloaded the settings, and which values it
# read; a change made while the application runs is followed by waiting for
# a reload that read it. A write may be reloaded twice, so a reload that
# merely comes later may still be of the write before.
export VANTRO_TRACE=VTSettings
reloads_read() { grep -o 'reloaded the settings after a change:.*' "$app_log" || true; }
# Whether one of the reloads after the first SKIP read KEY as VALUE, or
# (without a VALUE) did not find KEY stored. The entries are "KEY = VALUE; ...".
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

# Animation off: the frame is final when the click's work is done.
prefs set VantroAnimateZooms '[false, -1]'
start_test_app "$build" "$app"
window=$(wait_for_test_window)
wait_for_settled_window "$window"
start=$(frame_of "$window")
read -r ax ay aw ah <<<"$(work_area_of "$window")"
left_half="$ax $ay $((aw / 2)) $ah"
right_half="$((ax + aw / 2)) $ay $((aw / 2)) $ah"
whole="$ax $ay $aw $ah"
check_click() { zoom_and_back "$window" "$2" "$3" click_title_button "$window" maximize "$1"; }
shortcut() { xdotool windowfocus --sync "$window" key --clearmodifiers "$1"; }
closed_gone() { ! xwininfo -id "$1" 2>/dev/null | grep -q 'IsViewable'; }

check_click shift "$whole" "Shift-click (whole screen)"
check_click ctrl+shift "$ax $ay $aw $((ah / 2))" "Shift-Control-click (top half)"
# mutter takes clicks with Super held for itself (moving the window).
if [[ "$(wm_name)" != *utter* ]]; then
    check_click super "$right_half" "Super-click (right half)"
    check_click super+shift "$ax $((ay + ah / 2)) $aw $((ah / 2))" "Shift-Super-click (bottom half)"
fi

# A Control-click zooms to the left half with its dimension tab, and again
# undoes; the tab shows after the standard zoom too (where a window manager
# maximizes).
click_title_button "$window" maximize ctrl
poll 10 window_shown "Vantro Dimensions" || fail "no dimension tab after a zoom"
wait_for_frame "$window" "$left_half" "Control-click with its tab (left half)"
sleep 0.5 # a second click this soon would be a double click
click_title_button "$window" maximize ctrl
wait_for_frame "$window" "$start" "undo of the left half"
# The standard zoom is the window manager's maximize, applied after the zoom
# returns: the tab, shown at once, sits on the frame the window is taking,
# its right side 17 px in, its hidden strip 7 px below the edge (with a
# compositor the tab's window is 6 px wider each side for its shadow).
tab_id() { xdotool search --onlyvisible --name '^Vantro Dimensions$' 2>/dev/null | head -n1; }
tab_shown() { [ -n "$(tab_id)" ]; }
if [ -n "$(wm_name)" ]; then
    for frame in "$whole" "$start"; do
        poll 50 window_gone "Vantro Dimensions" || fail "a tab stayed before the standard zoom"
        shortcut ctrl+shift+0
        poll 20 tab_shown || fail "no dimension tab after the standard zoom to '$frame'"
        read -r tx ty tw th <<<"$(frame_of "$(tab_id)")"
        read -r x y w h <<<"$frame"
        right=$((x + w - 17 - tx - tw)) bottom=$((y + h + 7 - ty - th))
        ((right >= -7 && right <= 1 && ${bottom#-} <= 1 && tx >= x)) ||
            fail "tab at '$tx $ty $tw $th' after the standard zoom to '$frame'"
        wait_for_frame "$window" "$frame" "the standard zoom"
    done
fi
# The heads-up panel names the limit that a window opened with Control held
# (a maximum size) hits; it is raised first, so that the click lands on it
# where it overlaps the first window.
read -r x y _ _ <<<"$start"
limited=$(another_test_window "$window" xdotool mousemove --sync $((x + 28)) $((y + 27)) keydown ctrl click 1 keyup ctrl)
xdotool windowactivate --sync "$limited" 2>/dev/null || xdotool windowraise "$limited"
poll 50 on_top "$limited" || fail "the window opened with Control held was not raised"
click_title_button "$limited" maximize ctrl
poll 30 window_shown "Vantro Heads-Up Panel" || fail "no heads-up panel for a zoom beyond the maximum size"
click_title_button "$limited" close ""
poll 50 closed_gone "$limited" || fail "the close button left the window opened with Control held"

# The menu and Ctrl+Shift+2 are the matrix's (tests/matrix/app_scenarios.sh).
zoom_and_back "$window" "$((ax + aw / 2)) $((ay + ah / 2)) $((aw / 2)) $((ah / 2))" \
    "Ctrl+Shift+8 (bottom right quarter)" shortcut ctrl+shift+8

# Switched off while running, then on again.
prefs_reached set VantroPluginEnabled false
expect_plugin_off "$window" "$start" "$whole" "the plug-in disabled"
prefs_reached reset VantroPluginEnabled
prefs_reached set VantroApplicationBlacklist '["com.quillworks.VantroTestApp"]'
expect_plugin_off "$window" "$start" "$whole" "the application on the blacklist"
prefs_reached reset VantroApplicationBlacklist
check_click ctrl "$left_half" "Control-click after switching back on"

# With the animation on, a window closed (Alt+F4 to the window manager)
# 0.1 s into a 0.35 s zoom clicked on its button, 0.25 and 0.5 s into one by
# its shortcut (while its tab shows), and in mid-drag of its edge, the button
# still down. A shortcut repeated during its animation is the soak's.
prefs_reached set VantroAnimateZooms '[true, -1]'
close_victim() {
    xdotool key --clearmodifiers alt+F4
    poll 50 closed_gone "$victim" || fail "window $victim did not close"
}
if [ -n "$(wm_name)" ]; then
    for closing in "click 0.1" "key 0.25" "key 0.5" "drag"; do
        read -r how delay <<<"$closing"
        victim=$(another_test_window "$window")
        xdotool windowactivate --sync "$victim" 2>/dev/null || xdotool windowfocus --sync "$victim"
        case "$how" in
        click) click_title_button "$victim" maximize ctrl ;;
        key) xdotool key --clearmodifiers ctrl+shift+1 ;;
        drag) during_drag=close_victim drag_edge "$victim" corner 30 20 "" ;;
        esac
        [ "$how" = drag ] || { sleep "$delay" && close_victim; }
        sleep 1.5
        kill -0 "$app_pid" 2>/dev/null || fail "the application died with a window closed by $closing"
        window_gone "Vantro Dimensions" || fail "the tab outlived a window closed by $closing"
        window_gone "Vantro Heads-Up Panel" || fail "the panel outlived a window closed by $closing"
    done
fi
prefs_reached set VantroAnimateZooms '[false, -1]'
check_click ctrl "$left_half" "Control-click in the window left"
echo "zoom button: ok"
