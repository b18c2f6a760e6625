#!/usr/bin/env bash
# Windows that leave their title bar to the window manager (ours with a menu bar, with
# and without increments; mousepad and xfce4-terminal where the plug-in loads). With
# VantroClientTitleBars on they get GTK's title bar, whose buttons, title, Control drag
# and the window manager's keyboard move and resize work; off, the window manager's
# corner keeps the ratio with Control and xfwm4's maximize Control-clicked zooms.
# Usage: client_title_bars.sh BUILD-DIR PATH-TO-vantro-test-app PATH-TO-menu_bar_window
set -euo pipefail
build=$1 helper=$3
# shellcheck source=process_lib.sh
. "$(dirname "$0")/process_lib.sh"

programs=(helper helper-plain)
if ! build_is_sanitized "$build"; then
    command -v mousepad >/dev/null && programs+=(mousepad)
    command -v xfce4-terminal >/dev/null && programs+=(xfce4-terminal)
fi

# GTK_CSD=0 undoes the test session's GTK_CSD=1.
open_program() {
    case "$1" in
    helper) command=("$helper" "Menu Bar Window") search=(--name '^Menu Bar Window$') ;;
    helper-plain) command=("$helper" "Menu Bar Window" --no-increments) search=(--name '^Menu Bar Window$') ;;
    mousepad) command=(mousepad) search=(--class '^mousepad$') ;;
    xfce4-terminal) command=(xfce4-terminal --disable-server) search=(--class '^xfce4-terminal$') ;;
    esac
    open_window "$build" GTK_CSD=0 -- "${command[@]}"
}

# The window manager's keyboard move (m) or resize (z) five steps right: from openbox's
# window menu, else Alt+F7 and Alt+F8.
keyboard_move_resize() {
    xdotool windowactivate --sync "$window" 2>/dev/null || true
    if [ "$(wm_name)" = Openbox ]; then
        xdotool key alt+space sleep 0.5 key "$1"
    else
        xdotool key "$([ "$1" = m ] && echo alt+F7 || echo alt+F8)"
    fi
    xdotool sleep 0.5 key Right Right Right Right Right sleep 0.2 key Return sleep 0.5
}
still_running() { ! gone "$app_pid" || fail "$1 ended: $2"; }
title_is() { [ "$(xdotool getwindowname "$window")" = "$1" ]; }

prefs set VantroAnimateZooms '[false, -1]'
prefs set VantroClientTitleBars false
for program in "${programs[@]}"; do
    open_program "$program"
    ! has_client_side_title_bar "$window" || fail "$program: a GTK title bar with the setting off"
    read -r _ _ decoration_top _ <<<"$(extents_of "$window" _NET_FRAME_EXTENTS)"
    [ -z "$(wm_name)" ] || [ "$decoration_top" -gt 0 ] || fail "$program: no title bar of the window manager's"
    if [ -n "$(wm_name)" ]; then
        hints=$(xprop -id "$window" WM_NORMAL_HINTS)
        seen=$(check_managed_ratio_drag "$window") ||
            fail "$program: Control on the window manager's corner kept no ratio: $seen"
        [ "$(xprop -id "$window" WM_NORMAL_HINTS)" = "$hints" ] ||
            fail "$program: the size hints were not put back after the drag"
    fi
    if [ "$(wm_name)" = Xfwm4 ]; then
        start=$(frame_of "$window") # after the drag
        zoom_and_back "$window" "$(zoom_target left)" \
            "$program: Control-click on xfwm4's maximize (left half)" click_managed_maximize "$window"
    fi
    still_running "$program" "with the window manager's title bar"
    stop_test_app
done

prefs set VantroClientTitleBars true
for program in "${programs[@]}"; do
    open_program "$program"
    has_client_side_title_bar "$window" || fail "$program: no GTK title bar with the setting on"
    click_and_back ctrl "$(zoom_target left)" "$program: Control-click (left half)"
    read -r _ _ _ _ _ inch <<<"$(frame_limits "$window")"
    read -r _ _ w h <<<"$(frame_of "$window")"
    drag_edge "$window" corner 120 10 ctrl
    read -r _ _ w2 h2 <<<"$(frame_of "$window")"
    [ "$w2" -gt "$w" ] || fail "$program: Control drag did not widen the window ($w to $w2)"
    client_keeps_ratio "$w" "$h" "$w2" "$h2" "$inch" ||
        fail "$program: Control drag changed the ratio: $w x $h to $w2 x $h2 (increment $inch)"
    still_running "$program" "after the drag"

    if [ "$program" = helper-plain ]; then
        kill -USR1 "$app_pid"
        poll 50 title_is "Renamed Window" || fail "the program's new title did not reach the window"
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
    poll 50 closed "$window" || fail "$program: the close button left the window open"
    stop_test_app
done
echo "client title bars: ${programs[*]}"
