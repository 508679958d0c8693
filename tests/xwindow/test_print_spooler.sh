#!/usr/bin/env bash
# The spooler failing where the print dialog cannot see it, through a private cupsd: a printer that
# refuses the document only at its end; a spooler that hangs just after the job was created, then
# "Отменить" and Alt+X: the job is withdrawn at the program's end, or by the next print when the
# spooler could not be reached at the end; and no print service to reach at all.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/cups.sh"
HERE=$(cd "$(dirname "$0")" && pwd)
DATA=$(cd "$HERE/../data/xwindow" && pwd)
A11Y="$HERE/a11y.py"
[ "$(id -u)" -eq 0 ] || { echo "SKIP: the private cupsd needs root"; exit 0; }

CUPS="$WORK/cups"
start_cups "$CUPS"
CUPSD=${PIDS[-1]}
SPOOLER=$CUPS_SERVER
# The program reaches the spooler through a relay that can stop it at the chosen moment.
/usr/bin/python3 "$HERE/spooler_proxy.py" "$CUPS/proxy.sock" "$SPOOLER" "$CUPSD" "$CUPS" &
PROXY=$!
PIDS+=($PROXY)
for _ in $(seq 50); do [ -S "$CUPS/proxy.sock" ] && break; sleep 0.1; done
[ -S "$CUPS/proxy.sock" ] || fail "the relay to the spooler did not start"
start_x
start_a11y
cp -r "$DATA/files" "$WORK/"
printf '%s\r\n' 'Творог 9%:150:16,7:9:2:159:' 'Молоко 3,2%:250:2,9:3,2:4,7:59:' | iconv -f utf-8 -t cp1251 >"$WORK/day.edk"

# run_program: the program with day.edk open; its id in APP_PID, its window in main.
run_program() {
  CUPS_SERVER="$CUPS/proxy.sock" start_edoklad "$WORK" day.edk
  main=$(wait_window "$TITLE") || fail "main window not found"
  xdotool windowactivate --sync "$main"
  sleep 0.5
}

visible_named() { /usr/bin/python3 "$A11Y" centre "$1" >/dev/null 2>&1; }

# error_box: prints the id of the error box over the program's windows (within 5 seconds).
error_box() {
  local box end=$((SECONDS + 5))
  while [ "$SECONDS" -lt "$end" ]; do
    box=$(xdotool search --onlyvisible --name "^${TITLE}\$" 2>/dev/null | grep -v "^${main}\$" | head -n 1 || true)
    [ -n "$box" ] && { echo "$box"; return 0; }
    sleep 0.1
  done
  return 1
}

# print_expecting_error TEXT WHAT: Ctrl+P gives the error box TEXT, then the dialog without the
# completion text, which Escape closes.
print_expecting_error() {
  local box
  xdotool windowactivate --sync "$main" key --clearmodifiers ctrl+p
  box=$(error_box) || fail "no error box $2"
  visible_named "$1" || fail "the error box $2 does not say: $1"
  xdotool windowactivate --sync "$box" key Return
  wait_window 'Печать рациона...' 10 >/dev/null || fail "the print dialog is not on screen after the error $2"
  sleep 0.3
  visible_named 'Печать завершена...' && fail "the dialog says the printing is done $2"
  xdotool key Escape
  wait_gone 'Печать рациона...' || fail "Escape did not close the dialog"
}

held() { lpstat -h "$SPOOLER" -o; }
spooler_stopped() { [ "$(awk '{print $3}' "/proc/$CUPSD/stat")" = T ]; }
hung() { kill -CONT "$CUPSD"; fail "$@"; }

