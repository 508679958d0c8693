#!/usr/bin/python3
"""Reads a printed page back from the PDF a print job produced.

pdfpage.py check PDF EXPECTED
    EXPECTED holds one line per text of the page, "x y size text": x and y in millimetres from
    the top-left of the printable area, the font size in points. Checks that the PDF has one
    page holding exactly these texts, in this order, each within half a millimetre of its
    place and each as tall as its size says (every line of one face has the same height per
    point). The printable area's top-left and the device resolution are taken from the
    transformation the page starts with.
"""
import re
import subprocess
import sys
import xml.etree.ElementTree as ET
import zlib

TOLERANCE_MM = 0.5
PT_PER_MM = 72 / 25.4


def page_origin(path):
    """The first transformation of the page's content: device dots to points, from the
    printable area's top-left (x to the right, y downwards)."""
    data = open(path, "rb").read()
    for stream in re.finditer(rb"stream\r?\n(.*?)endstream", data, re.S):
        body = stream.group(1)
        try:
            body = zlib.decompress(body)
        except zlib.error:
            pass
        m = re.search(rb"([-\d.]+) 0 0 ([-\d.]+) ([-\d.]+) ([-\d.]+) cm", body)
        if m and b"BT" in body:
            sx, sy, tx, ty = (float(v) for v in m.groups())
            return sx, sy, tx, ty
    sys.exit("no page transformation found")


def lines(path):
    xml = subprocess.run(["pdftotext", "-bbox-layout", path, "-"], check=True, capture_output=True).stdout
    root = ET.fromstring(xml)
    ns = {"h": "http://www.w3.org/1999/xhtml"}
    pages = root.findall(".//h:page", ns)
    found = []
    for page in pages:
        height = float(page.get("height"))
        for line in page.findall(".//h:line", ns):
            words = [w.text for w in line.findall("h:word", ns)]
            top = float(line.get("yMin"))
            found.append((float(line.get("xMin")), top, " ".join(words), height,
                          float(line.get("yMax")) - top))
    return len(pages), found


def check(pdf, expected_path):
    expected = []
    for row in open(expected_path, encoding="utf-8").read().splitlines():
        x, y, size, text = row.split(" ", 3)
        expected.append((float(x), float(y), text, float(size)))
    sx, sy, tx, ty = page_origin(pdf)
    count, found = lines(pdf)
    problems = []
    if count != 1:
        problems.append(f"{count} pages")
    if sx <= 0 or sy >= 0:
        problems.append(f"unexpected page transformation {sx} {sy}")
    if [f[2] for f in found] != [e[2] for e in expected]:
        problems.append("texts differ:\n  got:      %s\n  expected: %s"
                        % ([f[2] for f in found], [e[2] for e in expected]))
    worst = 0.0
    per_point = sorted(f[4] / e[3] for f, e in zip(found, expected))
    for (x, y, text, height, tall), (ex, ey, etext, size) in zip(found, expected):
        # pdftotext measures from the page's top edge; the printable area starts at tx, height - ty.
        mx = (x - tx) / PT_PER_MM
        my = (y - (height - ty)) / PT_PER_MM
        worst = max(worst, abs(mx - ex), abs(my - ey))
        if abs(mx - ex) > TOLERANCE_MM or abs(my - ey) > TOLERANCE_MM:
            problems.append(f"{text!r} at {mx:.2f}, {my:.2f} mm, expected {ex:g}, {ey:g}")
        if per_point and abs(tall / size / per_point[len(per_point) // 2] - 1) > 0.03:
            problems.append(f"{text!r} is {tall:.2f} pt tall, not of {size:g} pt")
    print(f"resolution {round(72 / sx)} dpi, printable area from {tx:.2f}, {height - ty:.2f} pt, "
          f"texts at most {worst:.3f} mm from their places")
    if problems:
        sys.exit("\n".join(problems))


if __name__ == "__main__" and sys.argv[1] == "check":
    check(sys.argv[2], sys.argv[3])
