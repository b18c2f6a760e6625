#!/usr/bin/env bash
# A value of the wrong shape written to the keep-aspect-ratio key mid Control drag: the
# drag keeps the ratio (not read yet) or follows the pointer (read as off); the next is a
# plain resize; with the key reset Control keeps the ratio again. No crash.
# Usage: fault_wrong_shape_mid_drag.sh BUILD-DIR PATH-TO-vantro-test-app
set -euo pipefail
build=$1
# shellcheck source=../e2e/process_lib.sh
. "$(dirname "$0")/../e2e/process_lib.sh"
readonly kKey=/com/quillworks/vantro/VantroKeepAspectRatio
open_window "$build" -- "$2"

# The drag goes by (+96, +8), the write, then (+24, +2) more.
write_shape() {
    dconf write "$kKey" "$shape"
    sleep 0.1
    xdotool mousemove_relative --sync 24 2
}

for shape in "'text'" "{'a': <1>}"; do
    prefs reset VantroKeepAspectRatio
    sleep 0.3
    read -r x y w h <<<"$(frame_of "$window")"
    during_drag=write_shape drag_edge "$window" corner 96 8 ctrl
    sleep 0.2
    read -r x2 y2 w2 h2 <<<"$(frame_of "$window")"
    [ "$x2 $y2" = "$x $y" ] || fail "$shape mid-drag: the top-left corner moved to $x2 $y2"
    if ! keeps_ratio "$w" "$h" "$w2" "$h2" &&
        ! frames_match "$x2 $y2 $w2 $h2" "$x $y $((w + 120)) $((h + 10))"; then
        fail "$shape mid-drag: $w x $h became $w2 x $h2, neither the ratio kept nor the pointer followed"
    fi
    echo "$shape written mid-drag: $w x $h became $w2 x $h2"
    read -r x y w h <<<"$(frame_of "$window")"
    drag_edge "$window" corner 60 10 ctrl
    wait_for_frame "$window" "$x $y $((w + 60)) $((h + 10))" "a Control drag with $shape stored"
    drag_edge "$window" corner -60 -10 ""
    prefs reset VantroKeepAspectRatio
    sleep 0.3
    read -r x y w h <<<"$(frame_of "$window")"
    drag_edge "$window" corner 120 10 ctrl
    read -r _ _ w2 h2 <<<"$(frame_of "$window")"
    [ "$w2" -gt "$w" ] && keeps_ratio "$w" "$h" "$w2" "$h2" ||
        fail "a Control drag after the reset did not keep the ratio: $w x $h to $w2 x $h2"
    drag_edge "$window" corner $((w - w2)) $((h - h2)) ""
done
healthy "with values of the wrong shape written mid-drag"
echo "wrong shape mid-drag: ok"
