#!/usr/bin/env bash
# Pictures of the program view and the print tape window for the README,
# taken under Xvfb with a window manager (openbox): a factorial table keyed
# in on the panel and run with TRACE on, once while it runs and once when it
# has ended. Needs xvfb, openbox, xdotool and imagemagick, and a build in
# build/. Usage: tools/screenshot_workbench.sh [OUTPUT-DIRECTORY]
set -euo pipefail
cd "$(dirname "$0")/.."
OUT="${1:-docs}"
# A display number nobody uses (another X server may be running here).
n=90
while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
SHOW=":$n"
export DISPLAY=$SHOW QT_SCALE_FACTOR=1
XDG_RUNTIME_DIR="$(mktemp -d)"
chmod 700 "$XDG_RUNTIME_DIR"
export XDG_RUNTIME_DIR

pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  rm -rf "$XDG_RUNTIME_DIR"
}
trap cleanup EXIT

Xvfb "$SHOW" -screen 0 1280x1024x24 -nolisten tcp &
pids+=($!)
sleep 1
kill -0 "${pids[0]}" || { echo "Xvfb did not start on $SHOW" >&2; exit 1; }
openbox >/dev/null 2>&1 &
pids+=($!)
sleep 1
build/corvelxmem >/dev/null 2>&1 &
pids+=($!)
sleep 3

WIN="$(xdotool search --onlyvisible --name '^CorvelXMem' | head -1)"
xdotool windowactivate --sync "$WIN"
eval "$(xdotool getwindowgeometry --shell "$WIN")"   # WIDTH, HEIGHT

# A point of the panel's 480 x 800 units, in the window.
panel_click() {
  local s x y
  s=$(awk -v w="$WIDTH" -v h="$HEIGHT" 'BEGIN { s = w / 480; if (h / 800 < s) s = h / 800; print s }')
  x=$(awk -v w="$WIDTH" -v s="$s" -v u="$1" 'BEGIN { printf "%d", (w - 480 * s) / 2 + u * s }')
  y=$(awk -v h="$HEIGHT" -v s="$s" -v u="$2" 'BEGIN { printf "%d", (h - 800 * s) / 2 + u * s }')
  xdotool mousemove --window "$WIN" "$x" "$y" click 1
  sleep 0.3
}

# W/PRGM, then: LBL A, 5, ST I, LBL 1, RC I, N!, -x-, DSZ, GTO 1, STK, RTN; RUN.
panel_click 338 123
xdotool type --delay 60 'fSA5hsfS1hrh/fRfsG1gRhG'
panel_click 422 123

# The program view (Ctrl+L), the tape window (Ctrl+T) with TRACE (Alt+T).
xdotool key ctrl+l
sleep 0.5
xdotool key ctrl+t
sleep 1
TAPE="$(xdotool search --onlyvisible --name '^Print Tape' | head -1)"
xdotool windowactivate --sync "$TAPE" key alt+t
sleep 0.3
xdotool windowactivate --sync "$WIN" type 'A'

# While the program runs (the third value blinks), and when it has ended.
sleep 10
import -window root "$OUT/screenshot-workbench-running.png"
sleep 40
import -window root "$OUT/screenshot-workbench.png"

# Only the part of the screen the windows cover.
for f in "$OUT/screenshot-workbench-running.png" "$OUT/screenshot-workbench.png"; do
  /usr/bin/convert "$f" -trim +repage "$f"
done
echo "wrote $OUT/screenshot-workbench.png and $OUT/screenshot-workbench-running.png"
