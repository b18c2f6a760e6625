#!/usr/bin/env bash
# The installer's helper attacked as root by a caller who may send it anything and plant
# anything in its folders (scratch folders bound over /usr/local/share and /etc/xdg in a
# private mount namespace); each block echoes what it proved. Without root or namespaces: 77.
# Usage: helper_attacks.sh BUILD-DIR
set -euo pipefail
build=$(cd "$1" && pwd)
installer="$build/Vantro Installer"
if [ "$(id -u)" -ne 0 ] || ! unshare --mount --propagation private true 2>/dev/null; then
    echo "SKIP: the helper is attacked as root in a private mount namespace, as $(id -un) none is made"
    exit 77
fi
[ -n "${VANTRO_ATTACKS_IN_NAMESPACE:-}" ] ||
    VANTRO_ATTACKS_IN_NAMESPACE=1 exec unshare --mount --propagation private "$0" "$@"

# shellcheck source=process_lib.sh
. "$(dirname "$0")/process_lib.sh"
on_exit() { umount /usr/local/share /etc/xdg 2>/dev/null || true; }
[ -x "$installer/vantro-install-helper" ] || fail "$installer/vantro-install-helper is missing"
mkdir -p "$work/share" "$work/xdg" "$work/outside/target"
mount --bind "$work/share" /usr/local/share
mount --bind "$work/xdg" /etc/xdg
touch "$work/share/.scratch" "$work/xdg/.scratch"
[ -e /usr/local/share/.scratch ] && [ -e /etc/xdg/.scratch ] || fail "the scratch folders are not bound"
rm "$work/share/.scratch" "$work/xdg/.scratch"

readonly share=/usr/local/share
readonly pane=$share/PreferencePanes/Vantro.prefPane
readonly plugin=$share/SIMBL/Plugins/Vantro.bundle
readonly osax=$share/ScriptingAdditions/SIMBL.osax
readonly module=$osax/Contents/Linux/libvantro-loader-module.so
readonly settings=/etc/xdg/gtk-3.0/settings.ini
readonly outside=$work/outside
echo secret >"$outside/target/canary"
echo secret >"$outside/file"
snapshot() { find "$outside" -printf '%p %y %m %s %T@\n' | sort; }
outside_before=$(snapshot)
outside_intact() { [ "$(snapshot)" = "$outside_before" ] || fail "$1 changed $outside: $(snapshot)"; }

# The helper finds its parts beside itself: a fresh copy for each attack.
fresh_installer() {
    rm -rf "$work/installer"
    cp -a "$installer" "$work/installer"
    # The parts as a build on a shared machine might leave them.
    chown -R root:root "$work/installer"
    chmod -R go-w,a+rX "$work/installer"
}
fresh_installer
resources=$work/installer/Resources
log=$work/helper.log

