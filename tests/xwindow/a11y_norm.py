#!/usr/bin/python3
"""The norm's texts of the totals panel, read through the accessibility tree.

a11y_norm.py panel   prints the four texts beside the totals, what is left of the energy norm and
                     the energy split's description, one a line (nothing while no norm is shown)
"""
import os
import sys

import pyatspi

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from a11y import application, find  # noqa: E402


def showing(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


def main():
    app = application()
    if sys.argv[1] != "panel":
        sys.exit("unknown command " + sys.argv[1])
    for what in ("Белков", "Жиров", "Углеводов", "кКалорий"):
        for node in find(app, lambda n, w=what: n.description.startswith(w + ", ") and showing(n)):
            print(node.name + " (" + node.description + ")")
    for node in find(app, lambda n: n.name.startswith(("Осталось:", "Сверх нормы:")) and showing(n)):
        print(node.name)
    for node in find(app, lambda n: n.name == "Энергия" and showing(n)):
        print(node.description)


if __name__ == "__main__":
    main()
