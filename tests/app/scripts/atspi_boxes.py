"""Check boxes as a screen reader sees them on the accessibility bus: found
by caption in every application, waited for until they are there."""
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


def find_box(caption, showing=False):
    """The first check box of that caption (on the screen, with `showing`)."""
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        if app is None:
            continue
        for node in walk(app):
            try:
                if (node.getRole() == pyatspi.ROLE_CHECK_BOX and node.name == caption
                        and (not showing or node.getState().contains(pyatspi.STATE_SHOWING))):
                    return node
            except Exception:
                continue
    return None


def wait_for_box(caption, seconds, showing=False):
    """The box once it is there, or None when it did not come in time."""
    until = time.monotonic() + seconds
    box = find_box(caption, showing)
    while box is None and time.monotonic() < until:
        time.sleep(0.5)
        box = find_box(caption, showing)
    return box


def checked(node):
    return 1 if node.getState().contains(pyatspi.STATE_CHECKED) else 0
