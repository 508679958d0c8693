#!/usr/bin/python3
"""Where the running program's texts are on the screen, read through the accessibility tree.

a11y_rects.py ROLE NAME...   prints "x y width height" of the first showing object of ROLE
                             (label, menu, static, any) named NAME, one line per NAME
a11y_rects.py size TITLE     prints "width height" of the program's window titled TITLE
a11y_rects.py window TITLE   prints "x y width height" of that window (under Wayland, where the
                             program is not told its windows' places, not where the screen shows it)
a11y_rects.py roles          prints every showing object's role and name (to look around)
"""
import os
import sys

import pyatspi

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from a11y import application, walk  # noqa: E402

ROLES = {
    "label": {pyatspi.ROLE_LABEL},
    "menu": {pyatspi.ROLE_MENU, pyatspi.ROLE_MENU_ITEM},
    "static": {pyatspi.ROLE_STATIC, pyatspi.ROLE_LABEL},
}


def showing(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


def main():
    app = application()
    if sys.argv[1] == "roles":
        for node in walk(app):
            if showing(node):
                try:
                    box = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
                except NotImplementedError:
                    continue
                print(node.getRoleName(), repr(node.name), box.x, box.y, box.width, box.height)
        return
    if sys.argv[1] in ("size", "window"):
        for window in app:
            if window is not None and window.name == sys.argv[2]:
                box = window.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
                print(*((box.width, box.height) if sys.argv[1] == "size" else (box.x, box.y, box.width, box.height)))
                return
        sys.exit("no window titled " + sys.argv[2])
    roles = ROLES.get(sys.argv[1])
    for name in sys.argv[2:]:
        for node in walk(app):
            if node.name == name and (roles is None or node.getRole() in roles) and showing(node):
                box = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
                if box.width > 0 and box.height > 0:
                    print(box.x, box.y, box.width, box.height)
                    break
        else:
            sys.exit("no showing %s named %s" % (sys.argv[1], name))


if __name__ == "__main__":
    main()
