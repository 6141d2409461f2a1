#!/usr/bin/env bash
# The README's pictures, taken under Xvfb with a window manager (openbox) on a
# display nobody else uses: the panel (a number, a running program, an error,
# scale factor 2) and the program view with the print tape window (a factorial
# table keyed in on the panel and run with TRACE on, while it runs and when it
# has ended), the source editor marking a listing's faults and a run stopped
# at a breakpoint with the run profile shown. Needs xvfb, openbox, xdotool and imagemagick, and a build in
# build/. The display's annunciators (W/PRGM with STO+ waiting) and the
# reference window (F1) searched for "store" come with "help".
# Usage: tools/screenshots.sh [panel|workbench|editor|breakpoints|help|all] [OUTPUT-DIRECTORY]
set -euo pipefail
cd "$(dirname "$0")/.."
WHAT="${1:-all}"
OUT="${2:-docs}"
XDG_RUNTIME_DIR="$(mktemp -d)"
chmod 700 "$XDG_RUNTIME_DIR"
export XDG_RUNTIME_DIR
# Work a stopped calculator leaves for recovery goes there too, not to the user's own.
export XDG_STATE_HOME="$XDG_RUNTIME_DIR/state"

pids=()
stop_all() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  pids=()
  sleep 0.5
}
trap 'stop_all; rm -rf "$XDG_RUNTIME_DIR"' EXIT

# start SCREEN-SIZE SCALE: an X server with openbox and the calculator on it.
start() {
  local n=90
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
  export DISPLAY=":$n" QT_SCALE_FACTOR="$2"
  Xvfb "$DISPLAY" -screen 0 "$1x24" -nolisten tcp >/dev/null 2>&1 &
  pids+=($!)
  sleep 1
  kill -0 "${pids[0]}" || { echo "Xvfb did not start on $DISPLAY" >&2; exit 1; }
  openbox >/dev/null 2>&1 &
  pids+=($!)
  sleep 1
  build/corvelxmem >/dev/null 2>&1 &
  pids+=($!)
  sleep 3
  WIN="$(xdotool search --onlyvisible --name '^CorvelXMem' | head -1)"
  xdotool windowactivate --sync "$WIN"
  eval "$(xdotool getwindowgeometry --shell "$WIN")"   # WIDTH, HEIGHT
}

# A point of the panel's 480 x 800 units, clicked (the program view closed).
panel_click() {
  local s x y
  s=$(awk -v w="$WIDTH" -v h="$HEIGHT" 'BEGIN { s = w / 480; if (h / 800 < s) s = h / 800; print s }')
  x=$(awk -v w="$WIDTH" -v s="$s" -v u="$1" 'BEGIN { printf "%d", (w - 480 * s) / 2 + u * s }')
  y=$(awk -v h="$HEIGHT" -v s="$s" -v u="$2" 'BEGIN { printf "%d", (h - 800 * s) / 2 + u * s }')
  xdotool mousemove --window "$WIN" "$x" "$y" click 1
  sleep 0.3
}

# The screen, cut to the windows on it.
shoot() {
  xdotool mousemove 0 0
  sleep 0.5
  import -window root "$1"
  /usr/bin/convert "$1" -trim +repage "$1"
  echo "wrote $1"
}

panel() {
  start 1366x768 1
  xdotool type --delay 80 '6.02x23'
  shoot "$OUT/screenshot.png"
  # An error and why: 1 ENTER 0 /.
  xdotool type --delay 80 'c1e0/'
  shoot "$OUT/screenshot-error.png"
  # A program that runs until R/S: LBL A, GTO A.
  xdotool type --delay 80 'c'
  panel_click 338 123
  xdotool type --delay 80 'fSAGA'
  panel_click 422 123
  xdotool type 'A'
  sleep 1
  shoot "$OUT/screenshot-running.png"
  xdotool type 'R'
  stop_all
  start 1920x1600 2
  xdotool type --delay 80 '6.02x23'
  shoot "$OUT/screenshot-2x.png"
  stop_all
}

workbench() {
  start 1280x1024 1
  # W/PRGM, then: LBL A, 5, ST I, LBL 1, RC I, N!, -x-, DSZ, GTO 1, STK, RTN; RUN.
  panel_click 338 123
  xdotool type --delay 60 'fSA5hsfS1hrh/fRfsG1gRhG'
  panel_click 422 123
  # The program view (Ctrl+L), the tape window (Ctrl+T) with TRACE (Alt+T).
  xdotool key ctrl+l
  sleep 0.5
  xdotool key ctrl+t
  sleep 1
  local TAPE
  TAPE="$(xdotool search --onlyvisible --name '^Print Tape' | head -1)"
  xdotool windowactivate --sync "$TAPE" key alt+t
  sleep 0.3
  xdotool windowactivate --sync "$WIN" type 'A'
  # While the program runs (the third value blinks), and when it has ended.
  sleep 10
  shoot "$OUT/screenshot-workbench-running.png"
  sleep 40
  shoot "$OUT/screenshot-workbench.png"
  stop_all
}

