#!/usr/bin/env bash
# The loader module in a real GTK 3 application: started through
# tools/with-vantro, the application loads the build tree's bundle exactly
# once, though a second copy sits in a second folder; a broken bundle and a
# bundle without its code beside it are skipped with one log line each; and
# on a display that is not X11 the plug-in declines with one line and the
# application runs on.
# Usage: loader_module.sh BUILD-DIR PATH-TO-vantro-test-app
set -euo pipefail
build=$1 app=$2
# shellcheck source=process_lib.sh
. "$(dirname "$0")/process_lib.sh"
# shellcheck source=desktop_lib.sh
. "$(dirname "$0")/desktop_lib.sh"

# The build tree's bundle, a broken one and one without code in one plug-in
# folder, a second copy in another.
mkdir -p "$work/first/Broken.bundle/Contents" "$work/first/Codeless.bundle/Contents" "$work/second"
cp -r "$build/plugins/Vantro.bundle" "$work/first/"
cp -r "$build/plugins/Vantro.bundle" "$work/second/"
echo 'not a property list' >"$work/first/Broken.bundle/Contents/Info.plist"
sed 's/com.quillworks.vantro/com.example.codeless/' \
    "$build/plugins/Vantro.bundle/Contents/Info.plist" >"$work/first/Codeless.bundle/Contents/Info.plist"

start_with_plugin "$build" -- env VANTRO_PLUGIN_FOLDERS="$work/first:$work/second" "$app"
wait_for_test_window >/dev/null
for line in 'Loaded the plug-in bundle .*Vantro.bundle (com.quillworks.vantro)' \
    'Skipped the plug-in bundle .*Broken.bundle: Info.plist is not a property list' \
    "Skipped the plug-in bundle $work/second/Vantro.bundle: com.quillworks.vantro is already loaded" \
    'Skipped the plug-in bundle .*Codeless.bundle: its code did not load'; do
    [ "$(count "$line" "$app_log")" -eq 1 ] || fail "not once in the log: $line"
done
stop_test_app

# GTK's Broadway backend stands for any display that is not X11 (Wayland).
broadway_display=:$((RANDOM % 50 + 50))
broadwayd "$broadway_display" >/dev/null 2>&1 &
started+=($!)
sleep 0.5
GDK_BACKEND=broadway BROADWAY_DISPLAY="$broadway_display" "$top/tools/with-vantro" --build "$build" \
    "$app" >"$work/broadway.log" 2>&1 &
app_pid=$!
poll 50 log_has "$work/broadway.log" 'not an X11 display' || true
sleep 0.5
kill -0 "$app_pid" 2>/dev/null || fail "the application did not run on a display that is not X11"
[ "$(count 'The display is not an X11 display; the plug-in stays off' "$work/broadway.log")" -eq 1 ] ||
    fail "no single line declining a display that is not X11"
echo "loader module: ok"
