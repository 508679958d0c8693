#!/usr/bin/env bash
# The program in a real X server on a hostile catalogue: a category file that is a FIFO, one that
# is a sparse 2 GB file, one that links to /dev/zero, and an index line of markup whose image
# source is a FIFO. Each is reported with the usual warning, shown as plain text, and the program
# stays responsive: the boxes answer, Alt+X ends it within a second.
source "$(dirname "$0")/lib.sh"
DATA=$(cd "$(dirname "$0")/../data/xwindow" && pwd)
start_x

cp -r "$DATA/files" "$WORK/"
mkfifo "$WORK/files/pipe.txt" "$WORK/fifo"
truncate -s 2G "$WORK/files/huge.txt"
ln -s /dev/zero "$WORK/files/zero.txt"
printf 'dairy.txt\r\npipe.txt\r\nhuge.txt\r\nzero.txt\r\n<img src=fifo>\r\nfruit.txt\r\n' >"$WORK/files/db.txt"

start_edoklad "$WORK"
for path in files/pipe.txt files/huge.txt files/zero.txt 'files/<img src=fifo>'; do
  box=$(wait_window Warning 10) || fail "no warning for $path"
  sleep 0.3
  # The box's text, as a screen reader reads it, names the path literally.
  [ "$path" != 'files/<img src=fifo>' ] || screenshot hostile-markup-warning
  xdotool windowactivate --sync "$box" key Return
  closed=
  for _ in $(seq 50); do
    xdotool search --onlyvisible --name '^Warning$' 2>/dev/null | grep -qx "$box" || { closed=1; break; }
    sleep 0.1
  done
  [ -n "$closed" ] || fail "the warning for $path did not close"
done
main=$(wait_window "$TITLE") || fail "main window not found"
sleep 0.5
! xdotool search --onlyvisible --name '^Warning$' >/dev/null 2>&1 || fail "more warnings than expected"
screenshot hostile-main-window
rss=$(awk '/VmRSS/ {print $2}' "/proc/$APP_PID/status")
echo "resident memory: $((rss / 1024)) MB"
[ "$rss" -lt $((200 * 1024)) ] || fail "resident memory $((rss / 1024)) MB"

start=$(date +%s%N)
xdotool windowactivate --sync "$main" key --clearmodifiers alt+x
wait_exit "$APP_PID" 1 || fail "Alt+X did not end the program within a second"
echo "Alt+X handled in $((($(date +%s%N) - start) / 1000000)) ms"
echo "PASS"
