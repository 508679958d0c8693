#!/usr/bin/env bash
# The program in a real X server: its main window comes up on a fixture catalogue and ends on Alt+X
# or when it is closed;
# without files/db.txt it shows the error box and then ends by itself.
source "$(dirname "$0")/lib.sh"
DATA=$(cd "$(dirname "$0")/../data/xwindow" && pwd)
start_x

cp -r "$DATA/files" "$WORK/"
start_edoklad "$WORK"
main=$(wait_window "$TITLE") || fail "main window not found"
sleep 1
eval "$(xdotool getwindowgeometry --shell "$main")"
echo "main window: ${WIDTH}x${HEIGHT} at $X,$Y"
[ "$WIDTH" -eq 518 ] || fail "client width $WIDTH, expected 518"
screenshot main-window
xdotool windowactivate --sync "$main" key --clearmodifiers alt+x
wait_exit "$APP_PID" || fail "Alt+X did not end the program"

# Closing the main window (the window manager's Alt+F4) ends the program too.
start_edoklad "$WORK"
main=$(wait_window "$TITLE") || fail "main window not found"
sleep 0.5
xdotool windowactivate --sync "$main" key --clearmodifiers alt+F4
wait_exit "$APP_PID" || fail "closing the main window did not end the program"

mkdir -p "$WORK/empty"
start_edoklad "$WORK/empty"
box=$(wait_window Error) || fail "no error box for the missing index"
sleep 0.5
screenshot missing-index
xdotool windowactivate --sync "$box" key Return
wait_exit "$APP_PID" || fail "the program did not end after the missing index"
echo "PASS"
