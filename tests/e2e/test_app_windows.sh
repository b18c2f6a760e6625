#!/usr/bin/env bash
# The test application on a real X server (openbox), without the plug-in: its
# window, the size limits that keys held with Ctrl+N switch, and quitting when
# the last window closes.
# Usage: test_app_windows.sh PATH-TO-vantro-test-app
set -euo pipefail
# shellcheck source=process_lib.sh
. "$(dirname "$0")/process_lib.sh"

"$1" &
app_pid=$!
first=$(wait_for_test_window)
read -r min_w min_h <<<"$(hint_pair "$first" 'minimum size')"
[ -n "$min_w" ] || fail "the first window has no minimum size"
[ "$min_w" -ge 420 ] && [ "$min_h" -ge 160 ] || fail "minimum $min_w x $min_h is below 420 x 160"
[ -z "$(hint_pair "$first" 'maximum size')" ] || fail "the first window has a maximum size"
# The limits are the frame's: shrunk as far as it goes, 420 x 160 (no shadow).
xdotool windowsize --sync "$first" 10 10 2>/dev/null || xdotool windowsize "$first" 10 10
sleep 0.5
read -r _ _ w h <<<"$(geometry_of -id "$first")"
[ "$w $h" = "420 160" ] || fail "the smallest plain window is $w $h, not 420 160"

# Shift: the minimum width drops by 170; the shortcut's own Control adds no maximum.
shifted=$(another_test_window "$first" xdotool windowfocus --sync "$first" key --clearmodifiers shift+ctrl+n)
read -r w _ <<<"$(hint_pair "$shifted" 'minimum size')"
[ $((min_w - w)) -eq 170 ] || fail "Shift gave a minimum width of $w against $min_w"
[ -z "$(hint_pair "$shifted" 'maximum size')" ] || fail "Ctrl+N's own Control set a maximum"
# Alt: the height grows in steps of 44.
stepped=$(another_test_window "$first" xdotool windowfocus --sync "$first" key --clearmodifiers alt+ctrl+n)
[ "$(hint_pair "$stepped" 'resize increment')" = "1 44" ] ||
    fail "Alt gave increments $(hint_pair "$stepped" 'resize increment')"

# Closing every window quits the application.
for window in "$first" "$shifted" "$stepped"; do
    xdotool windowactivate --sync "$window" key --clearmodifiers alt+F4
done
poll 100 gone "$app_pid" || fail "the application still runs after its last window closed"
echo "test application windows: ok"
