#!/usr/bin/env bash
# The loader module in a real GTK 3 application: started through
# tools/with-vantro, the application loads the build tree's bundle exactly
# once, though a second copy sits in a second folder; a broken bundle and a
# bundle without its code beside it are skipped with one log line each; and
# on a display that is not X11 the plug-in declines with one line and the
# application runs on.
# Usage: loader_module.sh BUILD-DIR PATH-TO-vantro-test-app
set -euo pipefail
build=$1
app=$2
top=$(cd "$(dirname "$0")/../.." && pwd)
fail() { echo "FAIL: $*" >&2; exit 1; }
log=$(mktemp)
folders=$(mktemp -d)
second=$(mktemp -d)
trap 'rm -rf "$log" "$folders" "$second"; kill "$pid" "${broadway:-}" 2>/dev/null || true' EXIT

# The build tree's bundle, and a broken one, in one plug-in folder.
cp -r "$build/plugins/Vantro.bundle" "$folders/"
mkdir -p "$folders/Broken.bundle/Contents"
echo 'not a property list' >"$folders/Broken.bundle/Contents/Info.plist"
cp -r "$build/plugins/Vantro.bundle" "$second/"
mkdir -p "$folders/Codeless.bundle/Contents"
sed 's/com.quillworks.vantro/com.example.codeless/' \
    "$build/plugins/Vantro.bundle/Contents/Info.plist" >"$folders/Codeless.bundle/Contents/Info.plist"

G_MESSAGES_DEBUG=Vantro "$top/tools/with-vantro" --build "$build" \
    env VANTRO_PLUGIN_FOLDERS="$folders:$second" "$app" >"$log" 2>&1 &
pid=$!
for _ in $(seq 100); do
    xdotool search --onlyvisible --name '^Vantro Test Window$' >/dev/null 2>&1 && break
    sleep 0.1
done
xdotool search --onlyvisible --name '^Vantro Test Window$' >/dev/null || fail "no test window"
loaded=$(grep -c 'Loaded the plug-in bundle .*Vantro.bundle (com.quillworks.vantro)' "$log" || true)
skipped=$(grep -c 'Skipped the plug-in bundle .*Broken.bundle: Info.plist is not a property list' "$log" || true)
[ "$loaded" -eq 1 ] || { cat "$log" >&2; fail "the bundle loaded $loaded times"; }
[ "$skipped" -eq 1 ] || { cat "$log" >&2; fail "the broken bundle was logged $skipped times"; }
count() { grep -c "$1" "$log" || true; }
[ "$(count "Skipped the plug-in bundle $second/Vantro.bundle: com.quillworks.vantro is already loaded")" -eq 1 ] ||
    { cat "$log" >&2; fail "the second copy was not skipped with one line"; }
[ "$(count 'Skipped the plug-in bundle .*Codeless.bundle: its code did not load')" -eq 1 ] ||
    { cat "$log" >&2; fail "the bundle without code was not skipped with one line"; }
kill "$pid"
wait "$pid" 2>/dev/null || true

# GTK's Broadway backend stands for any display that is not X11 (Wayland).
broadway_display=:$((RANDOM % 50 + 50))
broadwayd "$broadway_display" >/dev/null 2>&1 &
broadway=$!
sleep 0.5
: >"$log"
GDK_BACKEND=broadway BROADWAY_DISPLAY="$broadway_display" "$top/tools/with-vantro" --build "$build" \
    "$app" >"$log" 2>&1 &
pid=$!
for _ in $(seq 50); do
    grep -q 'not an X11 display' "$log" && break
    sleep 0.1
done
sleep 0.5
kill -0 "$pid" 2>/dev/null || { cat "$log" >&2; fail "the application did not run on a display that is not X11"; }
[ "$(count 'The display is not an X11 display; the plug-in stays off')" -eq 1 ] ||
    { cat "$log" >&2; fail "no single line declining a display that is not X11"; }
echo "loader module: ok"
