#!/usr/bin/env bash
# Drags on the real edges of the test application: every edge with every feature key,
# keys changed mid-drag, the window manager's resize; Alt and Super where no window
# manager takes them (--all-features); on a monitor above or left (--second-monitor).
# Usage: resize_drag.sh BUILD-DIR PATH-TO-vantro-test-app [--all-features] [--second-monitor]
set -euo pipefail
build=$1 app=$2
[[ " ${*:3} " == *" --all-features "* ]] && all_features=yes || all_features=""
# shellcheck source=process_lib.sh
. "$(dirname "$0")/process_lib.sh"

open_window "$build" -- "$app"
read -r ax ay aw ah <<<"$(work_area)"

check_tab() { window_shown "Vantro Dimensions" && tab_seen=yes || true; }
# Drags EDGE by DX DY with KEYS held; checks the tab showed, ANCHOR stayed (a corner tl
# br tr bl; cx cy c: centred on the work area across, down, both; -), the size is SIZE
# ("W H" arithmetic on w and h; ratio<, ratio>, ratio>=: ratio kept, width less, more,
# not less; grown; -) and $also_check of the frame.
check_drag() { # edge keys dx dy anchor size
    local edge=$1 keys=$2 anchor=$5 size=$6 x y w h x2 y2 w2 h2
    wait_for_settled_window "$window"
    read -r x y w h <<<"$(frame_of "$window")"
    tab_seen=""
    during_drag=check_tab drag_edge "$window" "$edge" "$3" "$4" "$keys"
    read -r x2 y2 w2 h2 <<<"$(frame_of "$window")"
    local what="${keys:-plain} drag of the $edge edge by $3 $4: $x $y $w $h to $x2 $y2 $w2 $h2"
    [ -n "$tab_seen" ] || fail "no dimension tab during the $what"
    case "$anchor" in
    tl) [ "$x2 $y2" = "$x $y" ] ;;
    br) [ $((x2 + w2)) -eq $((x + w)) ] && [ $((y2 + h2)) -eq $((y + h)) ] ;;
    tr) [ $((x2 + w2)) -eq $((x + w)) ] && [ "$y2" -eq "$y" ] ;;
    bl) [ $((y2 + h2)) -eq $((y + h)) ] && [ "$x2" -eq "$x" ] ;;
    cx) near $((x2 + w2 / 2)) $((ax + aw / 2)) && [ "$y2 $h2" = "$y $h" ] ;;
    cy) near $((y2 + h2 / 2)) $((ay + ah / 2)) && [ "$x2 $w2" = "$x $w" ] ;;
    c) near $((x2 + w2 / 2)) $((ax + aw / 2)) 2 && near $((y2 + h2 / 2)) $((ay + ah / 2)) 2 ;;
    esac || fail "$what: not anchored $anchor"
    case "$size" in
    -) ;;
    ratio\<) keeps_ratio "$w" "$h" "$w2" "$h2" && ((w2 < w)) ;;
    ratio\>) keeps_ratio "$w" "$h" "$w2" "$h2" && ((w2 > w)) ;;
    ratio\>=) keeps_ratio "$w" "$h" "$w2" "$h2" && ((w2 >= w)) ;;
    grown) ((w2 > w && h2 > h)) ;;
    *) [ "$w2 $h2" = "$((${size% *})) $((${size#* }))" ] ;;
    esac || fail "$what: not the size $size"
    [ -z "${also_check:-}" ] || "$also_check" "$x2" "$y2" "$w2" "$h2" || fail "$what: $also_check"
    echo "$what: ok"
}

if [[ " ${*:3} " == *" --second-monitor "* ]]; then
    read -r mw mh mx my <<<"$(monitors | sed -n 2p)"
    [ -n "$mw" ] || fail "no second monitor: $(xrandr --listmonitors)"
    xdotool windowmove --sync "$window" $((mx + 200)) $((my + 150))
    wait_for_settled_window "$window"
    on_second() { (($1 >= mx && $2 >= my && $1 + $3 <= mx + mw && $2 + $4 <= my + mh)); }
    # shellcheck disable=SC2046 # a frame is four words
    on_second $(frame_of "$window") || fail "the window did not go to the second monitor: $(frame_of "$window")"
    also_check=on_second
    check_drag corner ctrl 80 30 tl "ratio>"
    if [ -n "$all_features" ]; then
        # Super and Control: the size is held until the pointer comes round the corner.
        check_drag corner super+ctrl 60 40 tl "w h"
        read -r _ _ w h <<<"$(frame_of "$window")"
        check_drag corner super+ctrl $((-w / 3)) $((-h / 3)) br "ratio>="
    fi
    exit 0
