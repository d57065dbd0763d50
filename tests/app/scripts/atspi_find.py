#!/usr/bin/env python3
"""Finds a check box by its caption through the accessibility bus, as a
screen reader does, and tells whether it is on the screen and where.

Usage: atspi_find.py CAPTION [SECONDS]
Waits up to SECONDS for the box to show and prints "showing X Y" (the
centre of the box on the screen, in pixels) and exits 0; prints "hidden"
and exits 1 when there is no such box on the screen in time.
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


def showing_box(caption):
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        if app is None:
            continue
        for node in walk(app):
            try:
                if (node.getRole() == pyatspi.ROLE_CHECK_BOX and node.name == caption
                        and node.getState().contains(pyatspi.STATE_SHOWING)):
                    return node
            except Exception:
                continue
    return None


def main():
    caption = sys.argv[1]
    limit = float(sys.argv[2]) if len(sys.argv) > 2 else 10.0
    until = time.monotonic() + limit
    box = showing_box(caption)
    while box is None and time.monotonic() < until:
        time.sleep(0.5)
        box = showing_box(caption)
    if box is None:
        print("hidden")
        return 1
    extents = box.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    print("showing %d %d" % (extents.x + extents.width // 2, extents.y + extents.height // 2))
    return 0


if __name__ == "__main__":
    sys.exit(main())
