# shellcheck shell=bash
# What the end-to-end, soak and matrix scripts see of windows and how they drive
# them. Sourced; expects `fail` (process_lib.sh's) and $build for prefs.
top=${top:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}

# A program with the build tree's plug-in, output in $app_log (in $work if set, for fail).
start_with_plugin() { # build [name=value...] -- program args...
    local build=$1 environment=()
    shift
    while [ "$1" != -- ]; do environment+=("$1") && shift; done
    shift
    app_log=$(mktemp -p "${work:-${TMPDIR:-/tmp}}" app-XXXXXX.log)
    G_MESSAGES_DEBUG=Vantro env "${environment[@]}" "$top/tools/with-vantro" --build "$build" "$@" \
        >"$app_log" 2>&1 &
    app_pid=$!
}

start_test_app() { start_with_plugin "$1" "${@:3}" -- "$2"; } # build app [name=value...]

# start_with_plugin, then waits for the window "${search[@]}" finds (the test
# window by default) to settle; sets window, start, ax ay aw ah, left_half, whole.
# shellcheck disable=SC2034 # the frames are for the scripts that source this
open_window() { # build [name=value...] -- program args...
    [ -v search ] || local search=(--name '^Vantro Test Window$')
    start_with_plugin "$@"
    window=$(wait_for_window "${search[@]}")
    wait_for_settled_window "$window"
    start=$(frame_of "$window")
    read -r ax ay aw ah <<<"$(work_area_of "$window")"
    left_half="$ax $ay $((aw / 2)) $ah"
    whole="$ax $ay $aw $ah"
}

# A sanitized plug-in loads only into programs built with the sanitizers (Debian's GTK 3
# programs with the AddressSanitizer runtime preloaded deadlock on glibc's gettext lock).
build_is_sanitized() { grep -q '^VANTRO_SANITIZE:BOOL=ON$' "$1/CMakeCache.txt" 2>/dev/null; }

stop_test_app() {
    [ -n "${app_pid:-}" ] || return 0
    kill "$app_pid" 2>/dev/null || true
    wait "$app_pid" 2>/dev/null || true
    app_pid="" && rm -f "${app_log:-}"
}
prefs() { "$build/apps/vantro-prefs/vantro-prefs" "$@" >/dev/null; }
# Runs CHECK every 100 ms until it succeeds or TENTHS have passed (status 1).
poll() { # tenths check...
    local tenths=$1 i
    shift
    for ((i = 0; i < tenths; i++)); do
        "$@" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    "$@" >/dev/null 2>&1
}

# The visible windows xdotool search ARGS finds, less the plug-in's feedback windows.
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
has_program_window() { [ -n "$(program_windows "$@")" ]; }
wait_for_window() {
    poll 100 has_program_window "$@" || { cat "${app_log:-/dev/null}" >&2; fail "no window ($*) appeared"; }
    program_windows "$@" | head -n1
}
wait_for_test_window() { wait_for_window --name '^Vantro Test Window$'; }

