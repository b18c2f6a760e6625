#!/usr/bin/env bash
# The load request in running applications, with an XSETTINGS manager that
# names no module at first. Late: an application started without the loader
# module loads it when Gtk/Modules names it, but the bundle only on
# LoadPlugins, once; the module dropped and named again stands aside and
# still answers. Two copies: a copy of the module loaded at start leaves
# the original idle. At start: one started through tools/with-vantro
# answers without loading the bundle again.
# Usage: load_request.sh BUILD-DIR PATH-TO-vantro-test-app
set -euo pipefail
build=$(cd "$1" && pwd) app=$2
module="$build/src/loader/libvantro-loader-module.so"
readonly kTimeoutTenths=200 # 20 s: sanitizer builds start slowly on a busy machine
# shellcheck source=process_lib.sh
. "$(dirname "$0")/process_lib.sh"
# shellcheck source=desktop_lib.sh
. "$(dirname "$0")/desktop_lib.sh"
need_tools xsettingsd gdbus xdotool

settings=$work/xsettingsd.conf
echo 'Net/ThemeName "Adwaita"' >"$settings"
start_xsettingsd "$settings"
reloaded_since() { [ "$(xsettings_reloads)" -gt "$1" ]; }
set_gtk_modules() { # value
    local before
    before=$(xsettings_reloads)
    printf 'Net/ThemeName "Adwaita"\nGtk/Modules "%s"\n' "$1" >"$settings"
    kill -HUP "$xsettingsd_pid"
    wait_for "xsettingsd to reload" reloaded_since "$before"
}

# The applications, each logging to its own file.
mkdir -p "$work/plugins" "$work/copy"
cp -r "$build/plugins/Vantro.bundle" "$work/plugins/"
cp "$module" "$work/copy/"
export G_MESSAGES_DEBUG=Vantro VANTRO_PLUGIN_FOLDERS=$work/plugins
unset GTK_MODULES
expect_request() { # name pid answer
    local answer
    answer=$(gdbus call --session --timeout 20 --dest "$(bus_name "$2")" --object-path /com/quillworks/vantro/Loader \
        --method com.quillworks.vantro.Loader.LoadPlugins) || fail "the $1 application did not answer LoadPlugins"
    [ "$answer" = "$3" ] || fail "the $1 application answered $answer, not $3"
}

start_app late env "$app"
late_pid=$app_pid
start_app copies env GTK_MODULES="$work/copy/libvantro-loader-module.so" "$app"
copies_pid=$app_pid
wait_for "the copies application's bus name" name_owned "$copies_pid"
expect_loaded copies 1
name_owned "$late_pid" && fail "the late application owns its bus name without the module"

# Step one: Gtk/Modules names the module.
set_gtk_modules "$module"
wait_for "the late application's bus name" name_owned "$late_pid"
log_has "$work/late.log" 'loaded into the running application' ||
    fail "the late application did not see that it runs already"
expect_loaded late 0
wait_for "the second copy to stand aside" log_has "$work/copies.log" 'already initialised'
expect_loaded copies 1

# Step two: LoadPlugins, twice.
expect_request late "$late_pid" '(uint32 1,)'
expect_loaded late 1
expect_request late "$late_pid" '(uint32 0,)'
expect_loaded late 1
expect_request copies "$copies_pid" '(uint32 0,)'
expect_loaded copies 1

# Gtk/Modules drops the module and names it again. GTK reads the property
# when it handles the change, so two quick changes can reach it as one;
# repeat, waiting longer each time, until the second initialisation is seen.
dropped_and_named() {
    local wait
    for wait in 0.2 0.5 1 2 4; do
        set_gtk_modules ""
        sleep "$wait"
        set_gtk_modules "$module"
        poll 20 log_has "$work/late.log" 'already initialised' && return 0
    done
    return 1
}
dropped_and_named || fail "the late application never initialised the module again"
expect_request late "$late_pid" '(uint32 0,)'
expect_loaded late 1

# At start, through GTK_MODULES and Gtk/Modules both naming the module.
start_app start "$top/tools/with-vantro" --build "$build" \
    env VANTRO_PLUGIN_FOLDERS="$work/plugins" "$app"
start_pid=$app_pid
wait_for "the start application's bus name" name_owned "$start_pid"
expect_loaded start 1
expect_request start "$start_pid" '(uint32 0,)'
expect_loaded start 1

# Each failure to answer requests is logged with this ending.
for name in late copies start; do
    ! log_has "$work/$name.log" 'does not answer load requests' ||
        fail "the $name application does not answer load requests"
done
echo "load request: ok"
