#!/usr/bin/env bash
# The installer as a new user meets it, with an XSETTINGS manager and a test application
# running without the loader module: its window, an install that reaches the running
# application, a refused system-wide install, and the removal.
# Usage: installer_app.sh BUILD-DIR vantro-test-app vantro-prefs
set -euo pipefail
build=$(cd "$1" && pwd) app=$2 prefs=$3
installer="$build/Vantro Installer/vantro-installer" hooks=$installer
readonly kTimeoutTenths=300 # 30 s: sanitizer builds on a busy machine
# shellcheck source=process_lib.sh
. "$(dirname "$0")/process_lib.sh"
need_tools xsettingsd gdbus xdotool dconf gio
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

printf 'Net/ThemeName "Adwaita"\n' >"$work/xsettingsd.conf"
start_xsettingsd "$work/xsettingsd.conf"
start_app running-app "$app"
window=$(wait_for_test_window)

start_installer() { # authorization
    VANTRO_INSTALLER_TEST_AUTHORIZATION=$1 "$installer" >"$work/installer-$1.log" 2>&1 &
    started+=("$!")
    wait_for "the installer window" widget installerWindowOut
}
expect_sheet() { # widget pattern what
    wait_for "the $1" widget "$1"
    # shellcheck disable=SC2053 # a pattern
    [[ "$(widget "$1")" == $2 ]] || fail "$3: $(widget "$1")"
}
installer_gone() { ! pgrep -f "$installer" >/dev/null; }
quit_by() { act "$1" click && wait_for "the installer to quit" installer_gone; } # button

start_installer no
expect_shown installButtonOut "Install Vantro ($version)"
[ -n "$(widget simblStatusOut)" ] || fail "the installer does not say the loader module is missing"
expect_shown simblRequiredButtonOut "About the Loader Module…"

# --- the window moves when its background (its margin) is dragged.
installer_window=$(wait_for_window --name '^Vantro Installer$')
read -r wx wy _ _ <<<"$(frame_of "$installer_window")"
read -r cx cy _ _ <<<"$(geometry_of -id "$installer_window")"
read -r sl _ st _ <<<"$(extents_of "$installer_window" _GTK_FRAME_EXTENTS)"
px=$((cx + sl + 6)) py=$((cy + st + 6))
xdotool mousemove --sync "$px" "$py" mousedown 1
for step in 1 2 3 4 5; do xdotool mousemove --sync $((px + 16 * step)) $((py + 12 * step)) sleep 0.05; done
xdotool mouseup 1
moved() { local x y && read -r x y _ _ <<<"$(frame_of "$installer_window")" && ((x - wx >= 60 && y - wy >= 40)); }
wait_for "the installer window to follow a drag of its background" moved

# --- install for this user: no rights needed.
act installButtonOut click
expect_sheet outcomeSheet "*Vantro Install Successful*Installed ($version)*" "the install did not succeed"
for installed in "$pane/Contents/Info.plist" "$pane/Contents/Linux/vantro-settings" \
    "$library/SIMBL/Plugins/Vantro.bundle/Contents/Linux/Vantro.so" "$module"; do
    [ -e "$installed" ] || fail "$installed was not installed"
done
grep -qxF "gtk-modules=$module" "$gtk_settings" || fail "settings.ini does not name the module"
grep -lqF "Vantro Loader.app/vantro-loader" "$autostart"/*.desktop || fail "the loader is not a login item"
[ "$("$prefs" get VantroPluginEnabled)" = true ] || fail "the plug-in was not switched on"
wait_for "the running application to load the plug-in" log_has "$work/running-app.log" 'Loaded the plug-in bundle'
[ "$(loaded_count "$work/running-app.log")" -eq 1 ] || fail "the running application loaded twice"

read -r ax ay aw ah <<<"$(work_area_of "$window")"
xdotool windowfocus --sync "$window" key --clearmodifiers ctrl+shift+2
wait_for_frame "$window" "$((ax + aw / 2)) $ay $((aw / 2)) $ah" "Ctrl+Shift+2 (right half) in the running application"

# --- the default button opens the settings application, closed through its
# quit action (its changes reaching an application are zoom_button.sh's).
quit_by defaultButton
settings="$pane/Contents/Linux/vantro-settings"
wait_for "the settings window" "$settings" --test-get VantroPluginEnabled
gdbus call --session --dest com.quillworks.VantroSettings --object-path /com/quillworks/VantroSettings \
    --method org.gtk.Actions.Activate quit '[]' '{}' >/dev/null
settings_gone() { ! "$settings" --test-get VantroPluginEnabled; }
wait_for "the settings application to quit" settings_gone

# --- for every user, refused and cancelled: nothing changes.
for answer in no cancel; do
    start_installer "$answer"
    act prefPaneLocationRadioOutRow1 true
    act pluginLocationRadioOutRow1 true
    act installButtonOut click
    expect_sheet outcomeSheet "*Vantro Install *Failed*" "a $answer answer did not fail the system-wide install"
    [ ! -e /usr/local/share/PreferencePanes/Vantro.prefPane ] ||
        fail "a $answer answer installed for every user"
    [ -e "$pane" ] || fail "a refused system-wide install lost the user's copy"
    quit_by alternateButton # Quit Installer
done

# --- removal while the settings application runs.
"$settings" >"$work/settings.log" 2>&1 &
started+=("$!")
wait_for "the settings window" "$settings" --test-get VantroPluginEnabled
start_installer no
act prefPaneCheckOut false
expect_shown installButtonOut "Uninstall Vantro ($version)"
act installButtonOut click
expect_sheet noPassSheet "*Cannot uninstall Vantro while System Preferences is running.*" \
    "the sheet asking to quit the settings does not say why"
act defaultButton click
expect_sheet outcomeSheet "*Vantro Uninstall Successful*" "the removal did not succeed"
for location in "$pane" "$library/SIMBL/Plugins/Vantro.bundle" "$library/ScriptingAdditions/SIMBL.osax"; do
    [ ! -e "$location" ] || fail "$location is still there"
done
[ ! -e "$gtk_settings" ] || fail "settings.ini is left: $(cat "$gtk_settings")"
! grep -lqF "Vantro Loader.app" "$autostart"/*.desktop 2>/dev/null || fail "a login item is left"
# Only the outcome sheet's note of its success is left in the store.
left=$(dconf list /com/quillworks/vantro/)
[ -z "$left" ] || [ "$left" = VantroLaunchedFromInstaller ] || fail "the settings were not cleared: $left"
# In the user's freedesktop trash, with the note that lets it be restored.
trashed=$(ls "$library"/Trash/info/ 2>/dev/null | grep -c '^com.quillworks.vantro.dconf.*\.trashinfo$' || true)
[ "$trashed" -eq 1 ] || fail "the settings are not in the trash: $(ls -R "$library"/Trash 2>&1)"
grep -q VantroPluginEnabled "$library"/Trash/files/com.quillworks.vantro.dconf ||
    fail "the trashed settings do not hold what was stored"
quit_by defaultButton # Quit Installer
echo "PASS: installed for the user, reached a running application, changed a setting, removed"
