#!/usr/bin/env bash
# The command line: --version and --help print and end at once without a
# display, touching no option, lock or play list, also while another copy
# runs; --autostart on writes a valid login entry that starts this very
# program (here from a folder with a space), off removes it; anything else is
# refused.
source "$(dirname "$0")/lib.sh"
e2e_setup "$1"
version=$2
mkdir -p "$E2E/my app"
mv "$APP" "$E2E/my app/"
APP="$E2E/my app/davrin-audio-player"
rm -rf "$XDG_CONFIG_HOME/Davrin Software"
bare() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$APP" "$@"; }
untouched() {
  [ -z "$(find "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR" -mindepth 1 -print -quit)" ] &&
    [ "$(ls -A "$E2E/my app")" = davrin-audio-player ]
}

[ "$(bare --version)" = "Davrin Audio Player $version" ] || fail "--version: $(bare --version 2>&1)"
help=$(bare --help) || fail "--help did not end cleanly"
for option in --help --version "--autostart <on|off>"; do
  grep -qF -- "$option" <<<"$help" || fail "--help does not list $option: $help"
done
untouched || fail "--help or --version touched a file: $(find "$E2E" -newer "$APP")"

QT_QPA_PLATFORM=offscreen "$APP" &
first=$!
wait_for 10 test -e "$XDG_RUNTIME_DIR/davrin-audio-player.lock" || fail "the first copy took no lock"
[ "$(bare --version)" = "Davrin Audio Player $version" ] || fail "--version failed while a copy runs"
kill -0 $first || fail "--version disturbed the running copy"
kill -TERM $first
wait $first || true

entry=$XDG_CONFIG_HOME/autostart/davrin-audio-player.desktop
bare --autostart on >/dev/null || fail "--autostart on failed"
desktop-file-validate "$entry" || fail "the login entry does not validate"
eval "set -- $(sed -n 's/^Exec=//p' "$entry")"
[ $# -eq 1 ] && [ "$1" = "$APP" ] || fail "the login entry starts '$*', not $APP"
bare --autostart off >/dev/null || fail "--autostart off failed"
[ ! -e "$entry" ] || fail "--autostart off left the entry"
bare --autostart off >/dev/null || fail "--autostart off without an entry failed"

HOME=$E2E/home env -u XDG_CONFIG_HOME "$APP" --autostart on >/dev/null
[ -f "$E2E/home/.config/autostart/davrin-audio-player.desktop" ] || fail "no entry under ~/.config"

for wrong in "--autostart maybe" --bogus; do
  bare $wrong >/dev/null 2>"$E2E/err.txt" && fail "$wrong was accepted"
  [ -s "$E2E/err.txt" ] || fail "$wrong was refused without a word"
done
[ ! -e "$entry" ] || fail "a refused command line wrote the entry"
echo "command line: ok"
