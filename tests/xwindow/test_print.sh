#!/usr/bin/env bash
# Printing a ration from the real window through a real spooler: a private cupsd whose default
# printer keeps each job's document. The page is read back from the spooled PDF and every text is
# checked at its place. Then the spooler misbehaves: a queue that rejects jobs gets the spooler's
# words in the error box and no completion; a stopped spooler leaves the window answering and its
# job withdrawn by "Отменить"; with no printer left, Ctrl+P shows the error box and queues nothing.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/cups.sh"
HERE=$(cd "$(dirname "$0")" && pwd)
DATA=$(cd "$HERE/../data/xwindow" && pwd)
A11Y="$HERE/a11y.py"
[ "$(id -u)" -eq 0 ] || { echo "SKIP: the private cupsd needs root"; exit 0; }

CUPS="$WORK/cups"
start_cups "$CUPS"
CUPSD=${PIDS[-1]}
start_x

start_a11y

cp -r "$DATA/files" "$WORK/"
start_main

# click_named TEXT: clicks the visible control the accessibility tree names TEXT.
click_named() {
  read -r x y < <(/usr/bin/python3 "$A11Y" centre "$1") || fail "no visible '$1'"
  xdotool mousemove --sync "$x" "$y" click 1
}

visible_named() { /usr/bin/python3 "$A11Y" centre "$1" >/dev/null 2>&1; }

# restore_prints_nothing DIALOG: the window manager minimises the notice and restores it; that
# is no new printout, so no further job reaches the spooler (waited for a few seconds).
restore_prints_nothing() {
  local dialog=$1 jobs requests
  jobs=$(ls "$CUPS/jobs" | grep -c '\.pdf$' || true)
  requests=$(grep -c -E 'Print-Job|Create-Job' "$CUPS/log/access_log" || true)
  xdotool windowminimize --sync "$dialog" || fail "the print notice could not be minimised"
  xdotool windowactivate --sync "$dialog" || fail "the print notice could not be restored"
  wait_window 'Печать рациона...' 5 >/dev/null || fail "the restored print notice is not visible"
  for _ in $(seq 30); do
    [ "$(ls "$CUPS/jobs" | grep -c '\.pdf$' || true)" -eq "$jobs" ] \
      && [ "$(grep -c -E 'Print-Job|Create-Job' "$CUPS/log/access_log" || true)" -eq "$requests" ] \
      || fail "restoring the minimised print notice printed the ration again"
    sleep 0.1
  done
  visible_named 'Печать завершена...' || fail "the restored notice no longer says the printing is done"
}

# error_box: prints the id of the error box over the program's windows (within 10 seconds).
error_box() {
  local box
  for _ in $(seq 100); do
    box=$(xdotool search --onlyvisible --name "^${TITLE}\$" 2>/dev/null | grep -v "^${main}\$" | head -n 1 || true)
    [ -n "$box" ] && { echo "$box"; return 0; }
    sleep 0.1
  done
  return 1
}

documents() { ls "$CUPS/jobs" | grep -c '\.pdf$' || true; }

add_product 'Творог 9%' 150
add_product 'Молоко 3,2%' 250
# Today in the short date format of the program's locale (C: "d MMM yyyy").
date=$(LC_ALL=C /usr/bin/python3 -c 'import datetime; d = datetime.date.today(); print(d.day, d.strftime("%b %Y"))')

xdotool windowactivate --sync "$main" key --clearmodifiers ctrl+p
dialog=$(wait_window 'Печать рациона...' 20) || fail "the print dialog did not open"
wait_job "$CUPS" 1 || fail "no job reached the spooler"
sleep 0.5
screenshot print-dialog
eval "$(xdotool getwindowgeometry --shell "$dialog")"
[ "$WIDTH" -eq 197 ] && [ "$HEIGHT" -eq 92 ] || fail "print dialog client ${WIDTH}x${HEIGHT}, expected 197x92"
visible_named 'Печать завершена...' || fail "the dialog does not say the printing is done"
restore_prints_nothing "$dialog"
click_named 'Закрыть'
for _ in $(seq 50); do xdotool search --onlyvisible --name '^Печать рациона\.\.\.$' >/dev/null 2>&1 || break; sleep 0.1; done
xdotool search --onlyvisible --name '^Печать рациона\.\.\.$' >/dev/null 2>&1 && fail "Закрыть did not close the dialog"

