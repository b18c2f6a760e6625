#!/usr/bin/env bash
# Drags on the real edges of the test application with the plug-in loaded:
# a plain drag follows the pointer; Shift keeps the width or the height,
# Control the aspect ratio (the window manager takes Alt and Super drags
# for itself, so those two run where there is none: --all-features); the
# dimension tab is shown during the drag and gone after it, also during a
# resize the window manager runs.
# Every edge and corner shows the tab and follows its feature keys; a key
# pressed or released in mid-drag with the pointer still leaves the frame;
# with --second-monitor the window is dragged on the session's second
# monitor (above or left of the primary one).
# Usage: resize_drag.sh BUILD-DIR PATH-TO-vantro-test-app [--all-features] [--second-monitor]
set -euo pipefail
build=$1
app=$2
all_features=""
second_monitor=""
for flag in "${@:3}"; do
    case "$flag" in
    --all-features) all_features=$flag ;;
    --second-monitor) second_monitor=$flag ;;
    esac
done
top=$(cd "$(dirname "$0")/../.." && pwd)
fail() { echo "FAIL: $*" >&2; [ -n "${app_log:-}" ] && cat "$app_log" >&2; exit 1; }
# shellcheck source=desktop_lib.sh
. "$top/tests/e2e/desktop_lib.sh"
trap stop_test_app EXIT

start_test_app "$build" "$app"
window=$(wait_for_test_window)
wait_for_settled_window "$window"

tab_seen=""
check_tab() { window_shown "Vantro Dimensions" && tab_seen=yes || true; }
# xdotool's synchronous move waits for a motion: the pointer leaves the
# spot where the last drag left it, which may be where the next one starts.
pointer_away() { xdotool mousemove 1 1; sleep 0.05; }
near() { [ $(($1 - $2)) -le 1 ] && [ $(($2 - $1)) -le 1 ]; }
keeps_ratio() { # W H W2 H2: within a pixel either way
    local e1=$(($3 * $2 - $1 * $4))
    [ "${e1#-}" -le "$(($1 > $2 ? $1 : $2))" ]
}

if [ -n "$second_monitor" ]; then
    # Monitor 1 of xrandr's list is the second one: "W/mmxH/mm+X+Y".
    read -r mw mh mx my <<<"$(xrandr --listmonitors | sed -n '3s#.* \([0-9]*\)/[0-9]*x\([0-9]*\)/[0-9]*+\([0-9]*\)+\([0-9]*\).*#\1 \2 \3 \4#p')"
    [ -n "$mw" ] || fail "no second monitor: $(xrandr --listmonitors)"
    xdotool windowmove --sync "$window" $((mx + 200)) $((my + 150))
    wait_for_settled_window "$window"
    on_second() { # X Y W H lies within the second monitor
        [ "$1" -ge "$mx" ] && [ "$2" -ge "$my" ] && [ $(($1 + $3)) -le $((mx + mw)) ] &&
            [ $(($2 + $4)) -le $((my + mh)) ]
    }
    read -r x y w h <<<"$(frame_of "$window")"
    on_second "$x" "$y" "$w" "$h" || fail "the window did not go to the second monitor: $x $y $w $h"
    # Control: the ratio is kept and the window grows within its monitor.
    drag_edge "$window" corner 80 30 ctrl
    read -r x2 y2 w2 h2 <<<"$(frame_of "$window")"
    [ "$x2 $y2" = "$x $y" ] && [ "$w2" -gt "$w" ] && keeps_ratio "$w" "$h" "$w2" "$h2" &&
        on_second "$x2" "$y2" "$w2" "$h2" ||
        fail "Control drag on the second monitor: $x $y $w $h to $x2 $y2 $w2 $h2"
    if [ "$all_features" = --all-features ]; then
        # Super and Control: the bottom-right corner stays, the size is held
        # until the pointer comes round to the top-left corner.
        read -r x y w h <<<"$(frame_of "$window")"
        drag_edge "$window" corner 60 40 super+ctrl
        read -r x2 y2 w2 h2 <<<"$(frame_of "$window")"
        [ "$x2 $y2 $w2 $h2" = "$x $y $w $h" ] ||
            fail "Super+Control drag on the second monitor: $x $y $w $h to $x2 $y2 $w2 $h2"
        drag_edge "$window" corner $((-w / 3)) $((-h / 3)) super+ctrl
        read -r x2 y2 w2 h2 <<<"$(frame_of "$window")"
        [ $((x2 + w2)) -eq $((x + w)) ] && [ $((y2 + h2)) -eq $((y + h)) ] &&
            [ "$w2" -ge "$w" ] && keeps_ratio "$w" "$h" "$w2" "$h2" && on_second "$x2" "$y2" "$w2" "$h2" ||
            fail "Super+Control drag to the top left on the second monitor: $x $y $w $h to $x2 $y2 $w2 $h2"
    fi
    echo "resize drag on the second monitor: ok"
    exit 0
