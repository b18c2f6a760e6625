#!/usr/bin/env bash
# Drags on the real edges of the test application with the plug-in loaded:
# a plain drag follows the pointer; Shift keeps the width or the height,
# Control the aspect ratio (the window manager takes Alt and Super drags
# for itself, so those two run where there is none: --all-features); the
# dimension tab is shown during the drag and gone after it, also during a
# resize the window manager runs.
# Usage: resize_drag.sh BUILD-DIR PATH-TO-vantro-test-app [--all-features]
set -euo pipefail
build=$1
app=$2
all_features=${3:-}
top=$(cd "$(dirname "$0")/../.." && pwd)
fail() { echo "FAIL: $*" >&2; [ -n "${app_log:-}" ] && cat "$app_log" >&2; exit 1; }
# shellcheck source=desktop_lib.sh
. "$top/tests/e2e/desktop_lib.sh"
trap stop_test_app EXIT

start_test_app "$build" "$app"
window=$(wait_for_test_window)
wait_for_settled_window "$window"

# Plain drags: the dragged edge follows the pointer, the opposite one stays.
read -r x y w h <<<"$(frame_of "$window")"
drag_edge "$window" right 100 0 ""
wait_for_frame "$window" "$x $y $((w + 100)) $h" "plain drag of the right edge"
drag_edge "$window" left -50 0 ""
wait_for_frame "$window" "$((x - 50)) $y $((w + 150)) $h" "plain drag of the left edge"

# Shift on the corner with a mostly downward movement: the width is kept.
read -r x y w h <<<"$(frame_of "$window")"
tab_seen=""
check_tab() { window_shown "Vantro Dimensions" && tab_seen=yes || true; }
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
fi
echo "resize drag: ok"