# REQUESTS (a printf format) to a new helper: its answers, then "exit STATUS".
ask() {
    local status=0 answers
    # shellcheck disable=SC2059 # the requests are a printf format, escapes and all
    answers=$(printf "$1" | timeout 60 "$work/installer/vantro-install-helper" 2>>"$log") ||
        status=$?
    [ "$status" -ne 124 ] || fail "the helper hung on: $1"
    case "$answers" in
    ready*) ;;
    *) fail "the helper did not greet (status $status): $answers" ;;
    esac
    answers=${answers#ready}
    printf '%s\nexit %s\n' "${answers#$'\n'}" "$status"
}
expect_answers() { # requests expected
    local got
    got=$(ask "$1")
    [ "$got" = "$2" ] || fail "asked '$1': got '$got', expected '$2'"
}
answers_match() { # requests pattern
    # shellcheck disable=SC2053 # a pattern
    [[ "$(ask "$1")" == $2 ]]
}
# 0755 for folders and programs, else 0644; root's.
expected_modes() {
    (cd "$1" && find . -printf '%y %m %P\n' | while read -r type mode path; do
        if [ "$type" = d ] || [ $((8#$mode & 8#111)) -ne 0 ]; then echo "755 root $path"; else echo "644 root $path"; fi
    done | sort)
}
installed_modes() { (cd "$1" && find . -printf '%m %u %P\n' | sort); }
same_tree() { # source location
    diff -r "$1" "$2" >/dev/null || fail "$2 differs from $1"
    [ "$(installed_modes "$2")" = "$(expected_modes "$1")" ] ||
        fail "$2 has modes $(installed_modes "$2" | head -5)"
}

# --- it does its job, under umask 000.
mkdir -p "${settings%/*}"
printf '# the administrator'"'"'s\n[Settings]\ngtk-theme-name=Adwaita\ngtk-modules=other-module\n' >"$settings"
cp "$settings" "$work/settings.before"
(umask 000 && expect_answers 'install pane\ninstall plugin\ninstall module\nregister module\n' \
    $'done\ndone\ndone\ndone\nexit 0')
same_tree "$resources/Vantro.prefPane" "$pane"
same_tree "$resources/Vantro.prefPane/Contents/Resources/Vantro.bundle" "$plugin"
same_tree "$resources/SIMBL.osax" "$osax"
for folder in "$share/PreferencePanes" "$share/SIMBL" "$share/SIMBL/Plugins" "$share/ScriptingAdditions"; do
    [ "$(stat -c %a "$folder")" = 755 ] || fail "$folder has mode $(stat -c %a "$folder")"
done
grep -qxF "gtk-modules=other-module:$module" "$settings" || fail "settings.ini: $(cat "$settings")"
grep -qxF 'gtk-theme-name=Adwaita' "$settings" && grep -qx "# the administrator's" "$settings" ||
    fail "settings.ini lost its other lines: $(cat "$settings")"
[ "$(stat -c '%a %U' "$settings")" = "644 root" ] || fail "settings.ini: $(stat -c '%a %U' "$settings")"
expect_answers 'install pane\n' $'done\nexit 0'
same_tree "$resources/Vantro.prefPane" "$pane"
[ "$(ls -A "$share/PreferencePanes")" = Vantro.prefPane ] || fail "left beside: $(ls -A "$share/PreferencePanes")"
expect_answers 'unregister module\nremove pane\nremove plugin\nremove module\nremove pane\n' \
    $'done\ndone\ndone\ndone\ndone\nexit 0'
cmp -s "$settings" "$work/settings.before" || fail "unregistering left: $(cat "$settings")"
for location in "$pane" "$plugin" "$osax"; do [ ! -e "$location" ] || fail "$location is still there"; done
rm "$settings"
expect_answers 'register module\nunregister module\n' $'done\ndone\nexit 0'
[ ! -e "$settings" ] || fail "settings.ini made only for the module is left: $(cat "$settings")"
echo "ok: installs with modes 0755/0644 under umask 000, edits only its gtk-modules entry, removes"

# --- a file size limit, and the signals a terminal, a closed pipe or a timer sends.
nothing_beside() {
    local folder
    for folder in "$share/PreferencePanes" "$share/SIMBL/Plugins" "$share/ScriptingAdditions" "${settings%/*}"; do
        [ -z "$(find "$folder" -mindepth 1 -maxdepth 1 -name '.*' 2>/dev/null)" ] ||
            fail "$1 left beside a location: $(ls -A "$folder")"
    done
}
limited=$(ulimit -f 16 && ask 'install pane\nregister module\n')
case "$limited" in
$'done\ndone\nexit 0') same_tree "$resources/Vantro.prefPane" "$pane" ;;
# Without CAP_SYS_RESOURCE (a container) the copy fails whole.
$'failed '*$'File too large\ndone\nexit 0') [ ! -e "$pane" ] || fail "a part of the pane was installed" ;;
*) fail "under a file size limit: $limited" ;;
esac
nothing_beside "a file size limit"
rm -rf "$pane"
mkfifo "$work/requests"
signalled=$( (
    set -m # the helper gets the dispositions a terminal's job would have
    "$work/installer/vantro-install-helper" <"$work/requests" >"$work/signalled" 2>>"$log" &
    helper=$!
    exec 3>"$work/requests"
    until grep -q '^ready' "$work/signalled"; do sleep 0.05; done
    for _ in $(seq 3000); do
        for signal in INT QUIT HUP TSTP TTIN TTOU PIPE XFSZ XCPU ALRM; do
            kill -s "$signal" "$helper" 2>/dev/null || break 2
        done
    done &
    printf 'install pane\ninstall plugin\ninstall module\nunregister module\nremove pane\ninstall pane\n' >&3
    exec 3>&-
    status=0
    timeout 120 tail --pid="$helper" -f /dev/null || kill -KILL "$helper"
    wait "$helper" || status=$?
    kill %2 2>/dev/null
    echo "$(cat "$work/signalled") exit $status"
))
[ "$signalled" = $'ready\ndone\ndone\ndone\ndone\ndone\ndone exit 0' ] || fail "signalled: $signalled"
same_tree "$resources/Vantro.prefPane" "$pane"
same_tree "$resources/SIMBL.osax" "$osax"
nothing_beside "signals"
expect_answers 'remove pane\nremove plugin\nremove module\n' $'done\ndone\ndone\nexit 0'
echo "ok: a file size limit and signals of 10 kinds during 6 requests: all done, nothing left beside"
# What a helper killed halfway leaves beside a location goes with the next operation there.
leftover=0123456789abcdef
mkdir -p "$share/PreferencePanes/.Vantro.prefPane.new-$leftover/Contents" "${settings%/*}" \
    "$share/PreferencePanes/.Vantro.prefPane.old-$leftover"
