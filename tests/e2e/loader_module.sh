#!/usr/bin/env bash
# The loader module in a real GTK 3 application: started through
# tools/with-vantro, the application loads the build tree's bundle exactly
# once, and a broken bundle beside it is skipped with one log line.
# Usage: loader_module.sh BUILD-DIR PATH-TO-vantro-test-app
set -euo pipefail
build=$1
app=$2
top=$(cd "$(dirname "$0")/../.." && pwd)
fail() { echo "FAIL: $*" >&2; exit 1; }
log=$(mktemp)
folders=$(mktemp -d)
trap 'rm -rf "$log" "$folders"; kill "$pid" 2>/dev/null || true' EXIT

# The build tree's bundle, and a broken one, in one plug-in folder.
cp -r "$build/plugins/Vantro.bundle" "$folders/"
mkdir -p "$folders/Broken.bundle/Contents"
echo 'not a property list' >"$folders/Broken.bundle/Contents/Info.plist"

G_MESSAGES_DEBUG=Vantro "$top/tools/with-vantro" --build "$build" \
    env VANTRO_PLUGIN_FOLDERS="$folders" "$app" >"$log" 2>&1 &
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
echo "loader module: ok"
