# Functions the end-to-end scripts share: starting the test application with
# the plug-in, reading what the user sees of a window, and finding its title
# buttons. Sourced; expects `fail` to be defined by the script.

# A program with the build tree's plug-in, its output in $app_log. Sets
# $app_pid. Usage: start_with_plugin BUILD [NAME=VALUE...] -- PROGRAM ARGS...
start_with_plugin() {
    local build=$1 environment=()
    shift
    while [ $# -gt 0 ] && [ "$1" != -- ]; do
        environment+=("$1")
        shift
    done
    [ "${1:-}" = -- ] && shift
    app_log=$(mktemp)
    G_MESSAGES_DEBUG=Vantro env "${environment[@]}" "$top/tools/with-vantro" --build "$build" "$@" \
        >"$app_log" 2>&1 &
    app_pid=$!
}

# The test application with the build tree's plug-in, its output in $app_log.
# Sets $app_pid. Extra environment may be given as NAME=VALUE arguments.
start_test_app() {
    local build=$1 app=$2
    shift 2
    start_with_plugin "$build" "$@" -- "$app"
}

# Whether BUILD was configured with the sanitizers. Its plug-in then loads
# only into programs built with them too: a program that was not needs the
# AddressSanitizer runtime preloaded, and GTK 3 programs from Debian started
# so deadlock before their first window (glibc's gettext lock, taken again
# inside bind_textdomain_codeset), with or without the plug-in.
build_is_sanitized() { grep -q '^VANTRO_SANITIZE:BOOL=ON$' "$1/CMakeCache.txt" 2>/dev/null; }

stop_test_app() {
    [ -n "${app_pid:-}" ] || return 0
    kill "$app_pid" 2>/dev/null || true
    wait "$app_pid" 2>/dev/null || true
    app_pid=""
    [ -n "${KEEP_APP_LOG:-}" ] && cp "${app_log:-/dev/null}" "$KEEP_APP_LOG"
    rm -f "${app_log:-}"
}

# The visible top-level windows that xdotool search ARGS finds, less the
# plug-in's own feedback windows (which share the host's class and pid).
program_windows() {
    local window
    for window in $(xdotool search --onlyvisible "$@" 2>/dev/null || true); do
        case "$(xdotool getwindowname "$window" 2>/dev/null)" in
        "Vantro Heads-Up Panel" | "Vantro Dimensions" | "Vantro Resize Indicator") ;;
        *) echo "$window" ;;
        esac
    done
}

test_windows() { xdotool search --onlyvisible --name '^Vantro Test Window$' 2>/dev/null || true; }

# Waits for the first window that xdotool search ARGS finds and prints its id.
wait_for_window() {
    for _ in $(seq 100); do
        local window
        window=$(program_windows "$@" | head -n1)
        if [ -n "$window" ]; then
            echo "$window"
            return 0
        fi
        sleep 0.1
    done
    cat "$app_log" >&2
    fail "no window ($*) appeared"
}

# Waits for the first test window and prints its id.
wait_for_test_window() { wait_for_window --name '^Vantro Test Window$'; }

# Whether GTK draws the window's title bar itself (client-side decorations):
# it then asks the window manager for no decorations in _MOTIF_WM_HINTS.
has_client_side_title_bar() {
    local values
    values=$(xprop -id "$1" _MOTIF_WM_HINTS 2>/dev/null | sed -n 's/.*= //p' | tr -d ' ')
    [ -n "$values" ] || return 1
    local flags decorations
    IFS=, read -r flags _ decorations _ <<<"$values"
    # xprop prints the CARDINALs in hexadecimal (0x2, 0x0, ...).
    (((flags & 2) != 0 && decorations == 0))
}

# Four CARDINALs of a frame-extents property: "left right top bottom", zeros when absent.
extents_of() {
    local values
    values=$(xprop -id "$1" "$2" 2>/dev/null | sed -n 's/.*= \([0-9, ]*\)$/\1/p' | tr -d ' ')
    [ -n "$values" ] || values=0,0,0,0
    echo "${values//,/ }"
}

# "X Y W H" of what the user sees as the window: the X window less the
# client-side shadow, plus the window manager's decorations.
frame_of() {
    local info x y w h sl sr st sb dl dr dt db
    info=$(xwininfo -id "$1")
    x=$(sed -n 's/.*Absolute upper-left X: *\(-\{0,1\}[0-9]*\).*/\1/p' <<<"$info")
    y=$(sed -n 's/.*Absolute upper-left Y: *\(-\{0,1\}[0-9]*\).*/\1/p' <<<"$info")
    w=$(sed -n 's/.*Width: *\([0-9]*\).*/\1/p' <<<"$info")
    h=$(sed -n 's/.*Height: *\([0-9]*\).*/\1/p' <<<"$info")
    read -r sl sr st sb <<<"$(extents_of "$1" _GTK_FRAME_EXTENTS)"
    read -r dl dr dt db <<<"$(extents_of "$1" _NET_FRAME_EXTENTS)"
    echo "$((x + sl - dl)) $((y + st - dt)) $((w - sl - sr + dl + dr)) $((h - st - sb + dt + db))"
}

