#!/usr/bin/env bash
# Windows that leave their title bar to the window manager, with
# "VantroClientTitleBars" on: they open with GTK's title bar, whose
# maximize button takes the left half on a Control-click (held to the
# window's minimum size and increments) and puts the window back on a
# second; a Control drag of the edge keeps the ratio; the program's title
# still reaches the window manager, the window manager's keyboard move and
# resize still work, and the close button closes it. With the
# setting off they open as before, decorated by the window manager.
# A window of our own with a menu bar runs with and without size increments
# (with them, the kept ratio is the nearest on the grid); mousepad
# and xfce4-terminal run too where the plug-in can load into them (a build
# without sanitizers, see build_is_sanitized).
# Usage: client_title_bars.sh BUILD-DIR PATH-TO-vantro-test-app PATH-TO-menu_bar_window
set -euo pipefail
build=$1
helper=$3
top=$(cd "$(dirname "$0")/../.." && pwd)
fail() { echo "FAIL: $*" >&2; [ -n "${app_log:-}" ] && cat "$app_log" >&2; exit 1; }
# shellcheck source=desktop_lib.sh
. "$top/tests/e2e/desktop_lib.sh"
# shellcheck source=../matrix/expected_frames.sh
. "$top/tests/matrix/expected_frames.sh"
trap stop_test_app EXIT
prefs() { "$build/apps/vantro-prefs/vantro-prefs" "$@" >/dev/null; }

programs=(helper helper-plain)
if ! build_is_sanitized "$build"; then
    command -v mousepad >/dev/null && programs+=(mousepad)
    command -v xfce4-terminal >/dev/null && programs+=(xfce4-terminal)
fi

program_entry() { # sets command and search
    case "$1" in
    helper) command=("$helper" "Menu Bar Window") search=(--name '^Menu Bar Window$') ;;
    helper-plain)
        command=("$helper" "Menu Bar Window" --no-increments) search=(--name '^Menu Bar Window$')
        ;;
    mousepad) command=(mousepad) search=(--class '^mousepad$') ;;
    xfce4-terminal) command=(xfce4-terminal --disable-server) search=(--class '^xfce4-terminal$') ;;
    esac
}

# GTK_CSD=0 undoes the test session's GTK_CSD=1, as on a desktop that sets nothing.
open_program() {
    program_entry "$1"
    start_with_plugin "$build" GTK_CSD=0 -- "${command[@]}"
    window=$(wait_for_window "${search[@]}")
    wait_for_settled_window "$window"
}

# The window manager's keyboard move (KEY m) or resize (KEY z): five steps
# to the right. openbox starts them from its window menu (Alt+Space), the
# others on Alt+F7 and Alt+F8.
keyboard_move_resize() {
    xdotool windowactivate --sync "$window" 2>/dev/null || true
    if [ "$(wm_name)" = Openbox ]; then
        xdotool key alt+space
        sleep 0.5
        xdotool key "$1"
    else
        xdotool key "$([ "$1" = m ] && echo alt+F7 || echo alt+F8)"
    fi
    sleep 0.5
    xdotool key Right Right Right Right Right
    sleep 0.2
    xdotool key Return
    sleep 0.5
}

still_running() { kill -0 "$app_pid" 2>/dev/null || fail "$1 ended: $2"; }

prefs set VantroAnimateZooms '[false, -1]'

prefs set VantroClientTitleBars false
for program in "${programs[@]}"; do
    open_program "$program"
    ! has_client_side_title_bar "$window" || fail "$program: a GTK title bar with the setting off"
    if [ -n "$(wm_name)" ]; then
        read -r _ _ decoration_top _ <<<"$(extents_of "$window" _NET_FRAME_EXTENTS)"
        [ "$decoration_top" -gt 0 ] || fail "$program: no title bar of the window manager's"
    fi
    stop_test_app
done

prefs set VantroClientTitleBars true
for program in "${programs[@]}"; do
    open_program "$program"
    has_client_side_title_bar "$window" || fail "$program: no GTK title bar with the setting on"

    start=$(frame_of "$window")
    read -r ax ay aw ah <<<"$(work_area_of "$window")"
    left=$(zoom_target "$window" left "$ax" "$ay" "$aw" "$ah")
    click_title_button "$window" maximize ctrl
    wait_for_frame "$window" "$left" "$program: Control-click (left half)"
    click_title_button "$window" maximize ctrl
    wait_for_frame "$window" "$start" "$program: undo of the left half"
    still_running "$program" "after the clicks"

    # Control: the ratio of the size at the start is kept, within 1 % or,
    # on a grid of increments, within one increment of the height.
    read -r _ _ _ _ _ inch <<<"$(frame_limits "$window")"
    read -r _ _ w h <<<"$(frame_of "$window")"
    drag_edge "$window" corner 120 10 ctrl
    read -r _ _ w2 h2 <<<"$(frame_of "$window")"
    [ "$w2" -gt "$w" ] || fail "$program: Control drag did not widen the window ($w to $w2)"
    height_error=$(((w2 * h - w * h2) / w))
    [ "${height_error#-}" -le $((inch > h2 / 100 ? inch : h2 / 100)) ] ||
        fail "$program: Control drag changed the ratio: $w x $h to $w2 x $h2 (increment $inch)"
    still_running "$program" "after the drag"

    if [ "$program" = helper-plain ]; then
        kill -USR1 "$app_pid"
        for _ in $(seq 50); do
            [ "$(xdotool getwindowname "$window")" = "Renamed Window" ] && break
            sleep 0.1
        done
        [ "$(xdotool getwindowname "$window")" = "Renamed Window" ] ||
            fail "the program's new title did not reach the window"
    fi

    if [ -n "$(wm_name)" ]; then
        read -r x _ w _ <<<"$(frame_of "$window")"
        keyboard_move_resize m
        read -r x2 _ w2 _ <<<"$(frame_of "$window")"
        [ "$x2" -gt "$x" ] && [ "$w2" = "$w" ] || fail "$program: keyboard move gave x $x2 width $w2 from $x $w"
        keyboard_move_resize z
        read -r x3 _ w3 _ <<<"$(frame_of "$window")"
        [ "$x3" = "$x2" ] && [ "$w3" -gt "$w2" ] || fail "$program: keyboard resize gave x $x3 width $w3 from $x2 $w2"
    fi

    click_title_button "$window" close ""
    for _ in $(seq 50); do
        program_windows "${search[@]}" | grep -qx "$window" || break
        sleep 0.1
    done
    ! program_windows "${search[@]}" | grep -qx "$window" || fail "$program: the close button left the window open"
    stop_test_app
done
echo "client title bars: ${programs[*]}"