fi

# A key pressed or released in mid-drag with the pointer still leaves the
# frame as the pointer made it; the next movement decides.
read -r x y w h <<<"$(frame_of "$window")"
read -r sl _ <<<"$(extents_of "$window" _GTK_FRAME_EXTENTS)"
in=2
[ "$sl" -gt 0 ] && in=-4
px=$((x + w - in))
py=$((y + h - in))
xdotool mousemove --sync "$px" "$py" keydown ctrl mousedown 1
for step in 1 2 3 4 5; do
    xdotool mousemove --sync $((px + 16 * step)) $((py + 2 * step))
    sleep 0.05
done
sleep 0.3
held=$(frame_of "$window")
xdotool keyup ctrl
sleep 0.3
[ "$(frame_of "$window")" = "$held" ] ||
    { xdotool mouseup 1; fail "releasing Control in mid-drag changed $held to $(frame_of "$window")"; }
xdotool keydown shift
sleep 0.3
[ "$(frame_of "$window")" = "$held" ] ||
    { xdotool mouseup 1 keyup shift; fail "pressing Shift in mid-drag changed $held to $(frame_of "$window")"; }
xdotool keyup shift mousemove --sync $((px + 90)) $((py + 10)) mouseup 1
sleep 0.3
read -r x2 y2 w2 h2 <<<"$(frame_of "$window")"
[ "$x2 $y2" = "$x $y" ] && [ "$w2" -gt "$w" ] || fail "the drag did not go on after the keys: $x2 $y2 $w2 $h2"

# Every edge and corner: the tab shows during the drag, a plain drag moves
# the held sides only, Shift keeps the dimension a single edge leaves alone,
# Control keeps the ratio with the other dimension following.
for edge in right bottom left top corner; do
    case "$edge" in
    right) dx=20 dy=0 ;;
    bottom) dx=0 dy=20 ;;
    left) dx=-20 dy=0 ;;
    top) dx=0 dy=-20 ;;
    corner) dx=20 dy=15 ;;
    esac
    # Control drags inward, so that the window keeps about its size.
    for keys in "" shift ctrl; do
        [ "$keys" = ctrl ] && dx=$((-2 * dx)) dy=$((-2 * dy))
        wait_for_settled_window "$window"
        read -r x y w h <<<"$(frame_of "$window")"
        tab_seen=""
        during_drag=check_tab
        pointer_away
        drag_edge "$window" "$edge" "$dx" "$dy" "$keys"
        during_drag=""
        read -r x2 y2 w2 h2 <<<"$(frame_of "$window")"
        what="${keys:-plain} drag of the $edge edge: $x $y $w $h to $x2 $y2 $w2 $h2"
        [ -n "$tab_seen" ] || fail "no dimension tab during the $what"
        case "$edge" in
        left) [ $((x2 + w2)) -eq $((x + w)) ] && [ "$y2" -eq "$y" ] || fail "$what: the right or top side moved" ;;
        top) [ $((y2 + h2)) -eq $((y + h)) ] && [ "$x2" -eq "$x" ] || fail "$what: the bottom or left side moved" ;;
        *) [ "$x2 $y2" = "$x $y" ] || fail "$what: the top-left corner moved" ;;
        esac
        if [ "$keys" = ctrl ]; then
            keeps_ratio "$w" "$h" "$w2" "$h2" && [ "$w2" -lt "$w" ] || fail "$what: the ratio was not kept"
        elif [ "$edge" = corner ] && [ -z "$keys" ]; then
            [ "$w2 $h2" = "$((w + dx)) $((h + dy))" ] || fail "$what"
        elif [ "$edge" != corner ]; then
            [ "$w2 $h2" = "$((w + ${dx#-})) $((h + ${dy#-}))" ] || fail "$what"
        fi
        echo "$what: ok"
    done
done
sleep 0.5

# Plain drags: the dragged edge follows the pointer, the opposite one stays.
read -r x y w h <<<"$(frame_of "$window")"
drag_edge "$window" right 100 0 ""
wait_for_frame "$window" "$x $y $((w + 100)) $h" "plain drag of the right edge"
drag_edge "$window" left -50 0 ""
wait_for_frame "$window" "$((x - 50)) $y $((w + 150)) $h" "plain drag of the left edge"

# Shift on the corner with a mostly downward movement: the width is kept.
read -r x y w h <<<"$(frame_of "$window")"
tab_seen=""
during_drag=check_tab
drag_edge "$window" corner 30 80 shift
during_drag=""
wait_for_frame "$window" "$x $y $w $((h + 80))" "Shift drag (keep width)"
[ -n "$tab_seen" ] || fail "no dimension tab during the drag"
sleep 0.5
! window_shown "Vantro Dimensions" || fail "the dimension tab stayed after the drag"