# The first work area of the root window: "X Y W H".
work_area() {
    local values
    values=$(xprop -root _NET_WORKAREA 2>/dev/null | sed -n 's/.*= //p' | cut -d, -f1-4 | tr -d ' ')
    if [ -z "$values" ]; then
        values=$(xwininfo -root | sed -n 's/.*Width: *\([0-9]*\).*/0,0,\1/p;s/.*Height: *\([0-9]*\).*/\1/p' | paste -sd,)
    fi
    echo "${values//,/ }"
}

# The work area of the monitor holding the centre of the window: "X Y W H",
# the monitor's rectangle (xrandr) cut to the root window's work area.
work_area_of() {
    local x y w h cx cy ax ay aw ah
    read -r x y w h <<<"$(frame_of "$1")"
    cx=$((x + w / 2))
    cy=$((y + h / 2))
    read -r ax ay aw ah <<<"$(work_area)"
    local line mw mh mx my
    while read -r mw mh mx my; do
        if [ "$cx" -ge "$mx" ] && [ "$cx" -lt $((mx + mw)) ] && [ "$cy" -ge "$my" ] &&
            [ "$cy" -lt $((my + mh)) ]; then
            local left=$((mx > ax ? mx : ax)) top=$((my > ay ? my : ay))
            local right=$((mx + mw < ax + aw ? mx + mw : ax + aw))
            local bottom=$((my + mh < ay + ah ? my + mh : ay + ah))
            echo "$left $top $((right - left)) $((bottom - top))"
            return 0
        fi
    done < <(xrandr --listmonitors | sed -n 's|.* \([0-9]*\)/[0-9]*x\([0-9]*\)/[0-9]*+\([0-9]*\)+\([0-9]*\) .*|\1 \2 \3 \4|p')
    echo "$ax $ay $aw $ah"
}

# Whether the program has laid out its widgets for the X window's present
# size and the maximized state the window manager gives it. The X window
# takes both first and GTK lays out at its next frame: a click before that
# lands on the widgets where they were. The test application says what it
# laid out for in _VANTRO_TEST_LAYOUT ("width, height, maximized"); a
# window without that property cannot tell and counts as laid out.
laid_out() {
    local layout info w h maximized=0
    layout=$(xprop -id "$1" _VANTRO_TEST_LAYOUT 2>/dev/null | sed -n 's/.*= \([0-9, ]*\)$/\1/p' | tr -d ' ')
    [ -n "$layout" ] || return 0
    info=$(xwininfo -id "$1" 2>/dev/null) || return 1
    w=$(sed -n 's/.*Width: *\([0-9]*\).*/\1/p' <<<"$info")
    h=$(sed -n 's/.*Height: *\([0-9]*\).*/\1/p' <<<"$info")
    xprop -id "$1" _NET_WM_STATE 2>/dev/null | grep 'MAXIMIZED_VERT' | grep -q 'MAXIMIZED_HORZ' &&
        maximized=1
    [ "$layout" = "$w,$h,$maximized" ]
}

# Waits until a newly opened window is viewable and its frame has stopped
# changing (the window manager has placed it and GTK has drawn its title
# bar), so that a click computed from the frame lands where it is meant to.
wait_for_settled_window() {
    local window=$1 last="" now
    for _ in $(seq 50); do
        if xwininfo -id "$window" 2>/dev/null | grep -q 'Map State: IsViewable'; then
            now=$(frame_of "$window")
            [ "$now" = "$last" ] && laid_out "$window" && return 0
            last=$now
        fi
        sleep 0.2
    done
    fail "the window $window did not settle (last frame '$last')"
}

# Waits until the window's frame is "X Y W H" (each within one pixel) and
# the program has laid out for it, so that a click may follow at once.
wait_for_frame() {
    local window=$1 want=$2 got="" layout=""
    for _ in $(seq 50); do
        got=$(frame_of "$window") layout=""
        if frames_match "$got" "$want"; then
            layout=" (the program not laid out for it)"
            laid_out "$window" && frames_match "$(frame_of "$window")" "$want" && return 0
        fi
        sleep 0.1
    done
    fail "${3:-frame}: expected '$want', got '$got'$layout"
}

frames_match() {
    local a b
    read -r -a a <<<"$1"
    read -r -a b <<<"$2"
    for i in 0 1 2 3; do
        local d=$((a[i] - b[i]))
        [ "${d#-}" -le 1 ] || return 1
    done
}

