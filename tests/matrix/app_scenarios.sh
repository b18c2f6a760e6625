#!/usr/bin/env bash
# The user's scenarios in one program with the plug-in, each from a fresh start; frames
# must land within 1 px of where the work area of the window's monitor and its limits put
# them. Under the window manager's title bar the host's maximize must work ("host").
# Prints "RESULT SCENARIO pass|fail|host DETAIL" lines; exits 1 when any failed, 77 for a
# program not ours with a sanitizer build. MATRIX_STRUT_WINDOW: a dock window whose
# _NET_WM_STRUT_PARTIAL the work areas leave out.
# Usage: app_scenarios.sh BUILD-DIR APPLICATION (a key of applications.sh)
#   [SCENARIO: click menu shortcut drag screens; default all the session allows]
set -euo pipefail
build=$(cd "$1" && pwd) application=$2
shift 2
here=$(dirname "$0")
fail() { echo "FAIL: $*" >&2; exit 1; }
# shellcheck source=../e2e/desktop_lib.sh
. "$here/../e2e/desktop_lib.sh"
# shellcheck source=applications.sh
. "$here/applications.sh"
application_entry "$application" "$build" || fail "unknown application '$application'"
search=("${app_search[@]}")
if [ "$app_package" != "(ours)" ] && build_is_sanitized "$build"; then
    echo "app_scenarios.sh: $application needs a build without sanitizers (see build_is_sanitized)" >&2
    exit 77
fi
monitor_count=$(xrandr --listmonitors | sed -n 's/^Monitors: //p')

scenarios=("$@")
[ $# -gt 0 ] || scenarios=(click menu shortcut drag $( ((monitor_count > 1)) && echo screens || true))

# The work area of the monitor holding X Y: cut to _NET_WORKAREA with one monitor; with
# several (one _NET_WORKAREA cannot say a panel covers one monitor only) less the part of
# the strut window's top panel that falls on it.
area_at() { # x y
    local ax ay aw ah
    # shellcheck disable=SC2046 # an area is four words
    read -r ax ay aw ah <<<"$(area_on_monitor_at "$1" "$2" $(
        [ "$monitor_count" -gt 1 ] && geometry_of -root || work_area))"
    if [ -n "${MATRIX_STRUT_WINDOW:-}" ]; then
        local t tx1 tx2
        IFS=, read -r _ _ t _ _ _ _ _ tx1 tx2 _ <<<"$(xprop -id "$MATRIX_STRUT_WINDOW" _NET_WM_STRUT_PARTIAL |
            sed -n 's/.*= //p' | tr -d ' ')"
        ((t > ay && tx1 < ax + aw && tx2 >= ax)) && ah=$((ah - (t - ay))) ay=$t
    fi
    echo "$ax $ay $aw $ah"
}

fresh_window() {
    local x y w h
    stop_test_app
    open_window "$build" "${app_environment[@]}" -- "${app_command[@]}"
    sleep 1 # programs not ours settle later than they look settled
    start=$(frame_of "$window")
    read -r x y w h <<<"$start"
    read -r ax ay aw ah <<<"$(area_at $((x + w / 2)) $((y + h / 2)))"
}

# The host's maximize: a _NET_WM_STATE request to the window manager, which honours
# increments its own way (within one of the work area).
check_host_maximize() {
    [ -n "$(wm_name)" ] || { echo "no window manager and no title bar of GTK's: nothing to click"; return; }
    local incw inch w h
    read -r _ _ _ _ incw inch <<<"$(frame_limits "$window")"
    maximized_size() {
        read -r _ _ w h <<<"$(frame_of "$window")"
        ((aw - w < incw + 1 && w - aw <= 1 && ah - h < inch + 1 && h - ah <= 1))
    }
    wmctrl -i -r "$window" -b add,maximized_vert,maximized_horz
    poll 50 maximized_size || fail "the window manager's maximize gave $w x $h on a work area of $aw x $ah"
    # Where a restored window goes is the program's business; the state must go.
    restored() { ! xprop -id "$window" _NET_WM_STATE | grep -q MAXIMIZED; }
    wmctrl -i -r "$window" -b remove,maximized_vert,maximized_horz
    poll 50 restored || fail "the window manager's restore left the window maximized"
    echo "the window manager's title bar: its maximize (EWMH request) gives $w x $h, and restores"
}

scenario_click() {
    fresh_window
    if ! has_client_side_title_bar "$window" && [ "$(wm_name)" = Xfwm4 ]; then
        zoom_and_back "$window" "$(zoom_target left)" "Control-click on xfwm4's maximize (left half)" \
            click_managed_maximize "$window"
        echo "xfwm4's maximize Control-clicked: left half $(zoom_target left), undone"
        return
    fi
    if ! has_client_side_title_bar "$window"; then check_host_maximize; return 3; fi
    click_and_back ctrl "$(zoom_target left)" "Control-click (left half)"
    echo "left half $(zoom_target left), undone"
}

