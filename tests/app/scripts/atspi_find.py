#!/usr/bin/env python3
"""Finds a check box by its caption through the accessibility bus, as a
screen reader does, and tells whether it is on the screen, where, and
whether it is checked.

Usage: atspi_find.py CAPTION [SECONDS]
Waits up to SECONDS for the box to show and prints "showing X Y checked=N"
(the centre of the box on the screen, in pixels; N 0 or 1) and exits 0;
prints "hidden" and exits 1 when there is no such box on the screen in time.
"""
import sys

import pyatspi

sys.dont_write_bytecode = True  # nothing written beside the sources
from atspi_boxes import checked, wait_for_box


def main():
    caption = sys.argv[1]
    limit = float(sys.argv[2]) if len(sys.argv) > 2 else 10.0
    box = wait_for_box(caption, limit, showing=True)
    if box is None:
        print("hidden")
        return 1
    extents = box.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    print("showing %d %d checked=%d" % (extents.x + extents.width // 2, extents.y + extents.height // 2, checked(box)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
