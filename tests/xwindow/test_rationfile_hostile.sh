#!/usr/bin/env bash
# Ration files against names and files a hostile user picks, through the real window: a product
# whose name holds ":" is saved and opened back whole; Save as onto a FIFO, or (as root) onto a
# symbolic link to a device node, answered Yes at the replace question, warns and leaves the
# FIFO or the device as it was. The device lives on a private tmpfs /dev of the program's own
# mount namespace, never on the machine's.
source "$(dirname "$0")/lib.sh"
A11Y="$(dirname "$0")/a11y.py"
A11Y_MORE="$(dirname "$0")/a11y_more.py"
start_x

start_a11y

mkdir "$WORK/files"
printf 'cheese.txt\r\n' >"$WORK/files/db.txt"
printf 'Сыры\r\nСыр: Российский;23;29;0;360\r\n' | iconv -f utf-8 -t cp1251 >"$WORK/files/cheese.txt"

# in_dialog KEYS TITLE PATH: opens a file dialog with KEYS, types PATH into it and presses Enter.
in_dialog() {
  xdotool key --clearmodifiers "$1"
  wait_window "$2" 10 >/dev/null || fail "dialog $2 did not open"
  sleep 0.5
  xdotool key ctrl+a
  xdotool type --delay 20 "$3"
  sleep 0.2
  xdotool key Return
}

start_main
add_product 'Сыр: Российский' 100
in_dialog ctrl+shift+s 'Сохранить рацион...' "$WORK/day"
wait_gone 'Сохранить рацион...' || fail "the save dialog did not close"
expected=$(printf 'Сыр: Российский:100:23:29:0:360:' | iconv -f utf-8 -t cp1251 | od -An -tx1)
[ "$(od -An -tx1 "$WORK/day.edk")" = "$expected" ] || fail "saved bytes: $(od -c "$WORK/day.edk" | head)"

add_product 'Сыр: Российский' 50
in_dialog ctrl+o 'Загрузить рацион...' "$WORK/day.edk"
wait_gone 'Загрузить рацион...' || fail "the open dialog did not close"
sleep 0.5
# A refusal would be a box titled like the main window.
if [ "$(xdotool search --onlyvisible --name "^$TITLE\$" | wc -l)" -ge 2 ]; then
  screenshot colon-refused
  fail "the saved ration was refused"
fi
rows=$(/usr/bin/python3 "$A11Y" ration)
[ "$rows" = 'Сыр: Российский = 100' ] || fail "rows after Open: $rows"
totals=$(/usr/bin/python3 "$A11Y" totals | tr '\n' ' ')
[ "$totals" = "23.0 29.0 0.0 360 " ] || fail "totals after Open: $totals"

# save_as_refused PATH WHAT: Save as onto PATH, Yes at the replace question, then the warning.
save_as_refused() {
  in_dialog ctrl+shift+s 'Сохранить рацион...' "$1"
  for _ in $(seq 50); do
    [ "$(xdotool search --onlyvisible --name '^Сохранить рацион...$' | wc -l)" -ge 2 ] && break
    sleep 0.1
  done
  timeout 10 /usr/bin/python3 "$A11Y_MORE" press Yes || fail "no replace question for $2"
  wait_window 'Warning' 10 >/dev/null || { screenshot "$2-saved"; fail "no warning for $2"; }
  screenshot "$2-warning"
  xdotool key Return
  wait_gone 'Warning' || fail "the warning did not close"
}

mkfifo "$WORK/pipe.edk"
save_as_refused "$WORK/pipe.edk" fifo
[ -p "$WORK/pipe.edk" ] || fail "the FIFO was replaced: $(ls -l "$WORK/pipe.edk")"

xdotool key --clearmodifiers alt+x
wait_exit "$APP_PID" || fail "Alt+X did not end the program"

if [ "$(id -u)" -ne 0 ] || ! unshare -m true 2>/dev/null; then
  echo "SKIP: the device case needs root and a private mount namespace"
  echo "PASS"
  exit 0
fi
# The program in a mount namespace of its own, with a tmpfs over /dev holding the few nodes a
# program uses; the link is made outside and resolves to the private /dev/full inside.
ln -s /dev/full "$WORK/full.edk"
private_dev='mount -t tmpfs -o size=64k,mode=0755 edoklad-dev /dev'
for node in 'null 1 3' 'zero 1 5' 'full 1 7' 'random 1 8' 'urandom 1 9'; do
  set -- $node
  private_dev+=" && mknod -m 666 /dev/$1 c $2 $3"
done
(cd "$WORK" && exec unshare -m --propagation private sh -c "$private_dev"' && exec "$0" "$@"' \
  env -u QT_QPA_PLATFORM LC_ALL=C.UTF-8 QT_FONT_DPI=96 "$EDOKLAD") >"$WORK/edoklad-dev.log" 2>&1 &
APP_PID=$!
PIDS+=($APP_PID)
main=$(wait_window "$TITLE") || fail "main window not found: $(cat "$WORK/edoklad-dev.log")"
xdotool windowactivate --sync "$main"
sleep 1
[ -c "/proc/$APP_PID/root/dev/full" ] || fail "no private /dev/full"
add_product 'Сыр: Российский' 100
save_as_refused "$WORK/full.edk" device
[ -c "/proc/$APP_PID/root/dev/full" ] || fail "/dev/full was replaced: $(ls -l "/proc/$APP_PID/root/dev")"
[ -c /dev/full ] || fail "the machine's /dev/full changed"

xdotool key --clearmodifiers alt+x
wait_exit "$APP_PID" || fail "Alt+X did not end the program"
echo "PASS"
