#!/usr/bin/env bash
# The Debian package of the build tree: its contents; then, as root on a machine that
# has none of it (else 77), dpkg -i registers the loader module, the helper leaves the
# package's copy alone, and dpkg --purge leaves the machine as it was.
# Usage: debian_package.sh BUILD-DIR
set -euo pipefail
build=$(cd "$1" && pwd)
readonly kPane=/usr/local/share/PreferencePanes/Vantro.prefPane
readonly kPlugin=/usr/local/share/SIMBL/Plugins/Vantro.bundle
readonly kOsax=/usr/local/share/ScriptingAdditions/SIMBL.osax
readonly kModule=$kOsax/Contents/Linux/libvantro-loader-module.so
readonly kInstallerHome="/usr/lib/vantro/Vantro Installer"
readonly kSettingsIni=/etc/xdg/gtk-3.0/settings.ini
readonly kPolicy=/usr/share/polkit-1/actions/com.quillworks.vantro.install.policy
# What installing and purging may touch.
readonly kWatched=(/usr/local/share /usr/lib/vantro /usr/share/applications
    /usr/share/polkit-1/actions /etc/xdg/gtk-3.0 /var/lib/vantro)

# shellcheck source=process_lib.sh
. "$(dirname "$0")/process_lib.sh"
installed=0
skip() { echo "SKIP: $*" && exit 77; }
# A failed check must not leave the package on the machine.
on_exit() { [ "$installed" -eq 0 ] || dpkg --purge vantro >/dev/null 2>&1 || true; }

# --- the package. Compression costs most of the time and is not under test.
cpack --config "$build/CPackConfig.cmake" -B "$work/out" \
    -D CPACK_DEBIAN_COMPRESSION_TYPE=zstd >"$work/cpack.log" 2>&1 || fail "cpack failed"
deb=$(sed -n 's/^CPack: - package: \(.*\.deb\) generated\.$/\1/p' "$work/cpack.log")
[ -f "$deb" ] || fail "cpack named no package"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = vantro ] || fail "the package is called $(field Package)"
depends=$(field Depends)
for needed in 'pkexec | policykit-1' dconf-service libc6 libgtk-3-0 libglib2.0-0; do
    [[ ", $depends," == *", $needed"[\ ,]* ]] || fail "Depends ($depends) lacks $needed"
done
dpkg-deb -I "$deb" >"$work/info"
for script in postinst prerm postrm; do
    grep -Eq "^ +[0-9]+ bytes, +[0-9]+ lines +\* +$script " "$work/info" ||
        fail "no executable $script in the package"
done

# Paths as dpkg-deb lists them ("./usr/bin/x"), with link targets.
dpkg-deb -c "$deb" | sed -E 's/^([^ ]+ +){5}\.//' >"$work/contents"
has() { grep -qxF -- "$1" "$work/contents"; }
for path in "$kPane/vantro-settings.desktop" "$kPane/Contents/Info.plist" \
    "$kPane/Contents/Linux/vantro-settings" \
    "$kPane/Contents/Resources/Vantro.bundle/Contents/Linux/Vantro.so" \
    "$kPane/Contents/Resources/Vantro Loader.app/vantro-loader" \
    "$kPlugin/Contents/Info.plist" "$kPlugin/Contents/Linux/Vantro.so" \
    "$kOsax/Contents/Info.plist" "$kModule" \
    "$kInstallerHome/vantro-installer" "$kInstallerHome/vantro-install-helper" \
    "$kInstallerHome/vantro-gtk-modules" \
    "$kInstallerHome/Resources/Vantro.prefPane/Contents/Linux/vantro-settings" \
    "$kInstallerHome/Resources/SIMBL.osax/Contents/Linux/libvantro-loader-module.so" \
    /usr/bin/vantro-prefs "/usr/bin/vantro-installer -> ../lib/vantro/Vantro Installer/vantro-installer" \
    /usr/share/applications/com.quillworks.VantroSettings.desktop \
    /usr/share/applications/com.quillworks.VantroInstaller.desktop "$kPolicy"; do
    has "$path" || fail "the package has no $path"
