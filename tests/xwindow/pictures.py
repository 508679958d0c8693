#!/usr/bin/python3
"""Compares the pictures the program shows with their SVGs drawn afresh at the size shown.

pictures.py shot SHOT X Y W H REFERENCE.png
    finds REFERENCE (drawn over the ground of the area) in the area W x H at X,Y of the screenshot
    SHOT, where it matches best; prints "x y difference", the difference the mean of the colour
    channels' differences (0..255) at that place
pictures.py icon WINDOW REFERENCE_DIR NAME
    for every size of the window's icon (_NET_WM_ICON, what the window manager shows), prints
    "size difference" against REFERENCE_DIR/<size>x<size>/apps/NAME.png
"""
import collections
import subprocess
import sys


def rgba(path):
    """The image's width, height and its pixels as (r, g, b, a) tuples, row by row."""
    size = subprocess.run(["identify", "-format", "%w %h", path], check=True, capture_output=True, text=True)
    width, height = (int(v) for v in size.stdout.split())
    raw = subprocess.run(["convert", path, "-depth", "8", "rgba:-"], check=True, capture_output=True).stdout
    return width, height, [tuple(raw[i:i + 4]) for i in range(0, len(raw), 4)]


def over(picture, ground):
    """The picture's pixels laid over a plain ground, as RGB."""
    return [tuple((c * a + g * (255 - a)) // 255 for c, g in zip(p[:3], ground)) for p in picture for a in (p[3],)]


def shot(path, x, y, w, h, reference):
    area = subprocess.run(["convert", path, "-crop", "%dx%d+%d+%d" % (w, h, x, y), "+repage", "-depth", "8", "rgb:-"],
                          check=True, capture_output=True).stdout
    pixels = [tuple(area[i:i + 3]) for i in range(0, len(area), 3)]
    rw, rh, ref = rgba(reference)
    ground = collections.Counter(pixels).most_common(1)[0][0]
    want = over(ref, ground)
    best = (None, None, float("inf"))
    for top in range(h - rh + 1):
        for left in range(w - rw + 1):
            total = 0
            limit = best[2] * rw * rh * 3
            for row in range(rh):
                base = (top + row) * w + left
                for col in range(rw):
                    a = pixels[base + col]
                    b = want[row * rw + col]
                    total += abs(a[0] - b[0]) + abs(a[1] - b[1]) + abs(a[2] - b[2])
                if total >= limit:
                    break
            if total < limit:
                best = (x + left, y + top, total / (rw * rh * 3))
    print(best[0], best[1], "%.1f" % best[2])


def icon(window, references, name):
    out = subprocess.run(["xprop", "-id", window, "-notype", "-f", "_NET_WM_ICON", "32c", "_NET_WM_ICON"],
                         check=True, capture_output=True, text=True).stdout
    values = [int(v) for v in out.split("=", 1)[1].replace(",", " ").split()]
    i = 0
    while i + 2 <= len(values):
        w, h = values[i], values[i + 1]
        argb = values[i + 2:i + 2 + w * h]
        i += 2 + w * h
        _, _, ref = rgba("%s/%dx%d/apps/%s.png" % (references, w, w, name))
        total = 0
        for v, r in zip(argb, ref):
            a = v >> 24
            total += abs(a - r[3])
            # Both hold colours as they are, not premultiplied: a colour counts as far as it shows.
            for shift, c in ((16, r[0]), (8, r[1]), (0, r[2])):
                total += abs((v >> shift & 0xFF) * a - c * r[3]) // 255
        print(w, "%.1f" % (total / (w * h * 4)))


if __name__ == "__main__":
    if sys.argv[1] == "shot":
        shot(sys.argv[2], *(int(v) for v in sys.argv[3:7]), sys.argv[7])
    elif sys.argv[1] == "icon":
        icon(sys.argv[2], sys.argv[3], sys.argv[4])
    else:
        sys.exit(__doc__)