fi

# A key changed mid-drag with the pointer still leaves the frame; the next movement decides.
keys_mid_drag() { # px, py: drag_edge's start
    local held change
    sleep 0.3
    held=$(frame_of "$window")
    for change in "keyup ctrl" "keydown shift"; do
        # shellcheck disable=SC2086 # a command and its key
        xdotool $change
        sleep 0.3
        [ "$(frame_of "$window")" = "$held" ] || fail "$change in mid-drag changed $held to $(frame_of "$window")"
    done
    xdotool keyup shift mousemove --sync $((px + 90)) $((py + 10))
}
read -r x y w h <<<"$(frame_of "$window")"
during_drag=keys_mid_drag drag_edge "$window" corner 80 10 ctrl
read -r x2 y2 w2 h2 <<<"$(frame_of "$window")"
[ "$x2 $y2" = "$x $y" ] && [ "$w2" -gt "$w" ] || fail "the drag did not go on after the keys: $x2 $y2 $w2 $h2"

# Every edge and corner with no key, Shift and Control (inward: the size stays about the same).
while read -r edge dx dy anchor; do
    check_drag "$edge" "" "$dx" "$dy" "$anchor" "w+${dx#-} h+${dy#-}"
    [ "$edge" = corner ] && grown=- || grown="w+${dx#-} h+${dy#-}"
    check_drag "$edge" shift "$dx" "$dy" "$anchor" "$grown"
    check_drag "$edge" ctrl $((-2 * dx)) $((-2 * dy)) "$anchor" "ratio<"
done <<'EOF'
right 20 0 tl
bottom 0 20 tl
left -20 0 tr
top 0 -20 bl
corner 20 15 tl
EOF
# The tab goes with the drag; Control grows with a mostly sideways movement.
poll 5 window_gone "Vantro Dimensions" || fail "the dimension tab stayed after the drag"
check_drag corner ctrl 120 10 tl "ratio>"

# A resize the window manager runs (Alt and the right button) shows the tab, looked for
# from the first change of size on while the pointer goes on moving.
if [[ "$(wm_name)" == Openbox || "$(wm_name)" == Xfwm4 ]]; then
    wait_for_settled_window "$window"
    read -r x y w h <<<"$(frame_of "$window")"
    px=$((x + w - 60)) py=$((y + h - 60))
    xdotool mousemove --sync "$px" "$py" keydown alt mousedown 3
    for step in 1 2 3 4 5; do xdotool mousemove --sync $((px + 20 * step)) $((py + 10 * step)) sleep 0.05; done
    resized() { read -r _ _ w2 h2 <<<"$(frame_of "$window")" && ((w2 > w && h2 > h)); }
    poll 30 resized || { xdotool mouseup 3 keyup alt; fail "the window manager's resize did not take"; }
    moved_with_tab() { step=$((step + 1)) && xdotool mousemove --sync $((px + 100 + step)) $((py + 50 + step)) &&
        window_shown "Vantro Dimensions"; }
    poll 10 moved_with_tab || { xdotool mouseup 3 keyup alt; fail "no dimension tab during the window manager's resize"; }
    xdotool mouseup 3 keyup alt
    poll 10 window_gone "Vantro Dimensions" || fail "the dimension tab stayed after the window manager's resize"
fi

if [ -n "$all_features" ]; then
    # Alt keeps the window centred on the work area; Super the bottom-right corner.
    check_drag corner alt 60 40 c -
    read -r _ _ w h <<<"$(frame_of "$window")"
    check_drag corner super $((-w - 60)) $((-h - 40)) br grown
    # On every edge: centred, the other dimension stays; pinned, the bottom-right corner
    # stays, and on the right or bottom edge the size is held.
    while read -r edge dx dy centred held; do
        check_drag "$edge" alt "$dx" "$dy" "$centred" -
        check_drag "$edge" super "$dx" "$dy" br "$held"
    done <<'EOF'
right -30 0 cx w h
bottom 0 -30 cy w h
left 30 0 cx -
top 0 30 cy -
EOF
fi
echo "resize drag: ok"
