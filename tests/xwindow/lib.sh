# Shared steps of the real-window tests: a private Xvfb with openbox, the program started in a
# folder of our own, windows found by their titles with xdotool.
set -euo pipefail

EDOKLAD=$1
ARTEFACTS=$2
mkdir -p "$ARTEFACTS"
WORK=$(mktemp -d)
PIDS=()

cleanup() {
  for pid in "${PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$WORK"
}
trap cleanup EXIT

# A crash leaves a core in the program's folder (where the system keeps cores there); a failing
# test prints where it happened.
ulimit -c unlimited 2>/dev/null || true
backtraces() {
  command -v gdb >/dev/null || return 0
  local core
  for core in "$WORK"/core* "$WORK"/*/core*; do
    [ -f "$core" ] || continue
    echo "== backtrace of $core" >&2
    gdb -q -batch -ex 'thread apply all bt 25' "$EDOKLAD" "$core" 2>&1 | grep -E '^(#|Thread|Program)' >&2 || true
  done
}

fail() { echo "FAIL: $*" >&2; backtraces; exit 1; }

# start_xvfb: a private X server without a window manager, its screen SCREEN_SIZE (1024x768 unless
# set); sets DISPLAY.
start_xvfb() {
  local fdfile="$WORK/display"
  Xvfb -displayfd 3 -screen 0 "${SCREEN_SIZE:-1024x768}x24" -nolisten tcp 3>"$fdfile" 2>"$WORK/xvfb.log" &
  PIDS+=($!)
  for _ in $(seq 200); do [ -s "$fdfile" ] && break; sleep 0.05; done
  [ -s "$fdfile" ] || fail "Xvfb did not start"
  export DISPLAY=":$(cat "$fdfile")"
}

start_x() {
  start_xvfb
  openbox >/dev/null 2>&1 &
  PIDS+=($!)
  sleep 0.5
}

# start_edoklad DIR [ARGUMENTS...]: runs the program with DIR as its working directory; sets APP_PID.
start_edoklad() {
  local dir=$1; shift
  (cd "$dir" && exec env -u QT_QPA_PLATFORM LC_ALL=C.UTF-8 QT_FONT_DPI=96 "$EDOKLAD" "$@") >"$WORK/edoklad.log" 2>&1 &
  APP_PID=$!
  PIDS+=($APP_PID)
}

# start_main: runs the program in $WORK, waits for its main window (its id in $main) and activates it.
start_main() {
  start_edoklad "$WORK"
  main=$(wait_window "$TITLE") || fail "main window not found"
  xdotool windowactivate --sync "$main"
  sleep 1
}

# wait_window TITLE [SECONDS]: prints the id of the visible window with exactly that title.
wait_window() {
  local title=$1 seconds=${2:-20} id
  for _ in $(seq $((seconds * 10))); do
    id=$(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null | head -n 1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}

# wait_gone TITLE: succeeds once no visible window has that title (within 5 seconds).
wait_gone() {
  for _ in $(seq 50); do
    xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 || return 0
    sleep 0.1
  done
  return 1
}

# start_a11y: a private session bus with the accessibility bus on it, so that a test reads the
# program's lists and labels the way a screen reader does.
start_a11y() {
  eval "$(dbus-launch --sh-syntax)"
  PIDS+=("$DBUS_SESSION_BUS_PID")
  /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
  PIDS+=($!)
  sleep 0.5
  export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1
}

# add_product PRODUCT MASS: clicks the product (found through the accessibility tree), types the
# mass in the dialog that opens and presses Enter; fails unless the dialog closes.
add_product() {
  local x y
  read -r x y < <(/usr/bin/python3 "$(dirname "${BASH_SOURCE[0]}")/a11y.py" centre "$1") || fail "product $1 not found"
  xdotool mousemove --sync "$x" "$y" click 1
  wait_window 'Ввод массы' 10 >/dev/null || fail "the mass dialog did not open"
  xdotool type --delay 30 "$2"
  xdotool key Return
  wait_gone 'Ввод массы' || fail "the mass dialog did not close"
}

# wait_exit PID [SECONDS]: succeeds when the process has ended.
wait_exit() {
  local pid=$1 seconds=${2:-10}
  for _ in $(seq $((seconds * 10))); do
    kill -0 "$pid" 2>/dev/null || return 0
    sleep 0.1
  done
  return 1
}

# type_text TEXT [DELAY_MS]: types TEXT as key presses on keycodes mapped once for its characters
# (tests/xwindow/keymap.py), which `xdotool type` does not do reliably for Cyrillic under load.
type_text() {
  local names
  names=$(/usr/bin/python3 "$(dirname "${BASH_SOURCE[0]}")/keymap.py" "$1") || fail "cannot map the keys of '$1'"
  # shellcheck disable=SC2086
  xdotool key --delay "${2:-40}" $names
}

screenshot() { import -window root "$ARTEFACTS/$1.png"; }

TITLE='Программа расчета калорийности питания'
