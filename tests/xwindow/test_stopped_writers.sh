#!/usr/bin/env bash
# The program stopped (as Ctrl+Z in its terminal stops it) while other programs empty one category
# file and write over another in place at the same size, without blocking; then continued. The
# writers go on at once, the program lives on, and its lists show the catalogue as it was loaded.
source "$(dirname "$0")/lib.sh"
DATA=$(cd "$(dirname "$0")/../data/xwindow" && pwd)
LISTS="$(dirname "$0")/a11y_lists.py"
start_x
start_a11y

cp -r "$DATA/files" "$WORK/"
products() { /usr/bin/python3 "$LISTS" cells 'Продукты' 2>/dev/null || true; }
# category KEY: moves in the category list and prints the products it then shows.
category() {
  xdotool key "$1"
  sleep 0.5
  products
}

start_main
dairy=$(products)
grep -qx 'Кефир 1%' <<<"$dairy" || fail "the dairy products: $dairy"
fruit=$(category Down)
grep -qx 'Банан' <<<"$fruit" || fail "the fruit products: $fruit"

{ printf X; head -c -1 "$WORK/files/fruit.txt"; } >"$WORK/shifted"
kill -STOP "$APP_PID"
# Continued before any failure is reported: a stopped program would outlive the test.
problem=
timeout 5 sh -c ': > "$1"' sh "$WORK/files/dairy.txt" || problem="emptying dairy.txt waited for the stopped program"
timeout 5 dd if="$WORK/shifted" of="$WORK/files/fruit.txt" oflag=nonblock conv=notrunc status=none \
  || problem="dd could not write fruit.txt in place"
kill -CONT "$APP_PID"
[ -z "$problem" ] || fail "$problem"
cmp -s "$WORK/shifted" "$WORK/files/fruit.txt" || fail "fruit.txt was not written over"
[ ! -s "$WORK/files/dairy.txt" ] || fail "dairy.txt was not emptied"

[ "$(category Up)" = "$dairy" ] || fail "after the writes, the dairy products: $(products)"
[ "$(category Down)" = "$fruit" ] || fail "after the writes, the fruit products: $(products)"
screenshot stopped-writers
kill -0 "$APP_PID" 2>/dev/null || fail "the program died: $(cat "$WORK/edoklad.log")"

xdotool windowactivate --sync "$main" key --clearmodifiers alt+x
wait_exit "$APP_PID" 5 || fail "Alt+X did not end the program"
echo "PASS"
