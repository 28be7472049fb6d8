#!/usr/bin/env bash
# The tray icon on a Wayland desktop whose panel starts after the program, as
# an autostart entry at login has it: sway (headless) with waybar, whose tray
# is a status-notifier host. The item registers as soon as the bar is there,
# and again when the bar restarts; it is given by its theme name, its tooltip
# carries the status, its menu is exported and works, and the settings window
# is a native Wayland window. sway will not run as root: as root the session
# runs as an unprivileged user. Skips (77) where no such session can be had.
source "$(dirname "$0")/lib.sh"
skip() {
  echo "SKIP: $*"
  exit 77
}

if [ "${1:-}" != --session ]; then
  for tool in sway swaymsg waybar grim gdbus dbus-run-session sox convert python3; do
    command -v "$tool" >/dev/null || skip "$tool is not installed"
  done
  ls /usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so >/dev/null 2>&1 ||
    skip "Qt's Wayland plugin (qt6-wayland) is not installed"
  e2e_setup "$1"
  build=$(cd "$(dirname "$1")" && pwd)
  # The icon theme's pictures where a user's own icons live.
  mkdir -p "$E2E/data/icons"
  cp -r "$build/assets/icons" "$E2E/data/icons/hicolor"
  sox -n -r 44100 -c 2 -b 16 "$E2E/tone.wav" synth 60 sine 440 vol 0.3
  e2e_play_list Waves "$E2E/tone.wav"
  e2e_options active_collection=Waves welcome=0
  runner=()
  if [ "$(id -u)" -eq 0 ]; then
    user=davrin-e2e
    id -u "$user" >/dev/null 2>&1 ||
      useradd --system --no-create-home --shell /usr/sbin/nologin "$user" 2>/dev/null ||
      skip "sway refuses root, and no unprivileged user could be made for the session"
    chown -R "$user:" "$E2E" || skip "the session's folder cannot be handed to $user"
    runner=(runuser -u "$user" --)
  fi
  "${runner[@]}" env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u SWAYSOCK HOME="$E2E" \
    XDG_CONFIG_HOME="$XDG_CONFIG_HOME" XDG_DATA_HOME="$XDG_DATA_HOME" \
    XDG_RUNTIME_DIR="$XDG_RUNTIME_DIR" PATH="$PATH" SDL_AUDIODRIVER=dummy \
    dbus-run-session -- bash "$0" --session "$E2E" && rc=0 || rc=$?
  cp "$E2E/tray_wayland.png" "$ARTIFACTS/" 2>/dev/null || true
  [ $rc -eq 0 ] || { tail -n 20 "$E2E"/*.log >&2 || true; }
  exit $rc
fi

# The session, on its private bus: sway, then the program, then the bar.
E2E=$2
APP=$E2E/app/davrin-audio-player
cd "$E2E"
trap 'kill $(jobs -p) 2>/dev/null; wait 2>/dev/null' EXIT
now() { date +%s.%N; }
since() { awk -v a="$1" -v b="$(now)" 'BEGIN { printf "%.2f", b - a }'; }
on_bus() {
  gdbus call --session -d org.freedesktop.DBus -o /org/freedesktop/DBus \
    -m org.freedesktop.DBus.NameHasOwner "$1" 2>/dev/null | grep -q true
}
compositor_up() {
  SWAYSOCK=$(ls "$XDG_RUNTIME_DIR"/sway-ipc.*.sock 2>/dev/null | head -n 1)
  WAYLAND_DISPLAY=$(cd "$XDG_RUNTIME_DIR" && ls wayland-? 2>/dev/null | head -n 1)
  export SWAYSOCK WAYLAND_DISPLAY
  [ -n "$SWAYSOCK" ] && [ -n "$WAYLAND_DISPLAY" ] && swaymsg -t get_outputs >/dev/null 2>&1
}

printf 'xwayland disable\noutput HEADLESS-1 resolution 1024x600\n' > "$E2E/sway.conf"
WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 \
  sway -c "$E2E/sway.conf" > "$E2E/sway.log" 2>&1 &
wait_for 10 compositor_up || skip "sway does not start here: $(tail -n 2 "$E2E/sway.log")"

cat > "$E2E/waybar.json" <<'JSON'
{ "layer": "top", "position": "top", "height": 28, "modules-right": ["tray"],
  "tray": { "icon-size": 20, "spacing": 6 } }
JSON
printf '* { font-size: 12px; } window#waybar { background: #203040; }\n' > "$E2E/waybar.css"
start_bar() {
  NO_AT_BRIDGE=1 waybar -c "$E2E/waybar.json" -s "$E2E/waybar.css" >> "$E2E/waybar.log" 2>&1 &
  bar=$!
}

XDG_SESSION_TYPE=wayland "$APP" > "$E2E/app.log" 2>&1 &
app=$!
started=$(now)
item=org.kde.StatusNotifierItem-$app-1
wait_for 10 on_bus org.mpris.MediaPlayer2.davrin_audio_player || fail "the program did not start"
on_bus org.kde.StatusNotifierWatcher && fail "a watcher was on the bus before the bar"
sleep "$(awk -v s="$(since "$started")" 'BEGIN { d = 3 - s; print (d > 0 ? d : 0) }')"

registered() {
  gdbus call --session -d org.kde.StatusNotifierWatcher -o /StatusNotifierWatcher \
    -m org.freedesktop.DBus.Properties.Get org.kde.StatusNotifierWatcher \
    RegisteredStatusNotifierItems 2>/dev/null | grep -q "$item"
}
bar_shows_item() {
  start_bar
  local t0 watcher took
  t0=$(now)
  wait_for 10 on_bus org.kde.StatusNotifierWatcher || fail "the bar put no watcher on the bus"
  watcher=$(since "$t0")
  wait_for 10 registered || fail "the item did not register with the bar's watcher"
  took=$(since "$t0")
  echo "the bar's watcher came $watcher s after its start, the item was registered after $took s"
  # The bar's own start is not the program's: on a busy machine it alone can take seconds.
  awk -v t="$took" -v w="$watcher" 'BEGIN { exit !(t - w <= 2.0) }' ||
    fail "the item took $took s to register, the watcher came after $watcher s"
}
bar_shows_item

prop() {
  gdbus call --session -d "$item" -o /StatusNotifierItem \
    -m org.freedesktop.DBus.Properties.Get org.kde.StatusNotifierItem "$1"
}
[ "$(prop IconName)" = "(<'davrin-audio-player'>,)" ] || fail "IconName is $(prop IconName)"
tooltip_has() { prop ToolTip | grep -qF "$1"; }
wait_for 5 tooltip_has "' Play List: Waves  Track: (1/1) tone.wav '" ||
  fail "the tooltip lacks the status: $(prop ToolTip)"
[ "$(prop Menu)" = "(<objectpath '/MenuBar'>,)" ] || fail "the item names no menu"

layout() { gdbus call --session -d "$item" -o /MenuBar -m com.canonical.dbusmenu.GetLayout -- 0 -1 '@as []'; }
menu=$(layout)
entry_id() { grep -o "(\([0-9]*\), {[^}]*'label': <'$1'>" <<<"$menu" | grep -o '^([0-9]*' | tr -d '('; }
for label in Settings 'Start Music' 'Stop Music' 'Next Track' 'Repeat Current Track' \
  'Exit Davrin Audio Player'; do
  [ -n "$(entry_id "$label")" ] || fail "the exported menu lacks \"$label\": $menu"
done
grep -q "'type': <'separator'>" <<<"$menu" || fail "the exported menu has no separators"
click() {
  gdbus call --session -d "$item" -o /MenuBar -m com.canonical.dbusmenu.Event \
    "$(entry_id "$1")" clicked '<0>' 0 >/dev/null
}

# Settings from the bar's menu: a native Wayland window, the music off meanwhile.
settings_shell() {
  swaymsg -t get_tree | python3 -c "import json, sys
def walk(n):
    if n.get('name') == 'Davrin Audio Player' and n.get('pid'):
        print(n.get('shell'))
    for c in n.get('nodes', []) + n.get('floating_nodes', []):
        walk(c)
walk(json.load(sys.stdin))"
}
settings_open() { [ -n "$(settings_shell)" ]; }
click Settings
wait_for 10 settings_open || fail "Settings did not open a window"
[ "$(settings_shell)" = xdg_shell ] || fail "the settings window is $(settings_shell), not native"
wait_for 5 tooltip_has "'davrin-audio-player', @a(iiay) [], '', ''" ||
  fail "the tooltip did not follow the music's stop: $(prop ToolTip)"

sleep 0.5  # let the bar draw the icon before the picture
grim "$E2E/tray_wayland.png" || fail "grim took no picture"
gold=$(convert "$E2E/tray_wayland.png" -crop 1024x28+0+0 -fuzz 20% -fill white -opaque '#ffc828' \
  -fill black +opaque white -format '%[fx:mean*w*h]' info:)
awk -v g="$gold" 'BEGIN { exit !(g >= 4) }' || fail "the bar shows no note of the icon ($gold px)"

# The bar restarts: the item comes back.
kill $bar
wait $bar 2>/dev/null || true
wait_for 5 eval '! on_bus org.kde.StatusNotifierWatcher' ||
  fail "the watcher stayed after the bar ended"
bar_shows_item

swaymsg "[pid=$app] kill" >/dev/null
wait_for 10 eval '! settings_open' || fail "the settings window did not close"
click 'Exit Davrin Audio Player'
wait_for 10 bash -c "! kill -0 $app 2>/dev/null" || fail "Exit from the bar's menu did not end it"
wait $app || fail "the program ended with an error"
echo "tray on wayland: ok"
