#!/usr/bin/python3
"""More reads of the running program through the accessibility tree.

a11y_more.py menu KEY    presses KEY (xdotool) in the open pop-up menu and prints the menu's
                         items, one a line (a pop-up is not among the program's windows in the
                         tree: it is reached through the item that gets the focus)
a11y_more.py products    prints the rows of the product grid, one a line
a11y_more.py press NAME  presses the visible button NAME through its action, as a screen reader
                         does: the keyboard focus stays where it is
a11y_more.py items       prints the items of the main window's menu with their states, without
                         opening it: "NAME:on" or "NAME:off", one a line
a11y_more.py press-item NAME
                         presses the menu item NAME (its caption before the shortcut) through its
                         action, without opening the menu
"""
import os
import subprocess
import sys

import pyatspi
from gi.repository import GLib

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from a11y import application, find  # noqa: E402


def main():
    app = application()
    what = sys.argv[1]
    if what == "menu":
        items = []

        def focused(event):
            if event.source.getRole() == pyatspi.ROLE_MENU_ITEM and not items:
                items.extend(child.name for child in event.source.parent if child is not None)
                pyatspi.Registry.stop()

        def press():
            subprocess.run(["xdotool", "key", sys.argv[2]], check=True)
            GLib.timeout_add(5000, pyatspi.Registry.stop)
            return False

        pyatspi.Registry.registerEventListener(focused, "object:state-changed:focused")
        GLib.timeout_add(300, press)
        pyatspi.Registry.start()
        if not items:
            sys.exit("no menu item got the focus")
        print("\n".join(items))
        return
    if what == "products":
        tables = find(app, lambda n: n.getRole() == pyatspi.ROLE_TABLE and n.queryTable().nColumns == 1
                      and n.queryTable().getColumnHeader(0) is not None
                      and n.queryTable().getColumnHeader(0).name == "Продукты")
        for cell in find(tables[0], lambda n: n.getRole() == pyatspi.ROLE_TABLE_CELL):
            print(cell.name)
        return
    if what == "press":
        buttons = find(app, lambda n: n.getRole() == pyatspi.ROLE_PUSH_BUTTON and n.name == sys.argv[2]
                       and n.getState().contains(pyatspi.STATE_SHOWING))
        if not buttons:
            sys.exit("no visible button " + sys.argv[2])
        action = buttons[0].queryAction()
        names = [action.getName(i) for i in range(action.nActions)]
        action.doAction(names.index("Press") if "Press" in names else 0)
        return
    if what in ("items", "press-item"):
        items = find(app, lambda n: n.getRole() == pyatspi.ROLE_MENU_ITEM and n.parent is not None
                     and n.parent.getRole() in (pyatspi.ROLE_MENU, pyatspi.ROLE_POPUP_MENU))
        if what == "items":
            for item in items:
                state = "on" if item.getState().contains(pyatspi.STATE_ENABLED) else "off"
                print(item.name.split("\t")[0] + ":" + state)
            return
        chosen = [item for item in items if item.name.split("\t")[0] == sys.argv[2]]
        if not chosen:
            sys.exit("no menu item " + sys.argv[2])
        action = chosen[0].queryAction()
        names = [action.getName(i) for i in range(action.nActions)]
        action.doAction(names.index("Press") if "Press" in names else 0)
        return
    sys.exit("unknown command " + what)


if __name__ == "__main__":
    main()