new_test_window() { test_windows | grep -vxF -f <(echo "$1") | head -n1 | grep .; }
# Opens a test window by ACTION (Ctrl+N in KEEPER) and prints its settled id.
another_test_window() { # keeper [action...]
    local keeper=$1 before opened
    shift
    before=$(test_windows)
    [ $# -gt 0 ] || set -- xdotool windowfocus --sync "$keeper" key --clearmodifiers ctrl+n
    "$@"
    poll 50 new_test_window "$before" || fail "$* opened no window"
    opened=$(new_test_window "$before")
    wait_for_settled_window "$opened"
    echo "$opened"
}

# GTK draws the title bar itself when it asks for no decorations in _MOTIF_WM_HINTS.
has_client_side_title_bar() {
    local flags decorations
    IFS=, read -r flags _ decorations _ <<<"$(xprop -id "$1" _MOTIF_WM_HINTS 2>/dev/null | sed -n 's/.*= //p' | tr -d ' ')"
    [ -n "$flags" ] && (((flags & 2) != 0 && decorations == 0))
}

# Four CARDINALs of a frame-extents property: "left right top bottom", zeros when absent.
extents_of() {
    local values
    values=$(xprop -id "$1" "$2" 2>/dev/null | sed -n 's/.*= \([0-9, ]*\)$/\1/p' | tr -d ' ')
    echo "${values:-0,0,0,0}" | tr , ' '
}

geometry_of() {
    xwininfo "$@" | sed -n 's/.*Absolute upper-left [XY]: *\(-\{0,1\}[0-9]*\).*/\1/p
        s/^ *Width: *\([0-9]*\).*/\1/p;s/^ *Height: *\([0-9]*\).*/\1/p' | paste -sd' '
}

# "X Y W H" the user sees: the X window less GTK's shadow, plus the decorations.
frame_of() {
    local x y w h sl sr st sb dl dr dt db
    read -r x y w h <<<"$(geometry_of -id "$1")"
    read -r sl sr st sb <<<"$(extents_of "$1" _GTK_FRAME_EXTENTS)"
    read -r dl dr dt db <<<"$(extents_of "$1" _NET_FRAME_EXTENTS)"
    echo "$((x + sl - dl)) $((y + st - dt)) $((w - sl - sr + dl + dr)) $((h - st - sb + dt + db))"
}

# The monitors of xrandr's list, one "W H X Y" a line.
monitors() {
    xrandr --listmonitors | sed -n 's|.* \([0-9]*\)/[0-9]*x\([0-9]*\)/[0-9]*+\([0-9]*\)+\([0-9]*\) .*|\1 \2 \3 \4|p'
}

work_area() {
    local values
    values=$(xprop -root _NET_WORKAREA 2>/dev/null | sed -n 's/.*= //p' | cut -d, -f1-4 | tr -d ' ')
    if [ -n "$values" ]; then echo "${values//,/ }"; else geometry_of -root; fi
}

# The rectangle "AX AY AW AH" cut to the monitor holding the point X Y: "X Y W H".
area_on_monitor_at() { # x y ax ay aw ah
    local mw mh mx my
    while read -r mw mh mx my; do
        if (($1 >= mx && $1 < mx + mw && $2 >= my && $2 < my + mh)); then
            local left=$((mx > $3 ? mx : $3)) top=$((my > $4 ? my : $4))
            local right=$((mx + mw < $3 + $5 ? mx + mw : $3 + $5))
            local bottom=$((my + mh < $4 + $6 ? my + mh : $4 + $6))
            echo "$left $top $((right - left)) $((bottom - top))"
            return 0
        fi
    done < <(monitors)
    echo "$3 $4 $5 $6"
}

# The work area of the monitor holding the window's centre.
work_area_of() {
    local x y w h
    read -r x y w h <<<"$(frame_of "$1")"
    # shellcheck disable=SC2046 # the work area is four words
    area_on_monitor_at $((x + w / 2)) $((y + h / 2)) $(work_area)
}

# Whether the widgets are laid out for the X window's size and maximized state (a click
# before lands where they were): the test application says so in _VANTRO_TEST_LAYOUT.
laid_out() {
    local layout w h maximized=0
    layout=$(xprop -id "$1" _VANTRO_TEST_LAYOUT 2>/dev/null | sed -n 's/.*= \([0-9, ]*\)$/\1/p' | tr -d ' ')
    [ -n "$layout" ] || return 0
    read -r _ _ w h <<<"$(geometry_of -id "$1" 2>/dev/null)"
    xprop -id "$1" _NET_WM_STATE 2>/dev/null | grep 'MAXIMIZED_VERT' | grep -q 'MAXIMIZED_HORZ' &&
        maximized=1
    [ "$layout" = "$w,$h,$maximized" ]
}

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

frames_match() {
    local a b i
    read -r -a a <<<"$1"
    read -r -a b <<<"$2"
    for i in 0 1 2 3; do near "${a[i]}" "${b[i]}" || return 1; done
}
frame_is() { frames_match "$(frame_of "$1")" "$2"; }
wait_for_frame() {
    poll 50 frame_is "$1" "$2" && poll 20 laid_out "$1" && frame_is "$1" "$2" && return 0
    local layout=""
    frame_is "$1" "$2" && layout=" (the program not laid out for it)"
    fail "${3:-frame}: expected '$2', got '$(frame_of "$1")'$layout"
}

# A zoom by ACTION and its undo by ACTION again, back to $start. (A second click
# within GTK's double-click time, 400 ms, would be a double click.)
zoom_and_back() { # window expected name action...
    "${@:4}"
    wait_for_frame "$1" "$2" "$3"
    sleep 0.5
    "${@:4}"
    wait_for_frame "$1" "$start" "undo of $3"
}
click_and_back() { zoom_and_back "$window" "$2" "$3" click_title_button "$window" maximize "$1"; } # modifiers expected name

# The plug-in off: its shortcut leaves the window at FROM, a Control-click on maximize
# is GTK's maximize (to WHOLE; nothing without a window manager), a click GTK's restore.
expect_plugin_off() { # window from whole name
    xdotool windowfocus --sync "$1" key --clearmodifiers ctrl+shift+2
    sleep 0.5
    frame_is "$1" "$2" || fail "Ctrl+Shift+2 with $4 moved the window to $(frame_of "$1")"
    click_title_button "$1" maximize ctrl
    if [ -z "$(wm_name)" ]; then
        sleep 0.5 && wait_for_frame "$1" "$2" "Control-click with $4 and no window manager"
    else
        wait_for_frame "$1" "$3" "Control-click with $4 (GTK's maximize)"
        click_title_button "$1" maximize ""
        wait_for_frame "$1" "$2" "a click with $4 (GTK's restore)"
    fi
}

# The centre of a title button in root coordinates. GTK's default theme puts
# minimize, maximize and close at the title bar's right end, in a header bar
# 40 px apart and 27 px down; in GTK's compact title bar of a window without
# one of its own (title_bar_style=compact) 34 px apart, 18 px down; times GDK_SCALE.
title_button_point() {
    local x y w h offset down=27 scale=${GDK_SCALE:-1}
    read -r x y w h <<<"$(frame_of "$1")"
    case "${title_bar_style:-header} $2" in
    "header close") offset=27 ;;
    "header maximize") offset=68 ;;
    "header minimize") offset=108 ;;
    "compact close") offset=18 down=18 ;;
    "compact maximize") offset=52 down=18 ;;
    "compact minimize") offset=86 down=18 ;;
    esac
    echo "$((x + w - offset * scale)) $((y + down * scale))"
}

