# shellcheck shell=bash
# What the fault scripts share, sourced after they set build and top: the
# process and desktop helpers, a program started with the plug-in and the
# frames its window takes, the checks of a click and of a drag, and
# vantro-prefs without its output.
kTimeoutTenths=100
# shellcheck source=../e2e/process_lib.sh
. "$top/tests/e2e/process_lib.sh"
# shellcheck source=../e2e/desktop_lib.sh
. "$top/tests/e2e/desktop_lib.sh"
prefs() { "$build/apps/vantro-prefs/vantro-prefs" "$@" >/dev/null; }
gone() { ! kill -0 "$1" 2>/dev/null; }

# Starts a program with the build tree's plug-in, its output in
# $work/LOG.log, and waits for its window. Sets app_pid, app_log, window,
# start (the window's frame) and, of its work area, left_half and whole.
# Usage: start_program LOG [NAME=VALUE...] PROGRAM ARGS...
# shellcheck disable=SC2034 # the frames are for the scripts that source this
start_program() {
    app_log=$work/$1.log
    shift
    G_MESSAGES_DEBUG=Vantro "$top/tools/with-vantro" --build "$build" env "$@" >"$app_log" 2>&1 &
    app_pid=$!
    started+=("$app_pid")
    window=$(wait_for_test_window)
    sleep 0.5
    start=$(frame_of "$window")
    read -r ax ay aw ah <<<"$(work_area_of "$window")"
    left_half="$ax $ay $((aw / 2)) $ah"
    whole="$ax $ay $aw $ah"
}

# Clicks the maximize button with MODIFIERS and waits for FRAME.
click_to() { # modifiers frame what
    click_title_button "$window" maximize "$1"
    wait_for_frame "$window" "$2" "$3"
}

# A Control-click lands on the left half and the next one goes back.
left_half_and_back() { # what
    click_to ctrl "$left_half" "Control-click $1"
    click_to ctrl "$start" "its undo $1"
}

# Drags an edge from a pointer elsewhere: drag_edge moves it with --sync,
# which waits out a timeout when it is already there.
drag_from_elsewhere() {
    xdotool mousemove 0 0
    drag_edge "$@"
}

# The program runs and reported no error.
healthy() { # what
    kill -0 "$app_pid" 2>/dev/null || fail "the application died $1"
    ! grep -E 'AddressSanitizer|runtime error|CRITICAL' "$app_log" || fail "the application reported errors $1"
}
