#!/usr/bin/env bash
# Starts the real WL under a virtual X server, waits for its 800 by 600
# window, presses Alt+F4 and expects a clean exit with status 0. With
# "openbox" a window manager runs too, and full screen, minimising and
# restoring are checked on what the screen shows, and so is the zoom; then
# WL runs once more with an orbital and its Graphs window, which must show
# above the full-screen presentation.
# Usage: wl_window_test.sh PATH_TO_WL [openbox]
set -u
wl=$1
wm=${2:-}
tools="Xvfb xdotool"
[ "$wm" = openbox ] && tools="$tools openbox xprop xwininfo xwd /usr/bin/convert /usr/bin/compare"
for tool in $tools; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done

# Xvfb picks a free display number itself and writes it once it is ready.
# -noreset: by default the server resets when its last client leaves, and a
# client connecting during the reset (openbox right after the probe below)
# is turned away.
# -fbdir: the screen's pixels as a file, what the screen really shows. (xwd
# -root read black where full-screen windows were drawn.)
numberfile=$(mktemp)
xvfblog=$(mktemp)
fbdir=$(mktemp -d)
Xvfb -displayfd 5 -screen 0 1280x800x24 -nolisten tcp -noreset -fbdir "$fbdir" 5>"$numberfile" >"$xvfblog" 2>&1 &
xvfb=$!
wlpid=""
wmpid=""
wlconfig=""
cleanup() {
  [ -n "$wlpid" ] && kill "$wlpid" 2>/dev/null
  [ -n "$wmpid" ] && kill "$wmpid" 2>/dev/null
  kill "$xvfb" 2>/dev/null
  wait 2>/dev/null
  rm -f "$numberfile" "$xvfblog"
  rm -rf "$fbdir"
  [ -n "$wlconfig" ] && rm -rf "$wlconfig"
}
fail() {
  echo "$1"
  echo "--- the X server said:"
  cat "$xvfblog"
  exit 1
}
trap cleanup EXIT
for _ in $(seq 200); do [ -s "$numberfile" ] && break; sleep 0.05; done
[ -s "$numberfile" ] || { echo "Xvfb did not start"; exit 1; }
export DISPLAY=":$(head -n 1 "$numberfile")"
# On a loaded machine the server may take a moment more to accept clients.
for _ in $(seq 200); do
  xdotool getdisplaygeometry >/dev/null 2>&1 && break
  kill -0 "$xvfb" 2>/dev/null || fail "Xvfb ended on $DISPLAY"
  sleep 0.05
done
xdotool getdisplaygeometry >/dev/null 2>&1 || fail "Xvfb on $DISPLAY accepts no clients"
if [ "$wm" = openbox ]; then
  wmlog=$(mktemp)
  openbox --sm-disable >"$wmlog" 2>&1 &
  wmpid=$!
  # A loaded machine may take a while to start it.
  for _ in $(seq 600); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    kill -0 "$wmpid" 2>/dev/null || fail "openbox ended: $(cat "$wmlog")"
    sleep 0.05
  done
  xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id' ||
    fail "openbox did not start within 30 s: $(cat "$wmlog")"
  rm -f "$wmlog"
fi

