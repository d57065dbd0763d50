#!/usr/bin/env python3
"""Finds a check box by its caption through the accessibility bus, as a
screen reader does, and toggles it with its "Toggle" action.

Usage: atspi_toggle.py CAPTION [SECONDS]
Prints "before=<0|1> after=<0|1>" (the box's checked state as the bus
reports it) and exits 0; exits 1 when no application shows such a box in
time, 2 when the box has no Toggle action or its state did not change.
"""
import sys
import time

import pyatspi


def walk(node, depth=0):
    if node is None or depth > 40:
        return
    yield node
    for index in range(node.childCount):
        try:
            child = node.getChildAtIndex(index)
        except Exception:
            continue
        yield from walk(child, depth + 1)


def find_box(caption):
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        if app is None:
            continue
        for node in walk(app):
            try:
                if node.getRole() == pyatspi.ROLE_CHECK_BOX and node.name == caption:
                    return node
            except Exception:
                continue
    return None


def checked(node):
    return 1 if node.getState().contains(pyatspi.STATE_CHECKED) else 0


def main():
    caption = sys.argv[1]
    limit = float(sys.argv[2]) if len(sys.argv) > 2 else 30.0
    until = time.monotonic() + limit
    box = find_box(caption)
    while box is None and time.monotonic() < until:
        time.sleep(0.5)
        box = find_box(caption)
    if box is None:
        print("no check box named %r" % caption)
        return 1
    before = checked(box)
    action = box.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    if "Toggle" not in names:
        print("actions: %s" % names)
        return 2
    action.doAction(names.index("Toggle"))
    after = before
    while after == before and time.monotonic() < until:
        time.sleep(0.2)
        after = checked(box)
    print("before=%d after=%d" % (before, after))
    return 0 if after != before else 2


if __name__ == "__main__":
    sys.exit(main())
