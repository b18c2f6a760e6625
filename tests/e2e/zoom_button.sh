#!/usr/bin/env bash
# The maximize button, the zoom options menu and its shortcuts in the test
# application with the plug-in loaded: each default modifier click lands the
# window on its share of the work area and the same click again puts it
# back; a plain click and a right click open the menu, whose commands work;
# two shortcuts; the heads-up panel and the dimension tab after a zoom; and
# the plug-in switched off while the application runs (by
# "VantroPluginEnabled", then by the blacklist) leaves the button to GTK
# and its shortcuts to the application.
# Usage: zoom_button.sh BUILD-DIR PATH-TO-vantro-test-app
set -euo pipefail
build=$1
app=$2
top=$(cd "$(dirname "$0")/../.." && pwd)
fail() { echo "FAIL: $*" >&2; [ -n "${app_log:-}" ] && cat "$app_log" >&2; exit 1; }
# shellcheck source=desktop_lib.sh
. "$top/tests/e2e/desktop_lib.sh"
trap stop_test_app EXIT
prefs() { "$build/apps/vantro-prefs/vantro-prefs" "$@" >/dev/null; }
# The plug-in says when it has reloaded the settings, and which values it
# read; a change made while the application runs is followed by waiting for
# a reload that read it. A write may be reloaded twice, so a reload that
# merely comes later may still be of the write before.
export VANTRO_TRACE=VTSettings
reloads_read() { grep -o 'reloaded the settings after a change:.*' "$app_log" || true; }
# Whether one of the reloads after the first SKIP read KEY as VALUE ("" for
# the key not stored).
reload_read() { # skip key value
    local line entries entry
    while IFS= read -r line; do
        IFS=';' read -r -a entries <<<"${line#*:}"
        local found=""
        for entry in "${entries[@]}"; do
            entry=${entry# }
            [ "${entry%% = *}" = "$2" ] && found=${entry#* = }
        done
        [ "$found" = "$3" ] && return 0
    done < <(reloads_read | tail -n +$(($1 + 1)))
    return 1
}
prefs_reached() { # set KEY VALUE | reset KEY
    local before value=""
    before=$(reloads_read | wc -l)
    prefs "$@"
    [ "$1" = set ] && value=$("$build/apps/vantro-prefs/vantro-prefs" get "$2")
    for _ in $(seq 100); do reload_read "$before" "$2" "$value" && return 0; sleep 0.1; done
    fail "the change '$*' did not reach the application"
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

check_click() { # modifiers, expected frame, name
    click_title_button "$window" maximize "$1"
    wait_for_frame "$window" "$2" "$3"
    click_title_button "$window" maximize "$1"
    wait_for_frame "$window" "$start" "undo of $3"
}

check_click ctrl "$left_half" "Control-click (left half)"
check_click shift "$whole" "Shift-click (whole screen)"
check_click ctrl+shift "$ax $ay $aw $((ah / 2))" "Shift-Control-click (top half)"
# mutter takes clicks with Super held for itself (moving the window).
if [[ "$(wm_name)" != *utter* ]]; then
    check_click super "$right_half" "Super-click (right half)"
    check_click super+shift "$ax $((ay + ah / 2)) $aw $((ah / 2))" "Shift-Super-click (bottom half)"
fi

# Feedback after a zoom: the dimension tab, and the heads-up panel naming
# the limit that a window opened with Control held (a maximum size) hits.
click_title_button "$window" maximize ctrl
for _ in $(seq 20); do window_shown "Vantro Dimensions" && break; sleep 0.05; done
window_shown "Vantro Dimensions" || fail "no dimension tab after a zoom"
click_title_button "$window" maximize ctrl
wait_for_frame "$window" "$start" "undo of the left half"
read -r x y _ _ <<<"$start"
xdotool mousemove --sync $((x + 28)) $((y + 27))
xdotool keydown ctrl
xdotool click 1
xdotool keyup ctrl
for _ in $(seq 50); do [ "$(test_windows | wc -l)" -ge 2 ] && break; sleep 0.1; done
limited=$(test_windows | grep -vx "$window" | head -n1)
[ -n "$limited" ] || fail "the New Window button opened no window"
wait_for_settled_window "$limited"
# On top, so that the click lands on its title bar even where it overlaps
# the first window (a window manager may open it below, without the focus).
xdotool windowactivate --sync "$limited" 2>/dev/null || xdotool windowraise "$limited"
wait_until 50 on_top "$limited" || fail "the window opened with Control held was not raised"
click_title_button "$limited" maximize ctrl
for _ in $(seq 60); do window_shown "Vantro Heads-Up Panel" && break; sleep 0.05; done
window_shown "Vantro Heads-Up Panel" || fail "no heads-up panel for a zoom beyond the maximum size"
click_title_button "$limited" close ""
gone() { ! xwininfo -id "$1" 2>/dev/null | grep -q 'IsViewable'; }
wait_until 50 gone "$limited" || fail "the close button left the window opened with Control held"

# The menu: "Whole Screen" is the second command, below "Standard Zoom".
choose_whole_screen() {
    wait_until 50 menu_shown || fail "no zoom options menu"
    xdotool key Down Down Return
}
click_title_button "$window" maximize ""
choose_whole_screen
wait_for_frame "$window" "$whole" "Whole Screen from the menu of a plain click"
click_title_button "$window" maximize "" 3
choose_whole_screen
wait_for_frame "$window" "$start" "Whole Screen again from the menu of a right click"

# Shortcuts work wherever the focus is in the window.
xdotool windowfocus --sync "$window"
xdotool key --clearmodifiers ctrl+shift+2
wait_for_frame "$window" "$right_half" "Ctrl+Shift+2 (right half)"
xdotool key --clearmodifiers ctrl+shift+2
wait_for_frame "$window" "$start" "Ctrl+Shift+2 again"
xdotool key --clearmodifiers ctrl+shift+8
wait_for_frame "$window" "$((ax + aw / 2)) $((ay + ah / 2)) $((aw / 2)) $((ah / 2))" \
    "Ctrl+Shift+8 (bottom right quarter)"
xdotool key --clearmodifiers ctrl+shift+8
wait_for_frame "$window" "$start" "Ctrl+Shift+8 again"

# The standard zoom (Ctrl+Shift+0) is the window manager's maximize, applied
# after the zoom returns: the tab, shown at once, sits on the frame the window
# is taking, its right side 17 px in, its hidden strip 7 px below the edge.
tab_id() { xdotool search --onlyvisible --name '^Vantro Dimensions$' 2>/dev/null | head -n1; }
if [ -n "$(wm_name)" ]; then
    for frame in "$whole" "$start"; do
        for _ in $(seq 100); do [ -z "$(tab_id)" ] && break; sleep 0.05; done
        xdotool key --clearmodifiers ctrl+shift+0
        for _ in $(seq 100); do tab=$(tab_id) && [ -n "$tab" ] && break; sleep 0.02; done
        [ -n "$tab" ] || fail "no dimension tab after the standard zoom to '$frame'"
        read -r tx ty tw th <<<"$(frame_of "$tab")"
        read -r x y w h <<<"$frame"
        # With a compositor the tab's window is 6 px wider each side for its shadow.
        right=$((x + w - 17 - tx - tw)) bottom=$((y + h + 7 - ty - th))
        ((right >= -7 && right <= 1 && ${bottom#-} <= 1 && tx >= x)) ||
            fail "tab at '$tx $ty $tw $th' after the standard zoom to '$frame'"
        wait_for_frame "$window" "$frame" "the standard zoom"
    done
fi

# Switched off while running: the click is GTK's maximize, and again its
# restore; without a window manager to maximize it, the window stays.
check_switched_off() { # name
    # The shortcuts are the plug-in's menu's: off, they leave the window alone.
    xdotool windowfocus --sync "$window"
    xdotool key --clearmodifiers ctrl+shift+2
    sleep 0.5
    [ "$(frame_of "$window")" = "$start" ] || fail "Ctrl+Shift+2 with $1 moved the window"
    if ! xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'; then
        click_title_button "$window" maximize ctrl
        sleep 0.5
        wait_for_frame "$window" "$start" "Control-click with $1 and no window manager"
        return
    fi
    click_title_button "$window" maximize ctrl
    wait_for_frame "$window" "$whole" "Control-click with $1 (GTK's maximize)"
    click_title_button "$window" maximize ""
    wait_for_frame "$window" "$start" "a click with $1 (GTK's restore)"
}
prefs_reached set VantroPluginEnabled false
check_switched_off "the plug-in disabled"
prefs_reached reset VantroPluginEnabled
prefs_reached set VantroApplicationBlacklist '["com.quillworks.VantroTestApp"]'
check_switched_off "the application on the blacklist"
prefs_reached reset VantroApplicationBlacklist
check_click ctrl "$left_half" "Control-click after switching back on"

# Orders and timings with the animation on. A shortcut repeated while its
# animation runs undoes the zoom, whatever the delay.
prefs_reached set VantroAnimateZooms '[true, -1]'
xdotool windowfocus --sync "$window"
for keys_delay in "ctrl+shift+1 0.15" "ctrl+shift+9 0.2" "ctrl+shift+1 0.05"; do
    read -r keys delay <<<"$keys_delay"
    xdotool key --clearmodifiers "$keys"
    sleep "$delay"
    xdotool key --clearmodifiers "$keys"
    wait_for_frame "$window" "$start" "$keys twice $delay s apart"
done

# A window closed while its zoom animates, or while its tab shows, takes its
# feedback with it.
for delay in 0.25 0.5; do
    before=$(test_windows | wc -l)
    xdotool windowfocus --sync "$window" key --clearmodifiers ctrl+n
    for _ in $(seq 50); do [ "$(test_windows | wc -l)" -gt "$before" ] && break; sleep 0.1; done
    closing=$(test_windows | grep -vx "$window" | head -n1)
    [ -n "$closing" ] || fail "Ctrl+N opened no window"
    wait_for_settled_window "$closing"
    xdotool windowactivate --sync "$closing" 2>/dev/null || xdotool windowfocus --sync "$closing"
    xdotool key --clearmodifiers ctrl+shift+1
    sleep "$delay"
    xdotool key --clearmodifiers alt+F4 2>/dev/null || true
    for _ in $(seq 30); do [ "$(test_windows | wc -l)" -eq "$before" ] && break; sleep 0.1; done
    sleep 1.5
    ! window_shown "Vantro Dimensions" || fail "the tab outlived a window closed $delay s after its zoom"
    ! window_shown "Vantro Heads-Up Panel" || fail "the panel outlived a window closed $delay s after its zoom"
done
prefs_reached set VantroAnimateZooms '[false, -1]'

echo "zoom button: ok"
