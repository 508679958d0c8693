#!/usr/bin/env bash
# Whole-program figures under Xvfb: resident memory once the catalogue is loaded, and the time
# from launch until Alt+X (sent as soon as the window is mapped) has ended the program.
# Compared between a two-category catalogue, the largest one the capacities allow (254 x 1023
# products of a real catalogue's lines) and the fullest one the loader's size limits take.
# Usage: bench/program_figures.sh path/to/edoklad
set -euo pipefail
EDOKLAD=$(realpath "$1")
WORK=$(mktemp -d)
trap 'kill $OPENBOX_PID $XVFB_PID 2>/dev/null || true; rm -rf "$WORK"' EXIT

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$WORK/display" 2>/dev/null &
XVFB_PID=$!
OPENBOX_PID=
for _ in $(seq 100); do [ -s "$WORK/display" ] && break; sleep 0.05; done
export DISPLAY=":$(cat "$WORK/display")"
openbox >/dev/null 2>&1 &
OPENBOX_PID=$!
sleep 0.5

/usr/bin/python3 - "$WORK" <<'PY'
import os, random, sys
work = sys.argv[1]
def write(folder, categories, products):
    os.makedirs(f"{work}/{folder}/files")
    with open(f"{work}/{folder}/files/db.txt", "w", newline="") as index:
        for k in range(1, categories + 1):
            index.write(f"cat{k}.txt\r\n")
            with open(f"{work}/{folder}/files/cat{k}.txt", "wb") as f:
                lines = [f"Категория {k}"] + [
                    f"Продукт {k}-{r} сорт высший;{random.uniform(0, 40):.1f};{random.uniform(0, 40):.1f};"
                    f"{random.uniform(0, 80):.1f};{random.randint(10, 900)}".replace(".", ",")
                    for r in range(1, products + 1)]
                f.write(("\r\n".join(lines) + "\r\n").encode("cp1251"))
write("small", 2, 3)
write("largest", 254, 1023)
# The most the loader's limits take: every category file just under 128 KB, 1023 long lines.
os.makedirs(f"{work}/fullest/files")
with open(f"{work}/fullest/files/db.txt", "w", newline="") as index:
    for k in range(1, 255):
        index.write(f"cat{k}.txt\r\n")
        lines = [f"Категория {k}"] + [
            f"Продукт {k}-{r} ".ljust(107, "ж") + ";12,3;45,6;78,9;900" for r in range(1, 1024)]
        data = ("\r\n".join(lines) + "\r\n").encode("cp1251")
        assert len(data) <= 131072 and max(len(l) for l in lines) <= 1024
        with open(f"{work}/fullest/files/cat{k}.txt", "wb") as f:
            f.write(data)
PY

measure() { # measure FOLDER
  local start end pid rss
  start=$(date +%s%N)
  (cd "$WORK/$1" && exec env LC_ALL=C.UTF-8 "$EDOKLAD") >/dev/null 2>&1 &
  pid=$!
  until xdotool search --onlyvisible --name '^Программа расчета калорийности питания$' >/dev/null 2>&1; do sleep 0.005; done
  sleep 0.5
  rss=$(awk '/VmRSS/ {print $2}' "/proc/$pid/status")
  kill "$pid"; wait "$pid" 2>/dev/null || true

  start=$(date +%s%N)
  (cd "$WORK/$1" && exec env LC_ALL=C.UTF-8 "$EDOKLAD") >/dev/null 2>&1 &
  pid=$!
  until id=$(xdotool search --onlyvisible --name '^Программа расчета калорийности питания$' 2>/dev/null); do sleep 0.002; done
  xdotool windowactivate --sync "$id" key alt+x
  wait "$pid" 2>/dev/null || true
  end=$(date +%s%N)
  echo "$1: resident memory $((rss / 1024)) MB, launch until Alt+X handled $(((end - start) / 1000000)) ms"
}
for run in 1 2 3; do measure small; measure largest; measure fullest; done
