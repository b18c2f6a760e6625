# What the fault scripts share, sourced after they set build, app and top:
# the process and desktop helpers, a drag that starts with the pointer
# elsewhere, and vantro-prefs without its output.
kTimeoutTenths=100
# shellcheck source=../e2e/process_lib.sh
. "$top/tests/e2e/process_lib.sh"
# shellcheck source=../e2e/desktop_lib.sh
. "$top/tests/e2e/desktop_lib.sh"
# drag_edge moves the pointer with --sync, which waits out a timeout when
# the pointer is already there (where the last drag left it): move away.
drag_from_elsewhere() {
    xdotool mousemove 0 0
    drag_edge "$@"
}
prefs() { "$build/apps/vantro-prefs/vantro-prefs" "$@" >/dev/null; }