# hang_then_cancel_and_exit [soon]: prints; the spooler hangs once it has created the job;
# "Отменить" (Escape) closes the dialog and Alt+X ends the program. With "soon" the spooler runs
# again half a second after the window has gone, else once the program has ended. Sets GONE_MS
# and END_MS, the time from Alt+X until the window was gone and until the process had ended.
hang_then_cancel_and_exit() {
  local dialog start
  touch "$CUPS/hang-at-document"
  xdotool windowactivate --sync "$main" key --clearmodifiers ctrl+p
  for _ in $(seq 100); do spooler_stopped && break; sleep 0.1; done
  spooler_stopped || hung "the spooler did not hang as the document came"
  dialog=$(wait_window 'Печать рациона...' 5) || hung "the print dialog is not on screen while the spooler hangs"
  xdotool windowactivate --sync "$dialog" key Escape
  wait_gone 'Печать рациона...' || hung "Отменить did not close the dialog while the spooler hangs"
  start=$(date +%s%N)
  xdotool windowactivate --sync "$main" key --clearmodifiers alt+x
  wait_gone "$TITLE" || hung "Alt+X did not close the window while the spooler hangs"
  GONE_MS=$((($(date +%s%N) - start) / 1000000))
  if [ "${1:-}" = soon ]; then sleep 0.5; kill -CONT "$CUPSD"; fi
  wait_exit "$APP_PID" 10 || hung "the program did not end while the spooler hangs"
  END_MS=$((($(date +%s%N) - start) / 1000000))
  kill -CONT "$CUPSD"
}

# A printer that takes the job and the document's bytes but refuses the document at its end: the
# spooler's words, no completion, and no job left.
add_text_only_queue "$CUPS" TextOnly
admin lpadmin -d TextOnly || fail "lpadmin could not make TextOnly the default: $ADMIN_ERROR"
run_program
print_expecting_error $'Ошибка печати на принтере TextOnly\nUnsupported document-format "application/pdf".' \
  "when the printer refused the document at its end"
[ -z "$(held)" ] || fail "the refused job is left in the queue: $(held)"
admin lpadmin -d Edoklad || fail "lpadmin could not make Edoklad the default: $ADMIN_ERROR"

# The spooler hangs just after creating the job; "Отменить", Alt+X; the window goes at once and
# the spooler runs again within the moment the program gives it at its end: the job is withdrawn.
hang_then_cancel_and_exit soon
[ "$GONE_MS" -le 1000 ] || fail "the window took ${GONE_MS} ms to go after Alt+X while the spooler hangs"
[ "$END_MS" -le 3000 ] || fail "the program took ${END_MS} ms to end after the spooler came back"
for _ in $(seq 50); do [ -z "$(held)" ] && break; sleep 0.1; done
[ -z "$(held)" ] || fail "the job left by Отменить and Alt+X is still held: $(held)"

# Again, and the spooler hangs on past the program's end: 2 s given to it, no more; the job is
# left held until the next print, which withdraws it and prints.
run_program
hang_then_cancel_and_exit
[ "$GONE_MS" -le 1000 ] || fail "the window took ${GONE_MS} ms to go after Alt+X while the spooler hangs"
[ "$END_MS" -ge 1800 ] && [ "$END_MS" -le 3000 ] \
  || fail "the program took ${END_MS} ms to end while the spooler hangs: 2 s are given to it"
sleep 1
[ -n "$(held)" ] || fail "no job was left held to withdraw (the test's spooler did not hang as meant)"
run_program
jobs_before=$(ls "$CUPS/jobs" | grep -c '\.pdf$' || true)
xdotool windowactivate --sync "$main" key --clearmodifiers ctrl+p
for _ in $(seq 100); do [ "$(ls "$CUPS/jobs" | grep -c '\.pdf$' || true)" -gt "$jobs_before" ] && break; sleep 0.1; done
[ "$(ls "$CUPS/jobs" | grep -c '\.pdf$' || true)" -gt "$jobs_before" ] || fail "the next print did not print"
[ -z "$(held)" ] || fail "the next print left the earlier run's job held: $(held)"
xdotool key Escape
wait_gone 'Печать рациона...' || fail "Escape did not close the dialog"

# No print service: the relay's spooler gone, then the relay's socket gone too.
kill "$CUPSD"
for _ in $(seq 50); do kill -0 "$CUPSD" 2>/dev/null || break; sleep 0.1; done
print_expecting_error 'Служба печати недоступна' "when the spooler is gone"
kill "$PROXY"
rm -f "$CUPS/proxy.sock"
print_expecting_error 'Служба печати недоступна' "when the spooler's socket is gone"

xdotool windowactivate --sync "$main" key --clearmodifiers alt+x
wait_exit "$APP_PID" || fail "Alt+X did not end the program"
echo "PASS"
