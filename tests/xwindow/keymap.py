#!/usr/bin/python3
"""Gives characters the keyboard lacks keycodes of their own, once, so that typing them is a plain key press.

keymap.py TEXT   maps every character of TEXT without a keycode onto a spare keycode (the same keysym
                 in every column, so no Shift is needed), and prints the keysym name of each
                 character of TEXT, one a line, for `xdotool key`.

`xdotool type` maps a spare keycode for each such character as it types, and a client that has not
yet read the new mapping when the key comes reads another character: under load, Cyrillic text
came out garbled.
"""
import sys

from Xlib import X, XK, display


def keysym_of(char):
    code = ord(char)
    if code < 0x100:
        return code  # Latin-1 keysyms are the code points
    return 0x1000000 + code


def name_of(char):
    if char == " ":
        return "space"
    if char.isascii() and char.isalnum():
        return char
    return "U%04X" % ord(char)


def main():
    text = sys.argv[1]
    d = display.Display()
    first = d.display.info.min_keycode
    count = d.display.info.max_keycode - first + 1
    mapping = d.get_keyboard_mapping(first, count)
    known = {sym for row in mapping for sym in row if sym}
    spare = [first + i for i, row in enumerate(mapping) if not any(row)]
    width = len(mapping[0]) if mapping else 4
    changed = False
    for char in dict.fromkeys(text):
        sym = keysym_of(char)
        if sym in known or char in "\n\t":
            continue
        if not spare:
            sys.exit("no spare keycode for " + char)
        code = spare.pop()
        d.change_keyboard_mapping(code, [[sym] * width])
        known.add(sym)
        changed = True
    d.sync()
    if changed:
        import time
        time.sleep(0.3)  # let the clients read the new mapping
    for char in text:
        print(name_of(char))


if __name__ == "__main__":
    main()
