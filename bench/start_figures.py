#!/usr/bin/python3
"""Start-up figures of programs, side by side, under the X server in $DISPLAY with a window manager.

start_figures.py RUNS NAME:FOLDER:TITLE:COMMAND...

For each program (started in FOLDER), alternating, RUNS times:
- interactive: from launch until an Alt+X, sent as soon as the window manager has made the window
  titled TITLE the active one (and again every 10 ms until answered), has ended the process;
- peak resident memory (VmHWM) and private anonymous memory (Anonymous in smaps_rollup), 1.5 s
  after the window became active (a second start).
Prints the medians.
"""
import os
import select
import statistics
import subprocess
import sys
import time

from Xlib import X, XK, display
from Xlib.ext import xtest

d = display.Display()
root = d.screen().root
root.change_attributes(event_mask=X.PropertyChangeMask)
NET_ACTIVE = d.intern_atom("_NET_ACTIVE_WINDOW")
NET_NAME = d.intern_atom("_NET_WM_NAME")
UTF8 = d.intern_atom("UTF8_STRING")


def active_title():
    prop = root.get_full_property(NET_ACTIVE, X.AnyPropertyType)
    if not prop or not prop.value or not prop.value[0]:
        return None
    try:
        name = d.create_resource_object("window", prop.value[0]).get_full_property(NET_NAME, UTF8)
    except Exception:
        return None
    return name.value.decode("utf-8", "replace") if name else None


def wait_active(title, process, timeout=30):
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        if active_title() == title:
            return True
        if process.poll() is not None:
            raise SystemExit(f"{title}: the program ended at start")
        while d.pending_events():
            d.next_event()
        # Woken by the window manager's property changes on the root window.
        select.select([d.fileno()], [], [], 0.05)
    raise SystemExit(f"{title}: no active window")


def alt_x():
    alt = d.keysym_to_keycode(XK.XK_Alt_L)
    x = d.keysym_to_keycode(XK.XK_x)
    for code, press in ((alt, True), (x, True), (x, False), (alt, False)):
        xtest.fake_input(d, X.KeyPress if press else X.KeyRelease, code)
    d.sync()


def launch(folder, command):
    env = dict(os.environ, LC_ALL="C.UTF-8")
    return subprocess.Popen(command, cwd=folder, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def interactive(folder, title, command):
    start = time.monotonic()
    process = launch(folder, command)
    wait_active(title, process)
    # Sent again until it is answered: the program may be active before it handles keys.
    end = time.monotonic() + 30
    while process.poll() is None:
        if time.monotonic() > end:
            process.kill()
            raise SystemExit(f"{title}: Alt+X did not end the program")
        alt_x()
        try:
            process.wait(timeout=0.01)
        except subprocess.TimeoutExpired:
            pass
    return (time.monotonic() - start) * 1000


def memory(folder, title, command):
    process = launch(folder, command)
    wait_active(title, process)
    time.sleep(1.5)
    with open(f"/proc/{process.pid}/status") as f:
        peak = next(int(line.split()[1]) for line in f if line.startswith("VmHWM:"))
    with open(f"/proc/{process.pid}/smaps_rollup") as f:
        anonymous = next(int(line.split()[1]) for line in f if line.startswith("Anonymous:"))
    process.terminate()
    process.wait(timeout=30)
    return peak / 1024, anonymous / 1024


def main():
    runs = int(sys.argv[1])
    programs = []
    for program in sys.argv[2:]:
        name, folder, title, command = program.split(":", 3)
        programs.append((name, folder, title, command.split()))
    figures = {name: {"ms": [], "peak": [], "anon": []} for name, *_ in programs}
    for _ in range(runs):
        for name, folder, title, command in programs:
            figures[name]["ms"].append(interactive(folder, title, command))
        for name, folder, title, command in programs:
            peak, anon = memory(folder, title, command)
            figures[name]["peak"].append(peak)
            figures[name]["anon"].append(anon)
    for name, *_ in programs:
        f = figures[name]
        print(f"{name}\t{statistics.median(f['ms']):.0f}\t{statistics.median(f['peak']):.1f}\t"
              f"{statistics.median(f['anon']):.1f}\t{' '.join(f'{v:.0f}' for v in f['ms'])}")


if __name__ == "__main__":
    main()
