#!/usr/bin/python3
"""Asks the window manager for a window state, as its title-bar buttons or keys would.

wmstate.py WINDOW maximise|fullscreen   sends _NET_WM_STATE "add" for the state
wmstate.py WINDOW actions               prints the window's _NET_WM_ALLOWED_ACTIONS, one a line
wmstate.py WINDOW motif                 prints what the window asks of the frame in _MOTIF_WM_HINTS:
                                        "functions decorations" (bit masks; 1 is "all"), or
                                        "none" when it asks nothing
"""
import sys

from Xlib import X, display
from Xlib.protocol import event


def main():
    d = display.Display()
    window = d.create_resource_object("window", int(sys.argv[1], 0))
    root = d.screen().root
    what = sys.argv[2]
    if what == "actions":
        prop = window.get_full_property(d.intern_atom("_NET_WM_ALLOWED_ACTIONS"), X.AnyPropertyType)
        for atom in prop.value if prop else []:
            print(d.get_atom_name(atom))
        return
    if what == "motif":
        prop = window.get_full_property(d.intern_atom("_MOTIF_WM_HINTS"), X.AnyPropertyType)
        if not prop or len(prop.value) < 3:
            print("none")
            return
        flags, functions, decorations = prop.value[:3]
        print(functions if flags & 1 else 1, decorations if flags & 2 else 1)
        return
    names = {"maximise": ["_NET_WM_STATE_MAXIMIZED_VERT", "_NET_WM_STATE_MAXIMIZED_HORZ"],
             "fullscreen": ["_NET_WM_STATE_FULLSCREEN", None]}[what]
    atoms = [d.intern_atom(n) if n else 0 for n in names]
    message = event.ClientMessage(window=window, client_type=d.intern_atom("_NET_WM_STATE"),
                                  data=(32, [1, atoms[0], atoms[1], 1, 0]))
    root.send_event(message, event_mask=X.SubstructureRedirectMask | X.SubstructureNotifyMask)
    d.flush()


if __name__ == "__main__":
    main()