# The colour the screen shows at x, y.
screen_file() { echo "xwd:$fbdir/Xvfb_screen0"; }
pixel() { /usr/bin/convert "$(screen_file)" -format "%[pixel:p{$1,$2}]" info:; }
mapped() { xwininfo -id "$1" | grep -q 'IsViewable'; }
wm_state() { xprop -id "$1" WM_STATE | sed -n 's/.*window state: //p'; }
# Waits up to 15 s (a loaded machine is slow to map and stack) for a
# condition given as a command.
await() {
  for _ in $(seq 300); do "$@" && return 0; sleep 0.05; done
  return 1
}
# The full-screen backdrop: the other Wavelore window, as large as the screen.
backdrop() {
  local size
  size=$(xdotool getdisplaygeometry | tr ' ' x)
  for id in $(xdotool search --name '^Wavelore$' 2>/dev/null); do
    xdotool getwindowgeometry "$id" 2>/dev/null | grep -q "Geometry: $size" && echo "$id"
  done | head -n 1
}
leave_full_screen() {
  xdotool windowfocus --sync "$window" 2>/dev/null
  xdotool key Escape
  await eval 'test -z "$(backdrop)"' || fail "Esc did not leave full screen"
}
# The program's window is drawn at the middle of the screen (not black).
program_shows() {
  read -r sw sh < <(xdotool getdisplaygeometry)
  [ "$(pixel $((sw / 2)) $((sh / 2)))" != "srgb(0,0,0)" ] && [ "$(pixel $((sw / 2)) $((sh / 2)))" != "black" ]
}
window_manager_checks() {
  # Zoom In and Actual Size, first thing in the run: the window grows and
  # shrinks and stays shown.
  sized() { xdotool getwindowgeometry "$window" | grep -q "Geometry: $1"; }
  xdotool windowfocus --sync "$window" 2>/dev/null
  xdotool key ctrl+equal
  await sized 1000x750 || fail "Ctrl+= did not zoom the window to 1000x750"
  await program_shows || fail "the zoomed window is not shown"
  # The grown part of the window is painted too: its bottom right corner is
  # the dark status bar, not the blank of an unpainted area.
  corner_painted() {
    xwd -id "$window" -silent | /usr/bin/convert xwd:- -crop 1x1+990+740 txt:- |
      tail -1 | grep -vq '#FFFFFF'
  }
  await corner_painted || fail "the zoomed window is painted only in its old size"
  xdotool key ctrl+0
  await sized 800x600 || fail "Ctrl+0 did not give back the 800x600 window"
  echo "the zoom keys resize the window"
  xdotool key F11
  await eval 'test -n "$(backdrop)"' || fail "F11 showed no full-screen backdrop"
  local bd
  bd=$(backdrop)
  await program_shows || fail "full screen under openbox shows black where the program should be"
  # The window is zoomed to the screen's height, the black border left and right.
  filled() {
    eval "$(xdotool getwindowgeometry --shell "$window")"
    read -r sw sh < <(xdotool getdisplaygeometry)
    [ "$HEIGHT" -eq "$sh" ] && [ "$Y" -eq 0 ] && [ $((X - (sw - WIDTH) / 2)) -ge -1 ] &&
      [ $((X - (sw - WIDTH) / 2)) -le 1 ]
  }
  await filled || fail "full screen put the window at $X,$Y (${WIDTH}x$HEIGHT), not filling the screen's height in the middle"
  # A click on the black border must not bring the backdrop over the program.
  xdotool mousemove 3 3 click 1
  sleep 0.5
  await program_shows || fail "a click on the backdrop hid the program"
  echo "full screen shows the program above its backdrop"

  # The title bar's Minimise button: the desktop shows, not the black backdrop.
  xdotool mousemove $((X + 741 * WIDTH / 800)) $((Y + 14 * HEIGHT / 600)) click 1
  await test "$(wm_state "$window")" = Iconic || fail "the Minimise button did not minimise"
  await eval '! mapped '"$bd" || fail "the backdrop stayed while the program was minimised"
  # Restore as a task bar does (a request to activate the window), asking
  # again if the window manager was still busy with the minimising.
  restored() {
    xdotool windowactivate "$window" 2>/dev/null
    for _ in $(seq 40); do [ "$(wm_state "$window")" = Normal ] && return 0; sleep 0.05; done
    return 1
  }
  for _ in $(seq 8); do restored && break; done
  [ "$(wm_state "$window")" = Normal ] || fail "the program did not come back: $(xprop -id "$window" WM_STATE _NET_WM_STATE | tr '\n' ' ')"
  await mapped "$bd" || fail "the backdrop did not come back on restore"
  await program_shows || fail "after restoring, the program is not shown above its backdrop"
  echo "minimise and restore in full screen"

  leave_full_screen
  await test "$(wm_state "$window")" = Normal || fail "the window is not shown after leaving full screen"
  echo "Esc returns to the window"
}

