#!/usr/bin/env bash
# The loader program against running applications (one refusing, one stopped, the
# installer) and an XSETTINGS manager whose config names no module at first; then the
# module loaded late, a second copy, and one dropped from Gtk/Modules and named again.
# Usage: loader_app.sh BUILD-DIR vantro-test-app vantro-loader refusing-load-responder
set -euo pipefail
build=$(cd "$1" && pwd) app=$2 loader=$3 responder=$4
module="$build/src/loader/libvantro-loader-module.so"
readonly kTimeoutTenths=200 # 20 s: sanitizer builds start slowly on a busy machine
readonly kAtOnceMs=2000     # "at once", for a sanitizer build on a busy machine
# shellcheck source=process_lib.sh
. "$(dirname "$0")/process_lib.sh"
need_tools xsettingsd gdbus xdotool
start_named_app() { start_app "$@" && wait_for "the $1 application's bus name" name_owned "$app_pid"; }

# Output in NAME.out and NAME.err, the time taken in $loader_ms.
run_loader() { # name scripting-additions args...
    local start status=0
    start=$(date +%s%N)
    VANTRO_SCRIPTING_ADDITIONS=$2 timeout 60 "$loader" "${@:3}" >"$work/$1.out" 2>"$work/$1.err" || status=$?
    loader_ms=$((($(date +%s%N) - start) / 1000000))
    [ "$status" -eq 0 ] || fail "the $1 run of the loader exited with $status"
}
expect_silent() { # name
    [ ! -s "$work/$1.out" ] && [ ! -s "$work/$1.err" ] || fail "the $1 run of the loader printed"
}

folder=$(dirname "$loader")
[ "$(basename "$folder")" = "Vantro Loader.app" ] || fail "the loader is not in Vantro Loader.app"
desktop=$folder/vantro-loader.desktop
grep -qx 'NoDisplay=true' "$desktop" || fail "the desktop entry is not hidden"
# Relative to the folder, which is copied into the pane and installed from there.
grep -qxF "Exec=./$(basename "$loader")" "$desktop" || fail "the desktop entry does not start $loader"

installed=$work/ScriptingAdditions
installed_module=$installed/SIMBL.osax/Contents/Linux/libvantro-loader-module.so
mkdir -p "$(dirname "$installed_module")" "$work/NoScriptingAdditions"
cp "$module" "$installed_module"

# --- no XSETTINGS manager yet.
run_loader unmanaged "$installed"
[ "$(wc -l <"$work/unmanaged.err")" -eq 1 ] || fail "not one line on stderr without a manager"
log_has "$work/unmanaged.err" 'No XSETTINGS manager.*cannot be reached' ||
    fail "the loader did not say that no XSETTINGS manager runs"

settings=$work/xsettingsd.conf
printf '# the session'"'"'s settings\nNet/ThemeName "Adwaita"\nXft/DPI 98304\n' >"$settings"
start_xsettingsd "$settings"

# --- the applications; the plug-in folder stays empty until all are up.
mkdir -p "$work/plugins" "$work/bin"
export G_MESSAGES_DEBUG=Vantro VANTRO_PLUGIN_FOLDERS=$work/plugins
unset GTK_MODULES

# Started first: their lower process ids have them asked before the others.
"$responder" >"$work/refusing.log" 2>&1 &
refusing_pid=$!
started+=("$refusing_pid")
wait_for "the refusing responder's name" log_has "$work/refusing.log" '^ready'
start_named_app stopped env GTK_MODULES="$module" "$app"
stopped_pid=$app_pid
kill -STOP "$stopped_pid"

start_named_app early env GTK_MODULES="$module" "$app"
early_pid=$app_pid
late_pids=()
for name in late1 late2 late3; do
    start_app "$name" env "$app"
    late_pids+=("$app_pid")
done
# The installer has the module and its name: asking it would load the bundle.
cp "$app" "$work/bin/vantro-installer"
start_named_app installer env GTK_MODULES="$module" "$work/bin/vantro-installer"
installer_pid=$app_pid
cp -r "$build/plugins/Vantro.bundle" "$work/plugins/"