# Control: the ratio of the size at the start is kept.
read -r x y w h <<<"$(frame_of "$window")"
drag_edge "$window" corner 120 10 ctrl
read -r _ _ w2 h2 <<<"$(frame_of "$window")"
[ "$w2" -gt "$w" ] || fail "Control drag did not widen the window ($w to $w2)"
ratio_error=$(( (w2 * h - w * h2) * 100 / (w * h2) ))
[ "${ratio_error#-}" -le 1 ] || fail "Control drag changed the ratio: $w x $h to $w2 x $h2"

# A resize the window manager runs (openbox and xfwm4 resize on an Alt drag
# with the right button) is watched: the dimension tab shows during it, and
# the frame is the window manager's.
if [[ "$(wm_name)" == Openbox || "$(wm_name)" == Xfwm4 ]]; then
    read -r x y w h <<<"$(frame_of "$window")"
    px=$((x + w - 60))
    py=$((y + h - 60))
    xdotool mousemove --sync "$px" "$py" keydown alt mousedown 3
    for step in 1 2 3 4 5; do
        xdotool mousemove --sync $((px + 20 * step)) $((py + 10 * step))
        sleep 0.05
    done
    tab_seen=""
    for _ in $(seq 20); do window_shown "Vantro Dimensions" && tab_seen=yes && break; sleep 0.05; done
    xdotool mouseup 3 keyup alt
    [ -n "$tab_seen" ] || fail "no dimension tab during the window manager's resize"
    read -r _ _ w2 h2 <<<"$(frame_of "$window")"
    [ "$w2" -gt "$w" ] && [ "$h2" -gt "$h" ] || fail "the window manager's resize did not take"
    sleep 0.8
    ! window_shown "Vantro Dimensions" || fail "the dimension tab stayed after the window manager's resize"
fi

if [ "$all_features" = --all-features ]; then
    read -r ax ay aw ah <<<"$(work_area)"
    # Alt: the window stays centred on the work area.
    drag_edge "$window" corner 60 40 alt
    read -r x y w h <<<"$(frame_of "$window")"
    cx=$((x + w / 2 - (ax + aw / 2)))
    cy=$((y + h / 2 - (ay + ah / 2)))
    [ "${cx#-}" -le 2 ] && [ "${cy#-}" -le 2 ] ||
        fail "Alt drag left the window off centre: $x $y $w $h"
    # Super: the bottom-right corner stays and the top-left corner follows
    # the pointer, once the pointer has come round to it.
    read -r x y w h <<<"$(frame_of "$window")"
    drag_edge "$window" corner $((-w - 60)) $((-h - 40)) super
    read -r x2 y2 w2 h2 <<<"$(frame_of "$window")"
    [ $((x2 + w2)) -eq $((x + w)) ] && [ $((y2 + h2)) -eq $((y + h)) ] ||
        fail "Super drag moved the bottom-right corner: $x $y $w $h to $x2 $y2 $w2 $h2"
    [ "$w2" -gt "$w" ] && [ "$h2" -gt "$h" ] || fail "Super drag did not grow the window up and left"
    # Alt and Super on every edge: centred, the held sides are mirrored about
    # the work area's centre and the other dimension stays; pinned, the
    # bottom-right corner stays.
    for edge in right bottom left top; do
        for keys in alt super; do
            wait_for_settled_window "$window"
            read -r x y w h <<<"$(frame_of "$window")"
            case "$edge" in
            right | left) dx=-30 dy=0 ;;
            *) dx=0 dy=-30 ;;
            esac
            [ "$edge" = left ] && dx=30
            [ "$edge" = top ] && dy=30
            pointer_away
            drag_edge "$window" "$edge" "$dx" "$dy" "$keys"
            read -r x2 y2 w2 h2 <<<"$(frame_of "$window")"
            what="$keys drag of the $edge edge: $x $y $w $h to $x2 $y2 $w2 $h2"
            if [ "$keys" = super ]; then
                [ $((x2 + w2)) -eq $((x + w)) ] && [ $((y2 + h2)) -eq $((y + h)) ] ||
                    fail "$what: the bottom-right corner moved"
                # On the right or bottom edge the pointer is far from the
                # top-left corner that now follows it: the size is held.
                case "$edge" in
                right | bottom) [ "$w2 $h2" = "$w $h" ] || fail "$what: the size was not held" ;;
                esac
            else
                case "$edge" in
                right | left)
                    near $((x2 + w2 / 2)) $((ax + aw / 2)) && [ "$y2 $h2" = "$y $h" ] || fail "$what" ;;
                *) near $((y2 + h2 / 2)) $((ay + ah / 2)) && [ "$x2 $w2" = "$x $w" ] || fail "$what" ;;
                esac
            fi
            echo "$what: ok"
        done
    done
fi
echo "resize drag: ok"