click_title_button() { # window which modifiers [button]
    local px py
    read -r px py <<<"$(title_button_point "$1" "$2")"
    xdotool mousemove --sync "$px" "$py"
    [ -z "$3" ] || xdotool keydown "$3"
    xdotool click "${4:-1}"
    [ -z "$3" ] || xdotool keyup "$3"
}

choose_whole_screen() { # window button
    click_title_button "$1" maximize "" "$2"
    poll 50 menu_shown || fail "no zoom options menu"
    xdotool key Down Down Return
}

# Drags EDGE (right, bottom, corner, left, top) by DX DY in five steps with MODIFIERS
# held; $during_drag, if set, runs before the release (the start in px, py). The pointer
# goes elsewhere first: xdotool's synchronous move waits for a motion.
drag_edge() {
    local window=$1 edge=$2 dx=$3 dy=$4 modifiers=$5 x y w h px py in=2 sl
    read -r x y w h <<<"$(frame_of "$window")"
    # GTK's resize borders lie just inside the frame, or in the shadow outside it.
    read -r sl _ <<<"$(extents_of "$window" _GTK_FRAME_EXTENTS)"
    [ "$sl" -gt 0 ] && in=-4
    case "$edge" in
    right) px=$((x + w - in)) py=$((y + h / 2)) ;;
    bottom) px=$((x + w / 2)) py=$((y + h - in)) ;;
    corner) px=$((x + w - in)) py=$((y + h - in)) ;;
    left) px=$((x + in - 1)) py=$((y + h / 2)) ;;
    top) px=$((x + w / 2)) py=$((y + in - 1)) ;;
    esac
    xdotool mousemove 1 1 sleep 0.05 mousemove --sync "$px" "$py"
    [ -n "$modifiers" ] && xdotool keydown "$modifiers"
    xdotool mousedown 1
    for step in 1 2 3 4 5; do xdotool mousemove --sync $((px + dx * step / 5)) $((py + dy * step / 5)) sleep 0.05; done
    [ -n "${during_drag:-}" ] && "$during_drag"
    xdotool mouseup 1
    [ -n "$modifiers" ] && xdotool keyup "$modifiers"
    sleep 0.3
}

