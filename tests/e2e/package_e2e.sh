#!/usr/bin/env bash
# The Debian package: cpack makes davrin-audio-player_<version>_<arch>.deb
# whose dependencies name the linked libraries' packages and a MIDI sound
# set; apt-get installs it into this machine, the installed program tells its
# version and starts in a real X session with a tray host, and apt-get remove
# leaves nothing of it in /usr. Since it changes the machine, it runs only as
# root with a working apt-get and no copy installed already (77: skipped).
skip() {
  echo "skipped: $*"
  exit 77
}
[ "$(id -u)" -eq 0 ] || skip "not root"
command -v apt-get >/dev/null && command -v dpkg-shlibdeps >/dev/null || skip "no apt-get or dpkg-dev"
apt-get check -qq >/dev/null 2>&1 || skip "apt-get is not usable"
! dpkg-query -W -f='${Status}' davrin-audio-player 2>/dev/null | grep -q 'ok installed' ||
  skip "a copy is installed already"
source "$(dirname "$0")/lib.sh"
e2e_setup "$1"
here=$(cd "$(dirname "$0")" && pwd)
version=$2
apt=(apt-get -y -qq -o DPkg::Lock::Timeout=120)
remove_package() {
  dpkg-query -W -f='${Status}' davrin-audio-player 2>/dev/null | grep -q 'ok installed' &&
    DEBIAN_FRONTEND=noninteractive "${apt[@]}" remove davrin-audio-player >/dev/null
  return 0
}
trap 'remove_package; e2e_cleanup' EXIT

cpack -G DEB --config "$(dirname "$1")/CPackConfig.cmake" -B "$E2E/pkg" >"$E2E/cpack.txt" ||
  fail "cpack failed: $(cat "$E2E/cpack.txt")"
deb=$E2E/pkg/davrin-audio-player_${version}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || fail "no $(basename "$deb"): $(ls "$E2E/pkg")"
depends=$(dpkg-deb -f "$deb" Depends)
for dep in libqt6widgets6 libsdl2-2.0-0 libsndfile1 libfluidsynth3 libsoxr0 libarchive13 libcdio19 libcdio-paranoia2 \
  "timgm6mb-soundfont | fluid-soundfont-gm" qt6-qpa-plugins; do
  grep -qF "$dep" <<<"$depends" || fail "the package does not depend on $dep: $depends"
done
dpkg-deb -f "$deb" Recommends | grep -qF qt6-wayland || fail "the package does not recommend qt6-wayland"
[ "$(dpkg-deb -f "$deb" Section)" = sound ] || fail "the package's section is not sound"
[ -n "$(dpkg-deb -f "$deb" Maintainer)" ] && [ -n "$(dpkg-deb -f "$deb" Description)" ] ||
  fail "the package names no maintainer or description"

DEBIAN_FRONTEND=noninteractive "${apt[@]}" --no-install-recommends install "$deb" >"$E2E/apt.txt" 2>&1 ||
  fail "apt-get install failed: $(cat "$E2E/apt.txt")"
[ "$(davrin-audio-player --version)" = "Davrin Audio Player $version" ] || fail "the installed --version"
dpkg -L davrin-audio-player >"$E2E/files.txt"
grep -qx /usr/share/davrin-audio-player/help.htm "$E2E/files.txt" || fail "the package has no help page"

e2e_options welcome=0
cat > "$E2E/session.sh" <<SESSION
#!/usr/bin/env bash
source "$here/lib.sh"
start_tray_host
davrin-audio-player &
app=\$!
wait_for 15 icon_embedded || fail "the packaged program's tray icon was not embedded"
kill -TERM \$app
wait \$app || fail "the packaged program ended with an error"
kill \$TRAYER_PID 2>/dev/null || true
SESSION
x_session 800x600x24 bash "$E2E/session.sh"

DEBIAN_FRONTEND=noninteractive "${apt[@]}" remove davrin-audio-player >/dev/null || fail "apt-get remove failed"
while read -r f; do
  [ -d "$f" ] || [ ! -e "$f" ] || fail "apt-get remove left $f"
done <"$E2E/files.txt"
left=$(find /usr -name '*davrin*' -print -quit)
[ -z "$left" ] || fail "apt-get remove left $left"
echo "package: ok"
