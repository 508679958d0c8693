#!/usr/bin/python3
"""The report window as a screen reader meets it.

a11y_report.py table        prints the table "Дни": its headings, then each row, cells joined by " | "
a11y_report.py chart        prints what the chart says (its description)
a11y_report.py cell NAME    prints the screen centre "x y" of the table's first cell named NAME
"""
import os
import sys

import pyatspi

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from a11y import application, find  # noqa: E402


def report_table(app):
    found = find(app, lambda n: n.getRole() == pyatspi.ROLE_TABLE and n.name == "Дни")
    if not found:
        sys.exit("no table Дни")
    return found[0]


def main():
    app = application()
    what = sys.argv[1]
    if what == "table":
        table = report_table(app).queryTable()
        print(" | ".join(table.getColumnHeader(c).name for c in range(table.nColumns)))
        for r in range(table.nRows):
            print(" | ".join(table.getAccessibleAt(r, c).name for c in range(table.nColumns)))
        return
    if what == "chart":
        found = find(app, lambda n: n.name == "кКалорий по дням")
        if not found:
            sys.exit("no chart")
        print(found[0].description)
        return
    if what == "cell":
        table = report_table(app).queryTable()
        for r in range(table.nRows):
            cell = table.getAccessibleAt(r, 0)
            if cell.name == sys.argv[2]:
                box = cell.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
                print(box.x + box.width // 2, box.y + box.height // 2)
                return
        sys.exit("no row " + sys.argv[2])
    sys.exit("unknown command " + what)


if __name__ == "__main__":
    main()