# The client's ratio kept within 1 % or, on a grid of increments, one increment of height.
client_keeps_ratio() { # w0 h0 w h increment
    local height_error=$((($3 * $2 - $1 * $4) / $1))
    [ "${height_error#-}" -le $(($5 > $4 / 100 ? $5 : $4 / 100)) ]
}
# Drags the window manager's bottom-right corner five steps plain, five with Control
# (openbox starts no resize with it held), which keeps the client's ratio from when it
# went down (or the start). Prints what it saw; status 2 when no drag grew with the ratio.
check_managed_ratio_drag() { # window
    local x y fw fh inch w h w2 h2 ax ay in=2 attempt
    read -r _ _ _ _ _ inch <<<"$(frame_limits "$1")"
    # Room for the drag: at the work area's bottom the height would stay whatever Control does.
    read -r ax ay _ _ <<<"$(work_area)"
    read -r _ _ w h <<<"$(geometry_of -id "$1")"
    [ "$(wm_name)" = Mutter ] && in=-4
    # A second drag when the first kept no ratio: with every core busy, xfwm4
    # has taken a press as a resize of the right edge alone (its height kept).
    for attempt in 1 2; do
        xdotool windowsize --sync "$1" "$w" "$h" 2>/dev/null || xdotool windowsize "$1" "$w" "$h"
        xdotool windowmove --sync "$1" $((ax + 40)) $((ay + 40)) 2>/dev/null || xdotool windowmove "$1" $((ax + 40)) $((ay + 40))
        wait_for_settled_window "$1"
        read -r x y fw fh <<<"$(frame_of "$1")"
        # A pause after the press, as a hand makes: a busy window manager otherwise
        # takes the first motions before it has set up its resize.
        xdotool mousemove --sync $((x + fw - in)) $((y + fh - in)) mousedown 1 sleep 0.2
        for _ in 1 2 3 4 5; do xdotool mousemove_relative --sync 20 2 sleep 0.05; done
        xdotool keydown Control_L
        for _ in 1 2 3 4 5; do xdotool mousemove_relative --sync 20 2 sleep 0.05; done
        xdotool mouseup 1 keyup Control_L sleep 0.5
        read -r _ _ w2 h2 <<<"$(geometry_of -id "$1")"
        echo "the window manager's corner with Control (drag $attempt): client $w x $h to $w2 x $h2 (frame $fw x $fh at $x,$y; now $(frame_of "$1"))"
        [ "$w2" -gt "$w" ] && { client_keeps_ratio $((w + 100)) $((h + 10)) "$w2" "$h2" "$inch" ||
            client_keeps_ratio "$w" "$h" "$w2" "$h2" "$inch"; } && return 0
    done
    return 2
}
# xfwm4's maximize button: 39 px left of the frame's right, 14 down.
click_managed_maximize() { # window
    local x y w h
    read -r x y w h <<<"$(frame_of "$1")"
    xdotool mousemove --sync $((x + w - 39)) $((y + 14)) keydown ctrl click 1 keyup ctrl
}

