#!/usr/bin/env bash
# The installer as a new user meets it, in a session of its own (virtual
# display, private bus and dconf, XDG folders in a temporary folder) with an
# XSETTINGS manager (xsettingsd):
# - a test application is already running, without the loader module;
# - the installer window reads "Install Vantro (VERSION)" and says that the
#   loader module is not installed; dragging its background moves it;
# - installing for the user needs no administrator rights (the authorization
#   says no to every request) and reports success; the settings pane, the
#   plug-in and the loader module are in the user's library, the module is
#   named in the user's GTK settings.ini, the loader is a login item, and the
#   running application has loaded the plug-in once and acts on a shortcut;
# - the outcome sheet's default button opens the settings application, where
#   switching the plug-in off stores it and the running application follows
#   (its maximize button is GTK's again, its shortcut the application's);
# - a system-wide install whose authorization is refused reports failure and
#   changes nothing, and one that is cancelled likewise;
# - removing Vantro while the settings application runs asks to quit it
#   first; its default button quits it and the removal goes on; everything is
#   gone, the GTK settings and login items are as before, and the settings
#   are in the trash, restorable.
# Usage: installer_app.sh BUILD-DIR vantro-test-app vantro-prefs
set -euo pipefail
build=$(cd "$1" && pwd)
app=$2
prefs=$3
top=$(cd "$(dirname "$0")/../.." && pwd)
installer="$build/Vantro Installer/vantro-installer"
readonly kTimeoutTenths=300 # 30 s: sanitizer builds on a busy machine

# shellcheck source=process_lib.sh
. "$(dirname "$0")/process_lib.sh"
# shellcheck source=desktop_lib.sh
. "$(dirname "$0")/desktop_lib.sh"

for tool in xsettingsd gdbus xdotool dconf gio; do
    command -v "$tool" >/dev/null || fail "$tool not found (run tools/bootstrap)"
done
[ -x "$installer" ] || fail "$installer is missing"
version=$(sed -n 's/^project(Vantro VERSION \([0-9.]*\).*/\1/p' "$top/CMakeLists.txt")

export LC_ALL=C.UTF-8 G_MESSAGES_DEBUG=Vantro
export VANTRO_INSTALLER_TEST_HOOKS=1 VANTRO_SETTINGS_TEST_HOOKS=1
unset GTK_MODULES VANTRO_PLUGIN_FOLDERS VANTRO_SCRIPTING_ADDITIONS
library=$XDG_DATA_HOME
pane=$library/PreferencePanes/Vantro.prefPane
gtk_settings=$XDG_CONFIG_HOME/gtk-3.0/settings.ini
autostart=$XDG_CONFIG_HOME/autostart
module=$library/ScriptingAdditions/SIMBL.osax/Contents/Linux/libvantro-loader-module.so

# --- the session's XSETTINGS manager and an application already running.
printf 'Net/ThemeName "Adwaita"\n' >"$work/xsettingsd.conf"
xsettingsd -c "$work/xsettingsd.conf" 2>"$work/xsettingsd.log" &
started+=("$!")
wait_for "xsettingsd" log_has "$work/xsettingsd.log" 'Took ownership of selection _XSETTINGS_S0'
# The plug-in says when a settings change has reached it (VTSettings).
VANTRO_TRACE=VTSettings "$app" >"$work/running-app.log" 2>&1 &
running_pid=$!
started+=("$running_pid")
wait_for "the running application's window" wait_for_test_window
window=$(wait_for_test_window)

# --- the installer, driven by its widgets' names.
installer_running() { "$installer" --test-get installerWindowOut; }
start_installer() { # authorization
    VANTRO_INSTALLER_TEST_AUTHORIZATION=$1 "$installer" >"$work/installer-$1.log" 2>&1 &
    started+=("$!")
    wait_for "the installer window" installer_running
}
widget() { "$installer" --test-get "$1"; }
act() { "$installer" --test-set "$1" "$2" >/dev/null || fail "the installer refused $1 = $2"; }
expect_widget() { # name text
    local shown
    shown=$(widget "$1")
    [ "$shown" = "$2" ] || fail "$1 shows '$shown', not '$2'"
}
# Presses the action button and waits for the outcome sheet; prints it.
run_action() {
    act installButtonOut click
    wait_for "the outcome sheet" widget outcomeSheet
    widget outcomeSheet
}
installer_gone() { ! pgrep -f "$installer" >/dev/null; }