# --- without SIMBL.osax.
cp "$settings" "$work/settings.before"
reloads_before=$(xsettings_reloads)
run_loader uninstalled "$work/NoScriptingAdditions"
expect_silent uninstalled
[ "$loader_ms" -lt "$kAtOnceMs" ] || fail "without SIMBL.osax the loader took $loader_ms ms"
cmp -s "$settings" "$work/settings.before" || fail "without SIMBL.osax the config changed"
sleep 0.5
[ "$(xsettings_reloads)" -eq "$reloads_before" ] || fail "without SIMBL.osax xsettingsd reloaded"
for pid in "${late_pids[@]}"; do ! name_owned "$pid" || fail "without SIMBL.osax process $pid got the module"; done
expect_loaded early 0
! log_has "$work/refusing.log" '^asked' || fail "without SIMBL.osax the responder was asked"

# --- installed.
run_loader installed "$installed" --verbose
[ ! -s "$work/installed.err" ] || fail "the loader reported a problem"
grep -qxF "Gtk/Modules \"$installed_module\"" "$settings" ||
    fail "Gtk/Modules does not name the installed module"
grep -vxF "Gtk/Modules \"$installed_module\"" "$settings" | cmp -s - "$work/settings.before" ||
    fail "the other settings changed"
[ "$(xsettings_reloads)" -eq $((reloads_before + 1)) ] || fail "xsettingsd did not reload once"
has_loaded() { [ "$(loaded_count "$work/$1.log")" -ge 1 ]; }
for name in early late1 late2 late3; do
    wait_for "the $name application to load the bundle" has_loaded "$name"
    expect_loaded "$name" 1
done
log_has "$work/installed.out" "Skipped the installer, process $installer_pid " ||
    fail "the loader did not skip the installer"
expect_loaded installer 0
[ "$(count '^asked LoadPlugins' "$work/refusing.log")" -eq 1 ] ||
    fail "the refusing responder was not asked exactly once"
log_has "$work/installed.out" "Asked process $refusing_pid .*no answer" || fail "the refusal is not reported"
log_has "$work/installed.out" "Asked process $stopped_pid .*no answer" ||
    fail "the stopped application's time-out is not reported"

# --- a second run.
cp "$settings" "$work/settings.installed"
run_loader again "$installed"
expect_silent again
cmp -s "$settings" "$work/settings.installed" || fail "the second run changed the config"
[ "$(xsettings_reloads)" -eq $((reloads_before + 1)) ] || fail "the second run made xsettingsd reload"
for name in early late1 late2 late3; do expect_loaded "$name" 1; done
expect_loaded installer 0
[ "$(count '^asked LoadPlugins' "$work/refusing.log")" -eq 2 ] ||
    fail "the second run did not ask the refusing responder once"

# --- the module: loaded late, it waited for the request; the installed copy stood aside.
log_has "$work/late1.log" 'loaded into the running application' ||
    fail "the late application did not see that it runs already"
wait_for "the installed copy to stand aside" log_has "$work/early.log" 'already initialised'
expect_request() { # name pid answer
    local answer
    answer=$(load_request "$2") || fail "the $1 application did not answer LoadPlugins"
    [ "$answer" = "$3" ] || fail "the $1 application answered $answer, not $3"
    expect_loaded "$1" 1
}
expect_request early "$early_pid" '(uint32 0,)'
# Gtk/Modules drops the module and names it again; GTK may see two quick
# changes as one, so repeat, waiting longer each time.
reloaded_since() { [ "$(xsettings_reloads)" -gt "$1" ]; }
set_gtk_modules() { # value
    local before
    before=$(xsettings_reloads)
    sed -i "s|^Gtk/Modules .*|Gtk/Modules \"$1\"|" "$settings"
    kill -HUP "$xsettingsd_pid"
    wait_for "xsettingsd to reload" reloaded_since "$before"
}
dropped_and_named() {
    local wait
    for wait in 0.2 0.5 1 2 4; do
        set_gtk_modules ""
        sleep "$wait"
        set_gtk_modules "$installed_module"
        poll 20 log_has "$work/late1.log" 'already initialised' && return 0
    done
    return 1
}
dropped_and_named || fail "the late application never initialised the module again"
expect_request late1 "${late_pids[0]}" '(uint32 0,)'
for name in early late1 late2 late3; do
    ! log_has "$work/$name.log" 'does not answer load requests' ||
        fail "the $name application does not answer load requests"
done
echo "loader app: ok"
