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

fail() { echo "FAIL: $*" >&2; exit 1; }

start_x() {
  local fdfile="$WORK/display"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fdfile" 2>"$WORK/xvfb.log" &
  PIDS+=($!)
  for _ in $(seq 100); do [ -s "$fdfile" ] && break; sleep 0.05; done
  [ -s "$fdfile" ] || fail "Xvfb did not start"
  export DISPLAY=":$(cat "$fdfile")"
  openbox >/dev/null 2>&1 &
  PIDS+=($!)
  sleep 0.5
}

# start_edoklad DIR: runs the program with DIR as its working directory; sets APP_PID.
start_edoklad() {
  (cd "$1" && exec env -u QT_QPA_PLATFORM LC_ALL=C.UTF-8 QT_FONT_DPI=96 "$EDOKLAD") >"$WORK/edoklad.log" 2>&1 &
  APP_PID=$!
  PIDS+=($APP_PID)
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

# wait_exit PID [SECONDS]: succeeds when the process has ended.
wait_exit() {
  local pid=$1 seconds=${2:-10}
  for _ in $(seq $((seconds * 10))); do
    kill -0 "$pid" 2>/dev/null || return 0
    sleep 0.1
  done
  return 1
}

screenshot() { import -window root "$ARTEFACTS/$1.png"; }

TITLE='Программа расчета калорийности питания'