start_installer no
expect_widget installButtonOut "Install Vantro ($version)"
[ -n "$(widget simblStatusOut)" ] || fail "the installer does not say the loader module is missing"
expect_widget simblRequiredButtonOut "About the Loader Module…"

# --- the window moves when its background (its margin) is dragged.
app_log=$work/installer-no.log
installer_window=$(wait_for_window --name '^Vantro Installer$')
read -r wx wy _ _ <<<"$(frame_of "$installer_window")"
info=$(xwininfo -id "$installer_window")
cx=$(sed -n 's/.*Absolute upper-left X: *\(-\{0,1\}[0-9]*\).*/\1/p' <<<"$info")
cy=$(sed -n 's/.*Absolute upper-left Y: *\(-\{0,1\}[0-9]*\).*/\1/p' <<<"$info")
read -r sl _ st _ <<<"$(extents_of "$installer_window" _GTK_FRAME_EXTENTS)"
px=$((cx + sl + 6)) py=$((cy + st + 6))
xdotool mousemove --sync "$px" "$py" mousedown 1
for step in 1 2 3 4 5; do
    xdotool mousemove --sync $((px + 16 * step)) $((py + 12 * step))
    sleep 0.05
done
xdotool mouseup 1
moved() {
    local x y
    read -r x y _ _ <<<"$(frame_of "$installer_window")"
    [ $((x - wx)) -ge 60 ] && [ $((y - wy)) -ge 40 ]
}
wait_for "the installer window to follow a drag of its background" moved

# --- install for this user: no rights needed.
outcome=$(run_action)
case "$outcome" in
*"Vantro Install Successful"*"Installed ($version)"*) ;;
*) fail "the install did not succeed: $outcome" ;;
esac
for installed in "$pane/Contents/Info.plist" "$pane/Contents/Linux/vantro-settings" \
    "$library/SIMBL/Plugins/Vantro.bundle/Contents/Linux/Vantro.so" "$module"; do
    [ -e "$installed" ] || fail "$installed was not installed"
