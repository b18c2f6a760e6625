#!/usr/bin/env bash
# The loader module in a real GTK 3 application: the bundle loaded once though a second
# copy sits in a second folder, no more on a load request; the debugging aids; a display
# that is not X11 declined in one line. Broken bundles are bundle_loader_test's.
# Usage: loader_module.sh BUILD-DIR PATH-TO-vantro-test-app
set -euo pipefail
build=$1 app=$2
# shellcheck source=process_lib.sh
. "$(dirname "$0")/process_lib.sh"

exported=$(nm -D --defined-only "$build/plugins/Vantro.bundle/Contents/Linux/Vantro.so")
for name in dumpClass dumpClasses isLeopard isSnowLeopard; do
    grep -qx "[0-9a-f]* T $name" <<<"$exported" || fail "Vantro.so does not export $name"
done

mkdir -p "$work/first" "$work/second"
cp -r "$build/plugins/Vantro.bundle" "$work/first/"
cp -r "$build/plugins/Vantro.bundle" "$work/second/"
start_with_plugin "$build" VANTRO_DUMP_CLASSES=1 VANTRO_DUMP_CLASS=GtkTitleButton -- \
    env VANTRO_PLUGIN_FOLDERS="$work/first:$work/second" "$app"
wait_for_test_window >/dev/null
for line in 'Loaded the plug-in bundle .*Vantro.bundle (com.quillworks.vantro)' \
    "Skipped the plug-in bundle $work/second/Vantro.bundle: com.quillworks.vantro is already loaded"; do
    [ "$(count "$line" "$app_log")" -eq 1 ] || fail "not once in the log: $line"
done
for line in 'isLeopard no, isSnowLeopard no' GtkWindow GtkMenu GtkTitleButton '@interface GtkTitleButton : .*'; do
    grep -qx "Vantro: $line" "$app_log" || fail "no line '$line' in the application's output"
done
wait_for "the application's bus name" name_owned "$app_pid"
answer=$(load_request "$app_pid") || fail "the application did not answer LoadPlugins"
[ "$answer" = '(uint32 0,)' ] && [ "$(loaded_count "$app_log")" -eq 1 ] ||
    fail "a load request after the start answered $answer and loaded again"
stop_test_app

# GTK's Broadway backend stands for any display that is not X11 (Wayland).
broadway_display=:$((RANDOM % 50 + 50))
broadwayd "$broadway_display" >/dev/null 2>&1 &
started+=($!)
sleep 0.5
start_with_plugin "$build" GDK_BACKEND=broadway BROADWAY_DISPLAY="$broadway_display" -- "$app"
poll 50 log_has "$app_log" 'not an X11 display' || true
sleep 0.5
! gone "$app_pid" || fail "the application did not run on a display that is not X11"
[ "$(count 'The display is not an X11 display; the plug-in stays off' "$app_log")" -eq 1 ] ||
    fail "no single line declining a display that is not X11"
echo "loader module: ok"