done
extract() { dpkg-deb --fsys-tarfile "$deb" | tar -xOf - ".$1"; }
# Each menu entry starts a program the package installs.
for entry in com.quillworks.VantroSettings com.quillworks.VantroInstaller; do
    extract "/usr/share/applications/$entry.desktop" >"$work/$entry.desktop"
    program=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$work/$entry.desktop")
    has "$program" || grep -qF -- "$program -> " "$work/contents" ||
        fail "$entry.desktop starts $program, which the package does not hold"
done
# pkexec applies the action to the helper at the path the policy names.
extract "$kPolicy" >"$work/policy"
grep -qF "<annotate key=\"org.freedesktop.policykit.exec.path\">$kInstallerHome/vantro-install-helper</annotate>" \
    "$work/policy" || fail "the policy does not name the installed helper"

# --- installing and purging, on a machine that has none of it
[ "$(id -u)" -eq 0 ] || skip "installing the package needs root"
exec 9>/tmp/vantro-debian-package.lock
flock 9
! dpkg-query -W -f='${Status}' vantro 2>/dev/null | grep -q 'installed' || skip "a vantro package is installed on this machine"
while read -r path; do
    path=${path%% -> *}
    if [ -e "$path" ] && [ ! -d "$path" ] || [ -L "$path" ]; then skip "$path exists on this machine"; fi
done <"$work/contents"
for path in "$kPane" "$kPlugin" "$kOsax" /usr/lib/vantro /var/lib/vantro; do
    [ ! -e "$path" ] || skip "$path exists on this machine"
done

snapshot() {
    {
        find "${kWatched[@]}" -printf '%p %y %m %u:%g %s %l\n' 2>/dev/null || true
        find /usr/bin -maxdepth 1 -name 'vantro-*' -printf '%p %y %m %u:%g %s %l\n'
    } | sort
    cat "$kSettingsIni" 2>/dev/null || true
}
snapshot >"$work/before"

installed=1
# Dependencies this machine lacks are forced past: dpkg names them in its log.
dpkg --force-depends -i "$deb" >"$work/dpkg-install.log" 2>&1 || fail "dpkg -i failed"
for path in "$kPane/Contents/Linux/vantro-settings" "$kModule" /usr/bin/vantro-prefs; do
    [ -x "$path" ] || fail "$path is not installed as a program"
done
grep -q '<key>CFBundleVersion</key><string>[0-9.]*</string>' "$kPlugin/Contents/Info.plist" ||
    fail "the installed plug-in has no CFBundleVersion"
[ "$(readlink -m /usr/bin/vantro-installer)" = "$kInstallerHome/vantro-installer" ] ||
    fail "/usr/bin/vantro-installer leads to $(readlink -m /usr/bin/vantro-installer)"
grep -Eq "^gtk-modules *=.*$kModule" "$kSettingsIni" ||
    fail "$kSettingsIni does not name the loader module: $(cat "$kSettingsIni" 2>&1)"
# What the package installed is the package manager's: the helper leaves it alone.
for request in 'remove pane' 'install plugin' 'remove module' 'unregister module'; do
    answer=$(printf '%s\n' "$request" | "$kInstallerHome/vantro-install-helper" 2>/dev/null | tail -n1)
    case "$answer" in
    "refused "*" belongs to the package vantro; it is left alone") ;;
    *) fail "the helper answered '$answer' to '$request' on the package's copy" ;;
    esac
done
[ -x "$kPane/Contents/Linux/vantro-settings" ] && grep -Eq "^gtk-modules *=.*$kModule" "$kSettingsIni" ||
    fail "the helper changed the package's copy"

dpkg --purge vantro >"$work/dpkg-purge.log" 2>&1 || fail "dpkg --purge failed"
installed=0
snapshot >"$work/after"
diff -u "$work/before" "$work/after" >&2 || fail "the purge did not leave the machine as it was"
echo "debian package: ok"