editor() {
  start 1280x1024 1
  # The editor (the pencil button) on an empty program, a listing typed
  # above its filler lines: a comment, a step number, an unknown
  # instruction and a missing label.
  panel_click 318 761
  sleep 1
  local ED
  ED="$(xdotool search --onlyvisible --name '^Source Code Editor' | head -1)"
  xdotool windowactivate --sync "$ED" key ctrl+Home
  local line
  while IFS= read -r line; do
    xdotool type --delay 40 "$line"
    xdotool key Return
  done <<'LISTING'
# two faults below
001 LBL A   # the entry
STO 1
LBL 1
RCL 1
X<>Y
/
+
2   # halve
/
SQRTX
GTO 2
RTN
LISTING
  # The caret on the unknown instruction, the mouse over it for its reason.
  xdotool key ctrl+Home Down Down Down Down Down Down Down Down Down Down
  xdotool mousemove --window "$ED" 70 $((EDIT_LINE0 + 10 * EDIT_LINE))
  sleep 0.3
  xdotool mousemove --window "$ED" 75 $((EDIT_LINE0 + 10 * EDIT_LINE))
  sleep 2
  import -window root "$OUT/screenshot-editor.png"
  /usr/bin/convert "$OUT/screenshot-editor.png" -trim +repage "$OUT/screenshot-editor.png"
  echo "wrote $OUT/screenshot-editor.png"
  stop_all
}

breakpoints() {
  start 1280x1024 1
  # The workbench's program, breakpoints on its last two steps (F9 at the
  # pointer's step; h SST steps back), the profile column (its button in the
  # program view), then a run whose loop goes five times round before it
  # stops before STK.
  panel_click 338 123
  xdotool type --delay 60 'fSA5hsfS1hrh/fRfsG1gRhG'
  xdotool key ctrl+l F9
  xdotool type --delay 60 'hS'
  xdotool key F9
  sleep 0.5
  local W2   # the window's width with the view (the panel keeps WIDTH)
  W2="$(xdotool getwindowgeometry --shell "$WIN" | sed -n 's/^WIDTH=//p')"
  xdotool mousemove --window "$WIN" $((W2 - PROFILE_X)) "$PROFILE_Y" click 1
  panel_click 422 123
  xdotool type 'A'
  sleep 40
  shoot "$OUT/screenshot-breakpoints.png"
  stop_all
}

# Where the program view's Profile button lies, from the window's right edge and top.
PROFILE_X="${PROFILE_X:-45}"
PROFILE_Y="${PROFILE_Y:-40}"
# Where the editor's first text line lies below its window's top, and a line's height.
EDIT_LINE0="${EDIT_LINE0:-22}"
EDIT_LINE="${EDIT_LINE:-15}"

help() {
  start 1366x768 1
  panel_click 338 123
  xdotool type --delay 80 's+'
  # Only the display and the switches under it.
  xdotool mousemove 0 0
  sleep 0.5
  import -window "$WIN" "$OUT/screenshot-annunciators.png"
  /usr/bin/convert "$OUT/screenshot-annunciators.png" -crop "${WIDTH}x$((HEIGHT * 180 / 800))+0+0" +repage \
    "$OUT/screenshot-annunciators.png"
  echo "wrote $OUT/screenshot-annunciators.png"
  xdotool key Escape key F1
  sleep 1
  local REF
  REF="$(xdotool search --onlyvisible --name '^CorvelXMem Reference' | head -1)"
  xdotool windowactivate --sync "$REF" type --delay 60 'store'
  xdotool key alt+i
  sleep 0.5
  import -window "$REF" "$OUT/screenshot-reference.png"
  echo "wrote $OUT/screenshot-reference.png"
  stop_all
}

case "$WHAT" in
  panel) panel ;;
  workbench) workbench ;;
  editor) editor ;;
  breakpoints) breakpoints ;;
  help) help ;;
  all) panel; workbench; editor; breakpoints; help ;;
  *) echo "usage: tools/screenshots.sh [panel|workbench|editor|breakpoints|help|all] [OUTPUT-DIRECTORY]" >&2; exit 2 ;;
esac
