# Where a zoom should put a window, computed from what X says about it
# (WM_NORMAL_HINTS, the extents properties) rather than from the plug-in:
# the layout's share of the work area, then the window's limits in the
# plug-in's order (screen, window maximum, window minimum, increments), then
# the layout's placement. Sourced after tests/e2e/desktop_lib.sh.

# One field pair of WM_NORMAL_HINTS as xprop prints it ("minimum size",
# "maximum size", "resize increment", "base size"): "W H", nothing when absent.
hint_pair() {
    xprop -id "$1" WM_NORMAL_HINTS 2>/dev/null |
        sed -n "s/.*program specified $2: \([0-9]*\) by \([0-9]*\).*/\1 \2/p"
}

# The window's limits as frame sizes, one line: "MINW MINH MAXW MAXH INCW
# INCH" (0 for no maximum, 1 for no increment). Like everything the X tools
# report, device pixels: at GDK_SCALE=2 the plug-in's lengths are twice these.
frame_limits() {
    local window=$1 sl sr st sb dl dr dt db
    read -r sl sr st sb <<<"$(extents_of "$window" _GTK_FRAME_EXTENTS)"
    read -r dl dr dt db <<<"$(extents_of "$window" _NET_FRAME_EXTENTS)"
    local extra_w=$((dl + dr - sl - sr)) extra_h=$((dt + db - st - sb))
    local minw=0 minh=0 maxw=0 maxh=0 incw=1 inch=1 pair
    pair=$(hint_pair "$window" "minimum size")
    [ -n "$pair" ] && read -r minw minh <<<"$pair" && minw=$((minw + extra_w)) minh=$((minh + extra_h))
    pair=$(hint_pair "$window" "maximum size")
    [ -n "$pair" ] && read -r maxw maxh <<<"$pair" && maxw=$((maxw + extra_w)) maxh=$((maxh + extra_h))
    pair=$(hint_pair "$window" "resize increment")
    [ -n "$pair" ] && read -r incw inch <<<"$pair"
    echo "$minw $minh $maxw $maxh $incw $inch"
}

# One length through the limits: screen, maximum, minimum, then whole
# increments that keep the current length's remainder, never beyond the screen.
limited_length() { # proposed screen minimum maximum increment current
    local p=$1 screen=$2 minimum=$3 maximum=$4 increment=$5 current=$6
    ((p > screen)) && p=$screen
    ((maximum > 0 && p > maximum)) && p=$maximum
    ((p < minimum)) && p=$minimum
    if ((increment > 1)); then
        p=$((p - p % increment + current % increment))
        while ((minimum > p)); do p=$((p + increment)); done
        while ((maximum > 0 && p > maximum)); do p=$((p - increment)); done
        while ((p > screen)); do p=$((p - increment)); done
    fi
    echo "$p"
}

# "X Y W H" that LAYOUT (whole, left, right, top, bottom, bottom-right)
# gives the window on the work area "AX AY AW AH".
zoom_target() { # window layout ax ay aw ah
    local window=$1 layout=$2 ax=$3 ay=$4 aw=$5 ah=$6 pw ph
    local minw minh maxw maxh incw inch fw fh
    read -r minw minh maxw maxh incw inch <<<"$(frame_limits "$window")"
    read -r _ _ fw fh <<<"$(frame_of "$window")"
    case "$layout" in
    whole) pw=$aw ph=$ah ;;
    left | right) pw=$((aw / 2)) ph=$ah ;;
    top | bottom) pw=$aw ph=$((ah / 2)) ;;
    bottom-right) pw=$((aw / 2)) ph=$((ah / 2)) ;;
    esac
    local w h x y
    w=$(limited_length "$pw" "$aw" "$minw" "$maxw" "$incw" "$fw")
    h=$(limited_length "$ph" "$ah" "$minh" "$maxh" "$inch" "$fh")
    case "$layout" in
    whole) x=$((ax + (aw - w) / 2)) ;;
    right | bottom-right) x=$((ax + aw - w)) ;;
    *) x=$ax ;;
    esac
    case "$layout" in
    bottom | bottom-right) y=$((ay + ah - h)) ;;
    *) y=$ay ;;
    esac
    echo "$x $y $w $h"
}
