# Shared set-up of the end-to-end tests: a private program folder holding a
# copy of the program, private config/data folders, and helpers to wait.
set -euo pipefail

e2e_setup() {
  local exe=$1
  E2E=$(mktemp -d /tmp/davrin-e2e-XXXXXX)
  trap 'e2e_cleanup' EXIT
  mkdir -p "$E2E/app" "$E2E/config/Davrin Software" "$E2E/data" "$E2E/runtime" "$E2E/bin"
  chmod 700 "$E2E/runtime"
  cp "$exe" "$E2E/app/davrin-audio-player"
  cp "$(dirname "$exe")/help.htm" "$E2E/app/" 2>/dev/null || true
  export XDG_CONFIG_HOME=$E2E/config XDG_DATA_HOME=$E2E/data XDG_RUNTIME_DIR=$E2E/runtime
  export SDL_AUDIODRIVER=dummy
  # A run has no session bus unless it starts its own (dbus-run-session): on the
  # user's bus the program's media-control name would meet any other copy.
  unset DBUS_SESSION_BUS_ADDRESS
  # A stub browser: records what the program asked the desktop to open.
  cat > "$E2E/bin/xdg-open" <<STUB
#!/bin/sh
printf '%s\n' "\$1" >> "$E2E/opened.txt"
STUB
  chmod +x "$E2E/bin/xdg-open"
  export PATH=$E2E/bin:$PATH
  CONF="$E2E/config/Davrin Software/Davrin Audio Player.conf"
  APP=$E2E/app/davrin-audio-player
  ARTIFACTS=${ARTIFACTS:-$(cd "$(dirname "$exe")" && pwd)/artifacts}
  mkdir -p "$ARTIFACTS"
}

e2e_cleanup() {
  local pids
  pids=$(jobs -p || true)
  [ -n "$pids" ] && kill $pids 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$E2E"
}

# Writes the options file: e2e_options key=value ...
e2e_options() {
  { echo "[Options]"; for kv in "$@"; do echo "$kv"; done; } > "$CONF"
}

# Writes a play list: e2e_play_list NAME path...
e2e_play_list() {
  local name=$1
  shift
  {
    printf '"Davrin Audio Player"\r\n"Davrin Software"\r\n"https://www.davrin-software.com/audio-player/"\r\n'
    printf '%s\r\n' "$#"
    for p in "$@"; do printf '"%s"\r\n' "$p"; done
  } > "$E2E/app/$name.cap"
}

# Waits until a command succeeds: wait_for SECONDS command...
wait_for() {
  local t=$1
  shift
  local end=$((SECONDS + t))
  until "$@"; do
    [ $SECONDS -lt $end ] || return 1
    sleep 0.2
  done
}

E2E_LIB=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

# Runs a command in an X server of its own: x_session WxHxD command...
# xvfb-run -a moves on to the next display number when another server took
# the one it chose. -noreset: an X server resets when its last client leaves,
# and a client that connects meanwhile is dropped ("could not connect to
# display"); the runs end programs and start others right after.
x_session() {
  local screen=$1
  shift
  xvfb-run -a -s "-noreset -screen 0 $screen" "$@"
}

# True once the last tone of the recording $E2E/out.raw is one of those given:
# now_playing PITCH..., with the tones of the run listed in E2E_PITCHES. On a
# busy machine a look takes seconds: wait for a state that lasts, not a tone
# that passes.
now_playing() {
  [ -f "$E2E/out.raw" ] &&
    python3 "$E2E_LIB/pitch_runs.py" --tail 0.3 "$E2E/out.raw" $E2E_PITCHES | tail -n 1 |
    grep -q -E "^($(IFS='|' && echo "$*")) "
}

# True once the recording $E2E/out.raw has sounded these tones, in this order,
# from its start: played PITCH...
played() {
  [ -f "$E2E/out.raw" ] && [ "$(python3 "$E2E_LIB/pitch_runs.py" "$E2E/out.raw" $E2E_PITCHES |
    head -n $# | cut -d' ' -f1 | paste -sd' ')" = "$*" ]
}

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Starts a tray host at the top-left corner of the virtual screen.
start_tray_host() {
  trayer --edge top --align left --widthtype request --height 24 --transparent false \
    --SetDockType true >>"${TRAYER_LOG:-/dev/null}" 2>&1 &
  TRAYER_PID=$!
  wait_for 10 tray_panel >/dev/null || fail "the tray host did not start"
}

# Ends the tray host and waits until the X server has let go of its panel,
# so that a program started next finds no tray host.
stop_tray_host() {
  kill $TRAYER_PID 2>/dev/null || true
  wait $TRAYER_PID 2>/dev/null || true
  wait_for 10 no_tray_host || fail "the tray host's panel stayed"
}
no_tray_host() { [ -z "$(tray_panel)" ]; }

# Starts a tray host and the program with its sound recorded in $E2E/out.raw,
# and waits for its icon in the tray; app is the program's process.
start_recorded_program() {
  start_tray_host
  SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=$E2E/out.raw "$APP" &
  app=$!
  wait_for 15 icon_embedded || fail "the tray icon was not embedded"
}

# Starts a window manager, as every desktop has one: it gives the keyboard
# back to the window beneath one that closes.
start_window_manager() {
  openbox --sm-disable >/dev/null 2>&1 &
  wait_for 10 window_manager_running || fail "the window manager did not start"
}
window_manager_running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }

tray_panel() { xdotool search --classname '^panel$' 2>/dev/null | head -n 1; }

# True once the program's icon sits inside the tray host.
icon_embedded() {
  local panel
  panel=$(tray_panel)
  [ -n "$panel" ] && xwininfo -tree -id "$panel" 2>/dev/null | grep -q -i 'davrin'
}

# The open tray menu: a window of the program's own on the root that no window
# manager frames (override-redirect), neither a tooltip nor the tray icon.
tray_menu() {
  local w
  for w in $(xdotool search --onlyvisible --classname '^davrin-audio-player$' 2>/dev/null); do
    xwininfo -id "$w" 2>/dev/null | grep -q 'Override Redirect State: yes' || continue
    xprop -id "$w" _NET_WM_WINDOW_TYPE 2>/dev/null |
      grep -q -e _NET_WM_WINDOW_TYPE_TOOLTIP -e _KDE_NET_WM_WINDOW_TYPE_OVERRIDE && continue
    echo "$w"
    return 0
  done
  return 1
}
no_tray_menu() { ! tray_menu >/dev/null; }

# Right-clicks the program's icon (the only icon in the tray host) and waits
# for its menu: keys sent before it shows would go elsewhere.
right_click_icon() {
  local panel WINDOW X Y WIDTH HEIGHT SCREEN
  wait_for 10 no_tray_menu || fail "the tray menu was still open"
  panel=$(tray_panel)
  eval "$(xdotool getwindowgeometry --shell "$panel")"
  xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click 3
  wait_for 10 tray_menu >/dev/null || fail "the tray menu did not open"
  # Keep the pointer off the menu, so that only the keys choose an entry.
  xdotool mousemove 600 500
}

# Exit from the tray menu; waits for the program to end, then ends the tray host.
exit_from_menu() {
  right_click_icon
  menu_keys Up Return                 # Exit Davrin Audio Player
  wait_for 10 bash -c "! kill -0 $app 2>/dev/null" || fail "Exit did not end the program"
  kill $TRAYER_PID 2>/dev/null || true
}

# Chooses a menu entry by moving through the open tray menu with the keys given.
menu_keys() {
  for k in "$@"; do
    xdotool key "$k"
    sleep 0.15
  done
}