scenario_menu() {
    fresh_window
    if ! has_client_side_title_bar "$window"; then check_host_maximize; return 3; fi
    choose_whole_screen "$window" 1
    wait_for_frame "$window" "$(zoom_target whole)" "Whole Screen from the menu of a plain click"
    choose_whole_screen "$window" 3
    wait_for_frame "$window" "$start" "Whole Screen again from the menu of a right click"
    echo "whole screen $(zoom_target whole) from the menu, undone"
}

scenario_shortcut() {
    fresh_window
    zoom_and_back "$window" "$(zoom_target right)" "Ctrl+Shift+2 (right half)" \
        xdotool windowfocus --sync "$window" key --clearmodifiers ctrl+shift+2
    echo "right half $(zoom_target right), undone"
}

scenario_drag() {
    fresh_window
    local minh maxh incw inch client_w client_h grown
    read -r x y w h <<<"$start"
    read -r _ minh _ maxh incw inch <<<"$(frame_limits "$window")"
    if ! has_client_side_title_bar "$window" && [ -n "$(wm_name)" ]; then
        # A program may reopen at the size an earlier scenario left it: room to grow first.
        xdotool windowmove "$window" "$ax" "$ay" windowsize "$window" 600 400 sleep 0.5
        check_managed_ratio_drag "$window"
        return
    fi
    if ! has_client_side_title_bar "$window"; then
        # Without a window manager nothing draws edges; a resize asked for must take.
        read -r _ _ client_w client_h <<<"$(geometry_of -id "$window")"
        xdotool windowsize "$window" $((client_w - 2 * incw)) $((client_h - 2 * inch))
        wait_for_frame "$window" "$x $y $((w - 2 * incw)) $((h - 2 * inch))" "a resize request"
        echo "no window manager and no title bar of GTK's: a resize request gives $((w - 2 * incw)) x $((h - 2 * inch))"
        return 3
    fi
    grown=$(limited_length $((h + 80)) $((ay + ah - y)) "$minh" "$maxh" "$inch" "$h")
    drag_edge "$window" corner 30 80 shift
    wait_for_frame "$window" "$x $y $w $grown" "Shift drag of the corner (keep width)"
    echo "Shift drag kept the width $w, height $h to $grown"
}

# Next screen: centred on the work area of the next monitor in xrandr's (GDK's) order.
centred_on() { # "AX AY AW AH" W H
    local nx ny nw nh w=$2 h=$3
    read -r nx ny nw nh <<<"$1"
    ((w > nw)) && w=$nw
    ((h > nh)) && h=$nh
    echo "$((nx + (nw - w) / 2)) $((ny + (nh - h) / 2)) $w $h"
}

scenario_screens() {
    [ "$monitor_count" -gt 1 ] || fail "one monitor: no next screen"
    fresh_window
    local x y w h next back
    read -r x y w h <<<"$start"
    # The centre of the monitor after the one holding the window's centre.
    # shellcheck disable=SC2046 # a centre is two words
    next=$(centred_on "$(area_at $(monitors | awk -v i=1 -v x=$((x + w / 2)) -v y=$((y + h / 2)) '
        { c[NR] = $3 + int($1 / 2) " " $4 + int($2 / 2) }
        x >= $3 && x < $3 + $1 && y >= $4 && y < $4 + $2 { i = NR }
        END { print c[i % NR + 1] }'))" "$w" "$h")
    back=$(centred_on "$ax $ay $aw $ah" "$w" "$h")
    xdotool windowfocus --sync "$window" key --clearmodifiers ctrl+shift+equal
    wait_for_frame "$window" "$next" "Ctrl+Shift+= (next screen)"
    xdotool key --clearmodifiers ctrl+shift+minus
    wait_for_frame "$window" "$back" "Ctrl+Shift+- (previous screen)"
    echo "next screen $next, previous screen $back"
}

prefs set VantroAnimateZooms '[false, -1]'
prefs set VantroClientTitleBars "$app_title_bars"
trap stop_test_app EXIT
status=0
for scenario in "${scenarios[@]}"; do
    declare -F "scenario_$scenario" >/dev/null || fail "unknown scenario '$scenario'"
    detail=$(mktemp)
    # Not tested by || or if, where set -e would not hold in the scenario.
    set +e
    (set -e; trap stop_test_app EXIT; "scenario_$scenario") >"$detail" 2>&1
    outcome=$?
    set -e
    case "$outcome" in
    0) result=pass ;;
    3) result=host ;;
    *) result=fail status=1 ;;
    esac
    echo "RESULT $scenario $result $(grep -v '^$' "$detail" | tail -n1)"
    [ "$result" = fail ] && cat "$detail" >&2
    rm -f "$detail"
done
exit "$status"
