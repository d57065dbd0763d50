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

sys.dont_write_bytecode = True  # nothing written beside the sources
from atspi_boxes import checked, wait_for_box


def main():
    caption = sys.argv[1]
    limit = float(sys.argv[2]) if len(sys.argv) > 2 else 30.0
    until = time.monotonic() + limit
    box = wait_for_box(caption, limit)
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
