#!/usr/bin/env bash
# The settings application against the session's dconf database, its widgets driven
# through the test hooks (one switch by a real click); each block says what it checks.
# Usage: settings_app.sh PATH-TO-vantro-settings PATH-TO-vantro-prefs PATH-TO-open_pane
set -euo pipefail
# The window's texts hold typographic quotes, which GLib prints in the
# locale's character set: UTF-8 whatever the caller's (CI runs with none).
export LC_ALL=C.UTF-8
app=$1 prefs=$2 open_pane=$3 hooks=$1
pane=$(cd "$(dirname "$app")/../.." && pwd)
readonly kTimeoutTenths=100 # 10 s: sanitizer builds start slowly on a busy machine
readonly kDomainPath=/com/quillworks/vantro/
# shellcheck source=process_lib.sh
. "$(dirname "$0")/process_lib.sh"
need_tools xdotool dbus-monitor dconf

settings_windows() { xdotool search --onlyvisible --name '^Vantro Settings$' 2>/dev/null || true; }
has_window_of() { xdotool search --onlyvisible --pid "$1" --name '^Vantro Settings$'; }
stored_is() { [ "$("$prefs" get "$1")" = "$2" ]; }
expect_stored() { stored_is "$1" "$2" || fail "$1 is $("$prefs" get "$1"), not $2"; }
app_title='Vantro Settings'
start_settings() { start_app "$1" env "${@:2}" VANTRO_SETTINGS_TEST_HOOKS=1 "$app"; } # log [name=value...]

# --- the pane folder (the parts inside it are debian_package.sh's)
[ "$(basename "$pane")" = Vantro.prefPane ] || fail "$app is not in Vantro.prefPane/Contents/Linux"
grep -qx 'Name=Vantro' "$pane/vantro-settings.desktop" || fail "the desktop entry is not named Vantro"
grep -q '<key>CFBundleShortVersionString</key><string>[0-9.]*</string>' "$pane/Contents/Info.plist" ||
    fail "the pane's Info.plist has no version"

# --- every announcement, one line per object string
dbus-monitor --session "type='signal',interface='com.quillworks.vantro',member='VantroPreferencesChanged'" \
    >"$work/broadcasts.log" 2>&1 &
started+=($!)
wait_for "dbus-monitor" test -s "$work/broadcasts.log"
announced() { count 'string "VantroPrefPane"' "$work/broadcasts.log"; }
expect_announced() { # count
    sleep 0.5 # a stray announcement would arrive well within this
    [ "$(announced)" -eq "$1" ] || fail "$(announced) announcements from tools, not $1"
}

start_settings app
expect_shown VantroKeepCentered true
expect_shown VantroKeepCentered/choice 2

# --- changes made elsewhere show, and are not written back
"$prefs" set VantroKeepCentered '[false, 3]'
expect_shown VantroKeepCentered false
expect_shown VantroKeepCentered/choice 3
"$prefs" set VantroApplicationBlacklist '["org.example.Editor"]'
expect_shown VantroApplicationBlacklist org.example.Editor
# Three elements: the plug-in takes the last one, 7, which is AltGr.
wrong_shape='[<true>, <0>, <7>]'
dconf write "${kDomainPath}VantroMaximizeLeftHalf" "$wrong_shape"
expect_shown VantroMaximizeLeftHalf/choice -1
expect_shown VantroMaximizeLeftHalf true
expect_announced 2

# --- changes made in the window are stored in the key's shape: a switch
# keeping its key's choice, a choice, a plain number (all rows: row_state_test)
while read -r widget value stored; do
    act "$widget" "$value"
    expect_stored "${widget%/choice}" "$stored"
done <<'EOF'
VantroKeepCentered true [true, 3]
VantroDefaultZoomBehavior/choice 2 [true, 2]
VantroResolutionZoomMode 1 1
EOF
# One real click, on the switch at the top: the hooks must end where it does.
read -r px py <<<"$("$app" --test-locate VantroPluginEnabled)"
xdotool mousemove --sync "$px" "$py" click 1
wait_for "the click on VantroPluginEnabled to be stored" stored_is VantroPluginEnabled false
expect_shown VantroPluginEnabled false
act VantroSettings/more true
act VantroPositionCenter/choice 3
expect_stored VantroPositionCenter '[false, 3]'
expect_announced 7

act VantroApplicationBlacklist/entry ' org.example.Viewer '
act VantroApplicationBlacklist/add click
expect_stored VantroApplicationBlacklist '["org.example.Editor", "org.example.Viewer"]'
expect_shown VantroApplicationBlacklist/entry ''
act VantroApplicationBlacklist org.example.Editor
act VantroApplicationBlacklist/remove click
expect_stored VantroApplicationBlacklist '["org.example.Viewer"]'
expect_shown VantroApplicationBlacklist org.example.Viewer
expect_announced 9

[ "$(dconf read "${kDomainPath}VantroMaximizeLeftHalf")" = "$wrong_shape" ] ||
    fail "the window rewrote a value it only showed"
shows VantroSettingsError hidden || fail "an error is shown: $(widget VantroSettingsError/message)"

# --- a second start, through the desktop entry, brings back the window
window=$(settings_windows)
xdotool windowminimize --sync "$window"
"$open_pane" "$pane" || fail "the pane's entry did not start"
wait_for "the window to come back" has_window_of "$app_pid"
sleep 1 # time for a second window, if the second start opened one
[ "$(settings_windows)" = "$window" ] || fail "a second start opened windows $(settings_windows)"

# --- a write dconf refuses: its only database is a system one
stop_test_app
printf 'system-db:vantro-e2e-absent\n' >"$work/read-only-profile"
start_settings read-only-app DCONF_PROFILE="$work/read-only-profile"
expect_shown VantroAnimateZooms true
act VantroAnimateZooms false
expect_shown VantroAnimateZooms true
expect_shown VantroSettingsError shown
[[ "$(widget VantroSettingsError/message)" == 'Could not save “Animate zooms”: '* ]] ||
    fail "the error says '$(widget VantroSettingsError/message)'"
expect_stored VantroAnimateZooms '[true, -1]'

# --- a copy of the pane, started through its entry while none runs, runs its own program
stop_test_app
copy="$work/moved panes/Vantro.prefPane"
mkdir -p "$(dirname "$copy")"
cp -R "$pane" "$copy"
"$open_pane" "$copy" || fail "the copied pane's entry did not start"
copied_pid() { xdotool search --onlyvisible --name '^Vantro Settings$' getwindowpid; }
wait_for "the copied pane's window" copied_pid
pid=$(copied_pid)
started+=("$pid")
[ "$(readlink "/proc/$pid/exe")" = "$copy/Contents/Linux/${app##*/}" ] ||
    fail "the copied pane's entry started $(readlink "/proc/$pid/exe")"
echo "settings app: ok"
