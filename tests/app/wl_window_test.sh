#!/usr/bin/env bash
# Starts the real WL under a virtual X server, waits for its 800 by 600
# window, presses Alt+F4 and expects a clean exit with status 0.
# Usage: wl_window_test.sh PATH_TO_WL
set -u
wl=$1
for tool in Xvfb xdotool; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done

# Xvfb picks a free display number itself and writes it once it is ready.
numberfile=$(mktemp)
xvfblog=$(mktemp)
Xvfb -displayfd 5 -screen 0 1024x768x24 -nolisten tcp 5>"$numberfile" >"$xvfblog" 2>&1 &
xvfb=$!
wlpid=""
cleanup() {
  [ -n "$wlpid" ] && kill "$wlpid" 2>/dev/null
  kill "$xvfb" 2>/dev/null
  wait 2>/dev/null
  rm -f "$numberfile" "$xvfblog"
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

start=$(date +%s%N)
env -u QT_QPA_PLATFORM "$wl" &
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
[ "$status" -eq 0 ]