# The spooled page: one page, every text at its place (millimetres from the printable area) and
# of its size; the bold, regular and italic faces all used.
cat >"$WORK/expected.txt" <<EXPECTED
10 10 14 Расчёт калорий
20 25 12 Рацион питания:
25 35 11 1) Творог 9% = 150 гр.
25 40 11 2) Молоко 3,2% = 250 гр.
5 50 12 ========================================================================
10 55 12 Общее содержание питательных веществ в рационе:
20 60 11 Белки: 32.3 гр.
20 65 11 Жиры: 21.5 гр.
20 70 11 Углеводы: 14.8 гр.
60 80 12 Общая калорийность: 386 кКалорий
10 90 10 Дата отчёта: $date
EXPECTED
/usr/bin/python3 "$HERE/pdfpage.py" check "$CUPS/jobs/1.pdf" "$WORK/expected.txt" || fail "the printed page differs"
fonts=$(pdffonts "$CUPS/jobs/1.pdf")
for face in 'LiberationSans-Bold ' 'LiberationSans ' 'LiberationSans-Italic '; do
  grep -q "^$face" <<<"$fonts" || fail "the page has no ${face}face: $fonts"
done
[ -z "$(cat "$CUPS/jobs/1.title")" ] || fail "the job has a name: $(cat "$CUPS/jobs/1.title")"
pdftoppm -r 100 -png -singlefile "$CUPS/jobs/1.pdf" "$ARTEFACTS/printout"
[ "$(ls "$CUPS/jobs" | grep -c '\.pdf$')" -eq 1 ] || fail "more than one job was spooled"

# A queue that rejects jobs: the error box gives the spooler's words, the dialog never reads
# "Печать завершена...", and no job is left.
cupsreject Edoklad || fail "cupsreject failed"
xdotool windowactivate --sync "$main" key --clearmodifiers ctrl+p
box=$(error_box) || fail "no error box for a queue that rejects jobs"
visible_named $'Ошибка печати на принтере Edoklad\nDestination "Edoklad" is not accepting jobs.' \
  || fail "the error box does not give the spooler's words"
screenshot rejecting-queue
xdotool windowactivate --sync "$box" key Return
wait_window 'Печать рациона...' 20 >/dev/null || fail "the print dialog is not on screen after the error"
sleep 0.5
visible_named 'Печать завершена...' && fail "the dialog says the printing is done on a rejecting queue"
visible_named 'Печать: Edoklad...' || fail "the dialog does not name the printer"
click_named 'Отменить'
wait_gone 'Печать рациона...' || fail "Отменить did not close the dialog"
[ -z "$(lpstat -o Edoklad)" ] || fail "a rejecting queue holds a job: $(lpstat -o Edoklad)"
[ "$(documents)" -eq 1 ] || fail "a rejecting queue printed a document"
cupsaccept Edoklad || fail "cupsaccept failed"

# A stopped spooler: the dialog is on screen and answering at once, reading "Отменить"; the
# click closes it; once the spooler runs again the job is withdrawn and nothing is printed.
hung() { kill -CONT "$CUPSD"; fail "$@"; }
kill -STOP "$CUPSD"
xdotool windowactivate --sync "$main" key --clearmodifiers ctrl+p
wait_window 'Печать рациона...' 5 >/dev/null || hung "the print dialog did not show while the spooler hangs"
timeout 10 /usr/bin/python3 "$A11Y" centre 'Отменить' >/dev/null || hung "the window does not answer while the spooler hangs"
screenshot hung-spooler
click_named 'Отменить'
wait_gone 'Печать рациона...' || hung "Отменить did not close the dialog while the spooler hangs"
timeout 10 /usr/bin/python3 "$A11Y" totals >/dev/null || hung "the main window does not answer after Отменить"
kill -CONT "$CUPSD"
sleep 3
[ "$(documents)" -eq 1 ] || fail "the withdrawn job was printed"
[ -z "$(lpstat -o Edoklad)" ] || fail "the withdrawn job is still queued: $(lpstat -o Edoklad)"

# No printer: the error box, then the dialog without the completion text; nothing is queued.
lpadmin -x Edoklad || fail "lpadmin could not remove the queue"
requests=$(grep -c -E 'Print-Job|Create-Job' "$CUPS/log/access_log" || true)
xdotool windowactivate --sync "$main" key --clearmodifiers ctrl+p
box=$(error_box) || fail "no error box without a printer"
visible_named 'There is no default printer currently selected' || fail "the error box does not name the fault"
screenshot no-printer
xdotool windowactivate --sync "$box" key Return
dialog=$(wait_window 'Печать рациона...' 20) || fail "the print dialog did not open after the error"
sleep 0.5
visible_named 'Печать завершена...' && fail "the dialog says the printing is done without a printer"
click_named 'Отменить'
sleep 0.5
[ "$(grep -c -E 'Print-Job|Create-Job' "$CUPS/log/access_log" || true)" -eq "$requests" ] || fail "a job was sent without a printer"
[ "$(documents)" -eq 1 ] || fail "a document was spooled without a printer"

xdotool windowactivate --sync "$main" key --clearmodifiers alt+x
wait_exit "$APP_PID" || fail "Alt+X did not end the program"
echo "PASS"