touch "$share/PreferencePanes/.Vantro.prefPane.new-$leftover/Contents/half" \
    "${settings%/*}/.settings.ini.new-$leftover"
expect_answers 'remove pane\nregister module\nunregister module\n' $'done\ndone\ndone\nexit 0'
nothing_beside "a helper killed halfway"

# --- links at every location and every folder above one.
for link in PreferencePanes PreferencePanes/Vantro.prefPane SIMBL SIMBL/Plugins \
    SIMBL/Plugins/Vantro.bundle ScriptingAdditions ScriptingAdditions/SIMBL.osax; do
    rm -rf "${share:?}"/*
    mkdir -p "$share/$(dirname "$link")"
    ln -s "$outside/target" "$share/$link"
    ask 'remove pane\nremove plugin\nremove module\n' >/dev/null
    outside_intact "removing through a link at $link"
    [ ! -L "$share/$link" ] || fail "the link at $link was left"
    ln -sfn "$outside/target" "$share/$link"
    expect_answers 'install pane\ninstall plugin\ninstall module\n' $'done\ndone\ndone\nexit 0'
    outside_intact "installing through a link at $link"
    [ ! -L "$share/$link" ] || fail "the link at $link was left"
    same_tree "$resources/Vantro.prefPane" "$pane"
done
for link in "${settings%/*} target" "$settings file"; do
    read -r link aim <<<"$link"
    rm -rf /etc/xdg/gtk-3.0
    [ "$link" = "$settings" ] && mkdir /etc/xdg/gtk-3.0
    ln -s "$outside/$aim" "$link"
    for request in 'register module' 'unregister module'; do
        answers_match "$request\n" 'refused*link is never followed*exit 0' ||
            fail "$request through a link at $link: $(ask "$request\n")"
    done
    outside_intact "registering through a link at $link"
done
rm -rf /etc/xdg/gtk-3.0
# The administrator's folder and file keep their modes and owner.
mkdir -m 700 /etc/xdg/gtk-3.0
printf '[Settings]\ngtk-theme-name=Private\n' >"$settings"
chown 0:4242 "$settings" && chmod 640 "$settings"
for request in 'register module' 'unregister module'; do
    expect_answers "$request\n" $'done\nexit 0'
    [ "$(stat -c '%a %u %g' "${settings%/*}" "$settings")" = $'700 0 0\n640 0 4242' ] ||
        fail "$request changed the modes: $(stat -c '%a %u %g %n' "${settings%/*}" "$settings")"
done
rm -rf /etc/xdg/gtk-3.0
# A trailing slash (and any other change of a request) is not a request.
rm -rf "$pane"
ln -s "$outside/target" "$pane"
for request in 'remove pane/' 'remove pane/.' 'remove ../pane' "remove $outside/target"; do
    expect_answers "$request\\nremove plugin\\n" $'refused not a request\nexit 2'
done
outside_intact "trailing slashes"
[ -e "$plugin" ] || fail "a request after a refused one was done"
echo "ok: links at 9 places and trailing slashes: nothing outside touched, links replaced"

# --- a link flipping to outside at the module's folder and the module, during 300 requests.
rm -rf "${share:?}"/*
flip() {
    set +e
    while true; do
        mkdir -p "$share/ScriptingAdditions"; ln -sfn "$outside/target" "$osax"
        rm -rf "$share/ScriptingAdditions"; ln -sfn "$outside/target" "$share/ScriptingAdditions"
        rm -f "$share/ScriptingAdditions"
    done 2>/dev/null
}
flip &
flipper=$!
started+=("$flipper")
requests=$(for _ in $(seq 75); do printf 'install module\nremove module\n'; done)
for round in 1 2; do
    printf '%s\n' "$requests" | timeout 300 "$work/installer/vantro-install-helper" \
        >"$work/flip-$round.log" 2>>"$log" || fail "the helper ended during the flipping (round $round)"
done
kill "$flipper" || fail "the link stopped flipping before the requests ended"
wait "$flipper" 2>/dev/null || true
outside_intact "a link flipping during 300 requests"
answered=$(cat "$work"/flip-*.log | grep -cE '^(done|refused|failed)')
[ "$answered" -eq 300 ] || fail "only $answered of 300 requests were answered"
echo "ok: a flipping link during 300 requests: nothing outside touched ($(cat "$work"/flip-*.log | grep -c '^done') done, the rest refused or failed)"

# --- the parts: only the installer's own, and only when sound.
rm -rf "${share:?}"/*
mkdir -m 700 "$work/private"
(umask 077 && echo private >"$work/private/secret")
# Each line an unsound part and the command that makes it, of these paths.
# shellcheck disable=SC2034
contents=$resources/Vantro.prefPane/Contents info=$resources/Vantro.prefPane/Contents/Info.plist
while IFS='|' read -r attack setup; do
    fresh_installer
    eval "$setup"
    answers_match 'install pane\n' 'refused*exit 0' || fail "$attack: $(ask 'install pane\n')"
    [ ! -e "$pane" ] || fail "$attack: something was installed"
    [ -z "$(ls -A "$share/PreferencePanes" 2>/dev/null)" ] || fail "$attack: left $(ls -A "$share/PreferencePanes")"
done <<'EOF'
a link to a private file|rm "$info" && ln -s "$work/private/secret" "$info"
a link to /etc/shadow|rm "$info" && ln -s /etc/shadow "$info"
the part a link to a private folder|rm -rf "${contents%/*}" && ln -s "$work/private" "${contents%/*}"
a folder above the part a link|mv "$resources" "$work/real-resources" && ln -s "$work/real-resources" "$resources"
a private file|chmod 600 "$info"
a private folder|chmod 700 "$contents"
a hard link to a private file|rm "$info" && ln "$work/private/secret" "$info"
a pipe|mkfifo -m 644 "$contents/pipe"
a device|mknod -m 644 "$contents/zero" c 1 5
a file others may write|chmod 666 "$info"
a file of another user|chown 4242 "$info"
a part nested too deep|mkdir -p "$contents/$(printf 'n/%.0s' $(seq 30))"
a sparse file larger than any part|truncate -s 2G "$contents/sparse" && chmod 644 "$contents/sparse"
EOF
fresh_installer
chown -R 4242 "$resources"
expect_answers 'install pane\n' $'refused '"$resources"$'/Vantro.prefPane belongs to neither root nor the user who asked\nexit 0'
(export PKEXEC_UID=4242 && expect_answers 'install pane\nremove pane\n' $'done\ndone\nexit 0')
fresh_installer
echo "ok: the parts: 13 kinds of unsound part refused, nothing installed"

# --- requests that are not requests.
began=$(date +%s)
status=0
answer=$(head -c $((64 * 1024 * 1024)) /dev/zero | tr '\0' a |
    timeout 60 "$work/installer/vantro-install-helper" 2>>"$log") || status=$?
[ "$answer" = $'ready\nrefused request too long' ] && [ "$status" -eq 2 ] ||
    fail "64 MiB without an end: status $status, answered $answer"
[ $(($(date +%s) - began)) -lt 30 ] || fail "64 MiB took $(($(date +%s) - began)) s"
expect_answers 'install pa' $'\nexit 2'
expect_answers '\0\377\001garbage\ninstall pane\n' $'refused not a request\nexit 2'
expect_answers 'register /tmp/foreign.ini\n' $'refused not a request\nexit 2'
expect_answers 'install /etc/shadow\n' $'refused not a request\nexit 2'
[ ! -e "$pane" ] && [ ! -e /etc/xdg/gtk-3.0 ] || fail "a garbage request was acted on"
: >"$log"
expect_answers 'remove pane\r\nFORGED root logged in\n\033[2J\n' $'refused not a request\nexit 2'
if LC_ALL=C grep -qP '[\x00-\x09\x0b-\x1f\x7f-\xff]' "$log"; then
    fail "control characters reached the log: $(od -c "$log" | head)"
fi
! grep -q '^FORGED' "$log" || fail "a forged line reached the log: $(cat "$log")"
echo "ok: 64 MiB, truncated, garbage and control-character requests refused with the helper's exit"
outside_intact "the attacks"
echo "PASS: every attack refused or harmless, nothing outside the locations changed"
