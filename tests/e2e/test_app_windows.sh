#!/usr/bin/env bash
# The test application on a real X server: its window, the size limits that
# held keys switch when a window is opened with Ctrl+N, and quitting when the
# last window closes. Runs inside tools/with-test-session (openbox).
# Usage: test_app_windows.sh PATH-TO-vantro-test-app
set -euo pipefail
app=$1
fail() { echo "FAIL: $*" >&2; exit 1; }

"$app" &
pid=$!
trap 'kill "$pid" 2>/dev/null || true' EXIT

windows() { xdotool search --onlyvisible --name '^Vantro Test Window$' 2>/dev/null || true; }
wait_for_count() {
    for _ in $(seq 100); do
        [ "$(windows | wc -l)" -eq "$1" ] && return 0
        sleep 0.1
    done
    fail "expected $1 test windows, found $(windows | wc -l)"
}
# "W H" of a WM_NORMAL_HINTS line such as "program specified minimum size: 420 by 160".
hint() {
    xprop -id "$1" WM_NORMAL_HINTS | sed -n "s/.*program specified $2: \([0-9]*\) by \([0-9]*\).*/\1 \2/p"
}

wait_for_count 1
first=$(windows | head -n1)
read -r min_w min_h <<<"$(hint "$first" 'minimum size')"
[ -n "$min_w" ] || fail "the first window has no minimum size"
[ "$min_w" -ge 420 ] && [ "$min_h" -ge 160 ] || fail "minimum $min_w x $min_h is below 420 x 160"
[ -z "$(hint "$first" 'maximum size')" ] || fail "the first window has a maximum size"
# The limits are the frame's, title bar included: shrunk as far as it goes,
# the window is 420 x 160 (no compositor: no client-side shadow around it).
xdotool windowsize --sync "$first" 10 10 2>/dev/null || xdotool windowsize "$first" 10 10
sleep 0.5
size=$(xwininfo -id "$first" | sed -n 's/.*Width: *\([0-9]*\).*/\1/p;s/.*Height: *\([0-9]*\).*/\1/p' | paste -sd' ')
[ "$size" = "420 160" ] || fail "the smallest plain window is $size, not 420 160"

open_with() { # keys for the shortcut, e.g. shift+ctrl+n
    local before
    before=$(windows | wc -l)
    xdotool windowactivate --sync "$(windows | tail -n1)" key --clearmodifiers "$1"
    wait_for_count $((before + 1))
    windows | grep -vxF -f <(printf '%s\n' "${known[@]}") | head -n1
}
known=("$first")

# Shift: the minimum width drops by 170 (420 to 250); the shortcut's own
# Control adds no maximum.
shifted=$(open_with shift+ctrl+n)
known+=("$shifted")
read -r w _ <<<"$(hint "$shifted" 'minimum size')"
[ $((min_w - w)) -eq 170 ] || fail "Shift gave a minimum width of $w against $min_w"
[ -z "$(hint "$shifted" 'maximum size')" ] || fail "Ctrl+N's own Control set a maximum"

# Alt: the height grows in steps of 44.
stepped=$(open_with alt+ctrl+n)
known+=("$stepped")
read -r iw ih <<<"$(hint "$stepped" 'resize increment')"
[ "$iw" = 1 ] && [ "$ih" = 44 ] || fail "Alt gave increments $iw x $ih"

# Closing every window quits the application.
for window in "${known[@]}"; do
    xdotool windowactivate --sync "$window" key --clearmodifiers alt+F4
done
for _ in $(seq 100); do
    kill -0 "$pid" 2>/dev/null || { echo "test application windows: ok"; exit 0; }
    sleep 0.1
done
fail "the application still runs after its last window closed"
