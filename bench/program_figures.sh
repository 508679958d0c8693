#!/usr/bin/env bash
# Start-up figures of the whole program under Xvfb with openbox, side by side with a Qt program
# that shows one empty window and with the same window showing one line of text (both built here):
# medians of alternating starts of the time from launch until an Alt+X sent at the window's
# activation has ended the process, of peak resident memory and of private (anonymous) memory
# 1.5 s after it, with the sample catalogue, a realistic large one (30 x 350 products) and the
# largest the capacities allow (254 x 1023 products, some 10 MB).
# Usage: bench/program_figures.sh path/to/edoklad [STARTS] [path/to/an/earlier/edoklad]
# An earlier build, when given, is started in the same alternation, so before and after compare
# on the same machine at the same time.
set -euo pipefail
EDOKLAD=$(realpath "$1")
STARTS=${2:-7}
EARLIER=${3:+$(realpath "$3")}
HERE=$(cd "$(dirname "$0")" && pwd)
WORK=$(mktemp -d)
trap 'kill $OPENBOX_PID $XVFB_PID 2>/dev/null || true; rm -rf "$WORK"' EXIT

for yardstick in empty_window text_window; do
  # shellcheck disable=SC2046
  g++ -O2 -fPIC -o "$WORK/$yardstick" "$HERE/$yardstick.cpp" $(pkg-config --cflags --libs Qt6Widgets)
done

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$WORK/display" 2>/dev/null &
XVFB_PID=$!
OPENBOX_PID=
for _ in $(seq 100); do [ -s "$WORK/display" ] && break; sleep 0.05; done
export DISPLAY=":$(cat "$WORK/display")"
openbox >/dev/null 2>&1 &
OPENBOX_PID=$!
sleep 0.5

mkdir -p "$WORK/sample"
cp -r "$HERE/../sample/files" "$WORK/sample/"
# Generated catalogues, Windows-style files: a realistic large one, the size of a national food
# composition table (30 categories of 350 products, 10 500), and the largest the limits allow.
/usr/bin/python3 - "$WORK" <<'PY'
import os, random, sys
work = sys.argv[1]
for name, categories, products in (("realistic", 30, 350), ("largest", 254, 1023)):
    random.seed(1)
    os.makedirs(f"{work}/{name}/files")
    with open(f"{work}/{name}/files/db.txt", "w", newline="") as index:
        for k in range(1, categories + 1):
            index.write(f"cat{k}.txt\r\n")
            with open(f"{work}/{name}/files/cat{k}.txt", "wb") as f:
                lines = [f"Категория {k}"] + [
                    f"Продукт {k}-{r} сорт высший;{random.uniform(0, 40):.1f};{random.uniform(0, 40):.1f};"
                    f"{random.uniform(0, 80):.1f};{random.randint(10, 900)}".replace(".", ",")
                    for r in range(1, products + 1)]
                f.write(("\r\n".join(lines) + "\r\n").encode("cp1251"))
PY

TITLE='Программа расчета калорийности питания'
/usr/bin/python3 "$HERE/start_figures.py" "$STARTS" \
  "empty:$WORK/sample:empty window:$WORK/empty_window" \
  "text:$WORK/sample:text window:$WORK/text_window" \
  "sample:$WORK/sample:$TITLE:$EDOKLAD" \
  "realistic:$WORK/realistic:$TITLE:$EDOKLAD" \
  "largest:$WORK/largest:$TITLE:$EDOKLAD" \
  ${EARLIER:+"sample-earlier:$WORK/sample:$TITLE:$EARLIER" "realistic-earlier:$WORK/realistic:$TITLE:$EARLIER"} \
  ${EARLIER:+"largest-earlier:$WORK/largest:$TITLE:$EARLIER"} >"$WORK/figures"

echo "Start-up, medians of $STARTS alternating starts each ($(du -sh "$WORK/realistic/files" | cut -f1) realistic," \
  "$(du -sh "$WORK/largest/files" | cut -f1) largest catalogue):"
awk -F'\t' '
  $1 == "empty" { ms = $2; peak = $3; anon = $4 }
  $1 == "text" { textMs = $2 }
  $1 == "sample" { sampleMs = $2; sampleAnon = $4 }
  { rows[NR] = $0 }
  END {
    printf "%-34s %16s %18s %22s %16s\n", "", "interactive", "peak resident", "private (anonymous)", "over one line"
    for (i = 1; i <= NR; i++) {
      split(rows[i], f, "\t")
      if (f[1] == "empty") {
        printf "%-34s %10d ms      %10.1f MB      %12.1f MB\n", "empty Qt window", f[2], f[3], f[4]
        continue
      }
      label = f[1] == "text" ? "window with one line of text" : "edoklad, " f[1]
      printf "%-34s %6d ms (%+4d) %7.1f MB (%+5.1f) %9.1f MB (%+5.1f)", label, f[2], f[2] - ms, f[3], f[3] - peak, f[4], f[4] - anon
      if (f[1] != "text")
        printf " %+11d ms", f[2] - textMs
      if (f[1] == "realistic")
        printf "   over the sample: %+d ms, %+.1f MB private", f[2] - sampleMs, f[4] - sampleAnon
      printf "\n"
    }
    for (i = 1; i <= NR; i++) { split(rows[i], f, "\t"); printf "  %s starts (ms): %s\n", f[1], f[5] }
  }' "$WORK/figures"