# The centre of a title button in root coordinates. GTK's default theme
# puts minimize, maximize and close at the right end of the title bar: in a
# header bar 40 px apart, their centres 27 px below its top; in the compact
# title bar GTK gives a window without one of its own (title_bar_style=compact)
# 34 px apart, 18 px below. Device pixels: GDK_SCALE multiplies them.
title_button_point() {
    local x y w h offset down scale=${GDK_SCALE:-1}
    read -r x y w h <<<"$(frame_of "$1")"
    if [ "${title_bar_style:-header}" = compact ]; then
        down=18
        case "$2" in
        close) offset=18 ;;
        maximize) offset=52 ;;
        minimize) offset=86 ;;
        esac
    else
        down=27
        case "$2" in
        close) offset=27 ;;
        maximize) offset=68 ;;
        minimize) offset=108 ;;
        esac
    fi
    echo "$((x + w - offset * scale)) $((y + down * scale))"
}

# Clicks a title button of the window with modifier keys held ("" for none,
# else xdotool names joined by +, e.g. ctrl or shift+ctrl) and mouse button
# 1 or 3.
click_title_button() {
    local window=$1 which=$2 modifiers=$3 button=${4:-1} px py
    read -r px py <<<"$(title_button_point "$window" "$which")"
    xdotool mousemove --sync "$px" "$py"
    if [ -n "$modifiers" ]; then
        xdotool keydown "$modifiers"
        xdotool click "$button"
        xdotool keyup "$modifiers"
    else
        xdotool click "$button"
    fi
}

# Drags from a point of the window's edge by (DX, DY) in five steps with
# modifier keys held ("" for none): EDGE is right, bottom, corner (bottom
# right), left or top. Leaves the pointer where the drag ended.
drag_edge() {
    local window=$1 edge=$2 dx=$3 dy=$4 modifiers=$5 x y w h px py in=2 sl
    read -r x y w h <<<"$(frame_of "$window")"
    # GTK's resize borders lie just inside the frame's edge, or in the
    # client-side shadow outside it where there is one.
    read -r sl _ <<<"$(extents_of "$window" _GTK_FRAME_EXTENTS)"
    [ "$sl" -gt 0 ] && in=-4
    case "$edge" in
    right) px=$((x + w - in)) py=$((y + h / 2)) ;;
    bottom) px=$((x + w / 2)) py=$((y + h - in)) ;;
    corner) px=$((x + w - in)) py=$((y + h - in)) ;;
    left) px=$((x + in - 1)) py=$((y + h / 2)) ;;
    top) px=$((x + w / 2)) py=$((y + in - 1)) ;;
    esac
    xdotool mousemove --sync "$px" "$py"
    [ -n "$modifiers" ] && xdotool keydown "$modifiers"
    xdotool mousedown 1
    for step in 1 2 3 4 5; do
        xdotool mousemove --sync $((px + dx * step / 5)) $((py + dy * step / 5))
        sleep 0.05
    done
    [ -n "${during_drag:-}" ] && "$during_drag"
    xdotool mouseup 1
    [ -n "$modifiers" ] && xdotool keyup "$modifiers"
    sleep 0.3
}

# Whether a popup menu is shown: menus are override-redirect children of the
# root, typed as menus.
menu_shown() {
    local candidate
    for candidate in $(xdotool search --onlyvisible --maxdepth 1 --class '' 2>/dev/null); do
        xprop -id "$candidate" _NET_WM_WINDOW_TYPE 2>/dev/null | grep -q '_MENU$' && return 0
    done
    return 1
}

# Whether the window is the topmost of the window manager's stacking order;
# true without a window manager, where a raise takes effect at once.
on_top() {
    local stacking
    stacking=$(xprop -root _NET_CLIENT_LIST_STACKING 2>/dev/null | sed -n 's/.*# //p')
    [ -z "$stacking" ] || [ "${stacking##*, }" = "$(printf '0x%x' "$1")" ]
}

# Polls CHECK ARGS... every 50 ms for up to TENTHS tenths of a second.
wait_until() { # tenths check...
    local tenths=$1
    shift
    for _ in $(seq $((tenths * 2))); do
        "$@" && return 0
        sleep 0.05
    done
    "$@"
}

# Whether a visible window is titled exactly NAME.
window_shown() { xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; }

# The running window manager's name (_NET_WM_NAME of its check window), ""
# without one.
wm_name() {
    local check
    check=$(xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | sed -n 's/.*window id # \(0x[0-9a-f]*\).*/\1/p')
    [ -n "$check" ] || return 0
    xprop -id "$check" _NET_WM_NAME 2>/dev/null | sed -n 's/.*= "\(.*\)"$/\1/p'
}