done
grep -qxF "gtk-modules=$module" "$gtk_settings" || fail "settings.ini does not name the module"
grep -lqF "Vantro Loader.app/vantro-loader" "$autostart"/*.desktop ||
    fail "the loader is not a login item"
[ "$("$prefs" get VantroPluginEnabled)" = true ] || fail "the plug-in was not switched on"
wait_for "the running application to load the plug-in" \
    log_has "$work/running-app.log" 'Loaded the plug-in bundle'
[ "$(loaded_count "$work/running-app.log")" -eq 1 ] || fail "the running application loaded twice"

# The plug-in acts in the application that was running before.
read -r ax ay aw ah <<<"$(work_area_of "$window")"
right_half="$((ax + aw / 2)) $ay $((aw / 2)) $ah"
xdotool windowfocus --sync "$window"
xdotool key --clearmodifiers ctrl+shift+2
wait_for_frame "$window" "$right_half" "Ctrl+Shift+2 (right half) in the running application"

# --- the default button opens the settings application; switching the
# plug-in off there reaches the running application at once.
act defaultButton click
wait_for "the installer to quit" installer_gone
settings="$pane/Contents/Linux/vantro-settings"
wait_for "the settings window" "$settings" --test-get VantroPluginEnabled
# The plug-in's trace of a reload names the values it read.
reloads() {
    grep -c 'reloaded the settings after a change:.*VantroPluginEnabled = false' \
        "$work/running-app.log" || true
}
before=$(reloads)
"$settings" --test-set VantroPluginEnabled false >/dev/null
wait_for "the setting to be stored" test "$("$prefs" get VantroPluginEnabled)" = false
wait_for "the change to reach the running application" test "$(reloads)" -gt "$before"
# Switched off, a Control-click on the maximize button is GTK's own
# maximize (the plug-in would take the left half), and the shortcut is left
# to the application: the window stays.
click_title_button "$window" maximize ctrl
wait_for_frame "$window" "$ax $ay $aw $ah" "a Control-click with the plug-in switched off"
click_title_button "$window" maximize ""
wait_for_frame "$window" "$right_half" "GTK's restore with the plug-in switched off"
xdotool windowfocus --sync "$window"
xdotool key --clearmodifiers ctrl+shift+2
sleep 0.5
frames_match "$(frame_of "$window")" "$right_half" ||
    fail "Ctrl+Shift+2 with the plug-in switched off moved the window to $(frame_of "$window")"
"$settings" --test-set VantroPluginEnabled true >/dev/null
wait_for "the setting to be stored" test "$("$prefs" get VantroPluginEnabled)" = true
# Closed as a user would, through its application's quit action.
gdbus call --session --dest com.quillworks.VantroSettings --object-path /com/quillworks/VantroSettings \
    --method org.gtk.Actions.Activate quit '[]' '{}' >/dev/null
settings_gone() { ! "$settings" --test-get VantroPluginEnabled; }
wait_for "the settings application to quit" settings_gone

# --- for every user, refused and cancelled: nothing changes.
for answer in no cancel; do
    start_installer "$answer"
    act prefPaneLocationRadioOutRow1 true
    act pluginLocationRadioOutRow1 true
    outcome=$(run_action)
    case "$outcome" in
    *"Vantro Install Failed"* | *"Vantro Install Partially Failed"*) ;;
    *) fail "a $answer answer did not fail the system-wide install: $outcome" ;;
    esac
    [ ! -e /usr/local/share/PreferencePanes/Vantro.prefPane ] ||
        fail "a $answer answer installed for every user"
    [ -e "$pane" ] || fail "a refused system-wide install lost the user's copy"
    act alternateButton click # Quit Installer
    wait_for "the installer to quit" installer_gone
done

# --- removal while the settings application runs.
"$settings" >"$work/settings.log" 2>&1 &
started+=("$!")
wait_for "the settings window" "$settings" --test-get VantroPluginEnabled
start_installer no
act prefPaneCheckOut false
expect_widget installButtonOut "Uninstall Vantro ($version)"
act installButtonOut click
wait_for "the sheet asking to quit the settings" widget noPassSheet
case "$(widget noPassSheet)" in
*"Cannot uninstall Vantro while System Preferences is running."*) ;;
*) fail "the sheet does not say why: $(widget noPassSheet)" ;;
esac
act defaultButton click
wait_for "the outcome sheet" widget outcomeSheet
case "$(widget outcomeSheet)" in
*"Vantro Uninstall Successful"*) ;;
*) fail "the removal did not succeed: $(widget outcomeSheet)" ;;
esac
for location in "$pane" "$library/SIMBL/Plugins/Vantro.bundle" \
    "$library/ScriptingAdditions/SIMBL.osax"; do
    [ ! -e "$location" ] || fail "$location is still there"
done
[ ! -e "$gtk_settings" ] || fail "settings.ini is left: $(cat "$gtk_settings")"
! grep -lqF "Vantro Loader.app" "$autostart"/*.desktop 2>/dev/null || fail "a login item is left"
# The outcome sheet's success is noted in the store after the removal, as
# after an install; nothing else is left.
left=$(dconf list /com/quillworks/vantro/)
[ -z "$left" ] || [ "$left" = VantroLaunchedFromInstaller ] || fail "the settings were not cleared: $left"
# In the user's freedesktop trash, with the note that lets a file manager
# restore it.
trashed=$(ls "$library"/Trash/info/ 2>/dev/null | grep -c '^com.quillworks.vantro.dconf.*\.trashinfo$' || true)
[ "$trashed" -eq 1 ] || fail "the settings are not in the trash: $(ls -R "$library"/Trash 2>&1)"
grep -q VantroPluginEnabled "$library"/Trash/files/com.quillworks.vantro.dconf ||
    fail "the trashed settings do not hold what was stored"
act defaultButton click # Quit Installer
wait_for "the installer to quit" installer_gone
echo "PASS: installed for the user, reached a running application, changed a setting, removed"