# The Graphs window shown in the window, then full screen: the window manager
# must keep it above the presentation, drawn where it stands. The middle of
# what the window drew is what the screen shows there.
graphs_checks() {
  wait_for_window "$wl" --orbital 1s --graphs
  await eval 'test -n "$(graphs_window)"' || fail "--graphs showed no Graphs window"
  xdotool windowfocus --sync "$window" 2>/dev/null
  xdotool key F11
  await eval 'test -n "$(backdrop)"' || fail "F11 with the Graphs window showed no backdrop"
  await graphs_shown || fail "in full screen the Graphs window is not shown above the presentation"
  echo "the Graphs window stays above the full-screen presentation"
  leave_full_screen
  quit_window
}
graphs_window() { xdotool search --onlyvisible --name '^Graphs' 2>/dev/null | head -n 1; }
graphs_shown() {
  local g info x y w h drawn shown differ
  g=$(graphs_window)
  [ -n "$g" ] || return 1
  info=$(xwininfo -id "$g")
  x=$(sed -n 's/.*Absolute upper-left X: *//p' <<<"$info")
  y=$(sed -n 's/.*Absolute upper-left Y: *//p' <<<"$info")
  w=$(sed -n 's/.*Width: *//p' <<<"$info")
  h=$(sed -n 's/.*Height: *//p' <<<"$info")
  drawn=$(mktemp --suffix=.png)
  shown=$(mktemp --suffix=.png)
  xwd -id "$g" -silent | /usr/bin/convert xwd:- -crop "200x100+$((w / 2 - 100))+$((h / 2 - 50))" +repage "$drawn"
  /usr/bin/convert "$(screen_file)" -crop "200x100+$((x + w / 2 - 100))+$((y + h / 2 - 50))" +repage "$shown"
  differ=$(/usr/bin/compare -metric AE "$drawn" "$shown" null: 2>&1)
  rm -f "$drawn" "$shown"
  [ "${differ%%.*}" -lt 100 ] 2>/dev/null
}

# Starts WL with the arguments given and waits for its 800x600 window.
wait_for_window() {
  local start
  start=$(date +%s%N)
  env -u QT_QPA_PLATFORM "$@" &
  wlpid=$!
  window=""
  for _ in $(seq 400); do
    for id in $(xdotool search --onlyvisible --name '^Wavelore$' 2>/dev/null); do
      if xdotool getwindowgeometry "$id" 2>/dev/null | grep -q 'Geometry: 800x600'; then
        window=$id
      fi
    done
    [ -n "$window" ] && break
    kill -0 "$wlpid" 2>/dev/null || fail "WL ended before its window showed on $DISPLAY"
    sleep 0.025
  done
  [ -n "$window" ] || fail "no 800x600 Wavelore window within 10 s"
  echo "window shown after $(( ($(date +%s%N) - start) / 1000000 )) ms"
  xdotool windowfocus --sync "$window" 2>/dev/null || xdotool windowfocus "$window"
}

# Alt+F4 on the window: WL must end within 10 s with status 0.
quit_window() {
  local status
  xdotool windowfocus --sync "$window" 2>/dev/null || xdotool windowfocus "$window"
  xdotool key alt+F4
  for _ in $(seq 200); do
    kill -0 "$wlpid" 2>/dev/null || break
    sleep 0.05
  done
  if kill -0 "$wlpid" 2>/dev/null; then echo "WL still runs 10 s after Alt+F4"; exit 1; fi
  wait "$wlpid"
  status=$?
  wlpid=""
  echo "WL exited with status $status"
  [ "$status" -eq 0 ] || exit 1
}

# A zoom kept by the user's own runs must not change the window.
wlconfig=$(mktemp -d)
export XDG_CONFIG_HOME="$wlconfig"
wait_for_window "$wl"
[ "$wm" = openbox ] && window_manager_checks
quit_window
[ "$wm" = openbox ] && graphs_checks
exit 0
