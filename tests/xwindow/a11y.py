#!/usr/bin/python3
"""Reads the running program through the accessibility tree, as a screen reader would.

a11y.py centre TEXT      prints the screen centre "x y" of the first visible object named TEXT
a11y.py ration           prints the ration rows, one a line
a11y.py totals           prints the four totals captions, one a line
"""
import sys
import time

import pyatspi

TITLE = "Программа расчета калорийности питания"


def application():
    desktop = pyatspi.Registry.getDesktop(0)
    for _ in range(100):
        for app in desktop:
            if app is None:
                continue
            for window in app:
                if window is not None and window.name == TITLE:
                    return app
        time.sleep(0.1)
    sys.exit("program not found in the accessibility tree")


def walk(node):
    yield node
    for child in node:
        if child is not None:
            yield from walk(child)


def find(root, predicate):
    return [n for n in walk(root) if predicate(n)]


def named(root, name):
    return find(root, lambda n: n.name == name)


def main():
    app = application()
    what = sys.argv[1]
    if what == "centre":
        for node in named(app, sys.argv[2]):
            box = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
            if box.width > 0 and box.height > 0:
                print(box.x + box.width // 2, box.y + box.height // 2)
                return
        sys.exit("no visible object named " + sys.argv[2])
    if what == "ration":
        table = find(app, lambda n: n.name == "Рацион" and n.getRole() == pyatspi.ROLE_TABLE)[0]
        for cell in find(table, lambda n: n.getRole() == pyatspi.ROLE_TABLE_CELL):
            print(cell.name)
        return
    if what == "totals":
        for what in ("Белков", "Жиров", "Углеводов", "кКалорий"):
            label = find(app, lambda n, d=what: n.description == d)[0]
            print(label.name)
        return
    sys.exit("unknown command " + what)


if __name__ == "__main__":
    main()
