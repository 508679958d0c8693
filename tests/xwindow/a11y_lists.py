#!/usr/bin/python3
"""The main window's lists as a screen reader meets them.

a11y_lists.py cells TITLE   prints the cells (or items) of the list a screen reader announces as TITLE, one a line
a11y_lists.py focused       prints the title of the list that has the keyboard focus
a11y_lists.py field         prints the label of the text field that has the keyboard focus (in any
                            of the program's windows, its dialogs included)
"""
import sys

import pyatspi

from a11y import application, find


def tables(app):
    return find(app, lambda n: n.getRole() == pyatspi.ROLE_TABLE and n.name)


def lists(app):
    return find(app, lambda n: n.getRole() in (pyatspi.ROLE_TABLE, pyatspi.ROLE_LIST) and n.name)


def main():
    app = application()
    what = sys.argv[1]
    if what == "cells":
        found = [t for t in lists(app) if t.name == sys.argv[2]]
        if not found:
            sys.exit("no list titled " + sys.argv[2])
        for cell in find(found[0], lambda n: n.getRole() in (pyatspi.ROLE_TABLE_CELL, pyatspi.ROLE_LIST_ITEM)):
            print(cell.name)
        return
    if what == "focused":
        for table in tables(app):
            if table.getState().contains(pyatspi.STATE_FOCUSED):
                print(table.name)
                return
        sys.exit("no list has the focus")
    if what == "field":
        for field in find(app, lambda n: n.getRole() == pyatspi.ROLE_TEXT
                          and n.getState().contains(pyatspi.STATE_FOCUSED)):
            print(field.name)
            return
        sys.exit("no text field has the focus")
    sys.exit("unknown command " + what)


if __name__ == "__main__":
    main()