# Whether A and B are at most TOLERANCE (1) apart.
near() { [ $(($1 - $2)) -le "${3:-1}" ] && [ $(($2 - $1)) -le "${3:-1}" ]; }
keeps_ratio() { # w h w2 h2
    local error=$(($3 * $2 - $1 * $4))
    [ "${error#-}" -le "$(($1 > $2 ? $1 : $2))" ]
}

menu_shown() {
    local candidate
    for candidate in $(xdotool search --onlyvisible --maxdepth 1 --class '' 2>/dev/null); do
        xprop -id "$candidate" _NET_WM_WINDOW_TYPE 2>/dev/null | grep -q '_MENU$' && return 0
    done
    return 1
}

# Whether the window tops the window manager's stacking order (true without one).
on_top() {
    local stacking
    stacking=$(xprop -root _NET_CLIENT_LIST_STACKING 2>/dev/null | sed -n 's/.*# //p')
    [ -z "$stacking" ] || [ "${stacking##*, }" = "$(printf '0x%x' "$1")" ]
}

window_shown() { xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; }
window_gone() { ! window_shown "$1"; }
closed() { ! xwininfo -id "$1" 2>/dev/null | grep -q 'IsViewable'; } # window

wm_name() {
    local check
    check=$(xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | sed -n 's/.*window id # \(0x[0-9a-f]*\).*/\1/p')
    [ -z "$check" ] || xprop -id "$check" _NET_WM_NAME 2>/dev/null | sed -n 's/.*= "\(.*\)"$/\1/p'
}

# Where a zoom should put a window, from what X says rather than from the plug-in.
# The window's limits as frame sizes: "MINW MINH MAXW MAXH INCW INCH" (0 for no maximum,
# 1 for no increment) from WM_NORMAL_HINTS, in device pixels like all the X tools say.
frame_limits() {
    local sl sr st sb dl dr dt db hints field w h limits=()
    read -r sl sr st sb <<<"$(extents_of "$1" _GTK_FRAME_EXTENTS)"
    read -r dl dr dt db <<<"$(extents_of "$1" _NET_FRAME_EXTENTS)"
    hints=$(xprop -id "$1" WM_NORMAL_HINTS 2>/dev/null)
    for field in "minimum size" "maximum size" "resize increment"; do
        read -r w h <<<"$(sed -n "s/.*program specified $field: \([0-9]*\) by \([0-9]*\).*/\1 \2/p" <<<"$hints")"
        if [ "$field" = "resize increment" ]; then
            limits+=("${w:-1}" "${h:-1}")
        elif [ -n "$w" ]; then
            limits+=($((w + dl + dr - sl - sr)) $((h + dt + db - st - sb)))
        else
            limits+=(0 0)
        fi
    done
    echo "${limits[*]}"
}

# One length through the limits in the plug-in's order: screen, maximum, minimum, then
# whole increments keeping the current remainder.
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

# "X Y W H" that LAYOUT (whole, left or right) gives $window on "$ax $ay $aw $ah".
zoom_target() { # layout
    local minw minh maxw maxh incw inch fw fh pw=$((aw / 2)) w h x=$ax
    read -r minw minh maxw maxh incw inch <<<"$(frame_limits "$window")"
    read -r _ _ fw fh <<<"$(frame_of "$window")"
    [ "$1" = whole ] && pw=$aw
    w=$(limited_length "$pw" "$aw" "$minw" "$maxw" "$incw" "$fw")
    h=$(limited_length "$ah" "$ah" "$minh" "$maxh" "$inch" "$fh")
    case "$1" in
    whole) x=$((ax + (aw - w) / 2)) ;;
    right) x=$((ax + aw - w)) ;;
    esac
    echo "$x $ay $w $h"
}
