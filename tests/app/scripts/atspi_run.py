#!/usr/bin/env python3
"""Drives tsyT through the accessibility bus alone, as a screen reader or
voice control does, and reports what the bus told.

Usage: atspi_run.py ROW SECONDS
  - lists the radio buttons;
  - acts on the built-in plug-in row ROW with its "Toggle" action;
  - ticks "Temp Folder" and "Delete Custom Files", sets the custom folder
    field (showing "C:\\") to "C:\\Bulk" and the pattern field (showing
    "*.tmp") to "*.xyz" through the editable text interface, and runs the
    hard-disk page;
  - ticks three more items of the Windows page around the Temp folder and
    runs that page, following the run through the bars' value changes and
    the log's text changes until its last line and those events came.
Prints key=value lines; exits 0 when every step was done, 1 otherwise
(the line "failed=..." says which).
"""
import re
import sys
import time

import pyatspi
from gi.repository import GLib

sys.dont_write_bytecode = True  # nothing written beside the sources
from atspi_boxes import walk


def program():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "tsyT":
            return app
    return None


def nodes(role=None):
    app = program()
    found = []
    for node in walk(app) if app else []:
        try:
            if role is None or node.getRole() == role:
                found.append(node)
        except Exception:
            continue
    return found


def named(role, name):
    for node in nodes(role):
        if node.name == name:
            return node
    return None


def text_of(node):
    text = node.queryText()
    return text.getText(0, text.characterCount)


def field_showing(text):
    for node in nodes(pyatspi.ROLE_TEXT):
        try:
            if text_of(node) == text:
                return node
        except Exception:
            continue
    return None


def has(node, state):
    return node.getState().contains(state)


def wait_for(condition, seconds):
    until = time.monotonic() + seconds
    while time.monotonic() < until:
        try:
            value = condition()
        except Exception:
            value = None
        if value:
            return value
        time.sleep(0.25)
    return None


def act(node, name):
    action = node.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    action.doAction(names.index(name))


class Failed(Exception):
    pass


def need(value, what):
    if not value:
        raise Failed(what)
    return value


def tick(caption, limit):
    box = need(wait_for(lambda: named(pyatspi.ROLE_CHECK_BOX, caption), limit), "box " + caption)
    if not has(box, pyatspi.STATE_CHECKED):
        act(box, "Toggle")
    need(wait_for(lambda: has(box, pyatspi.STATE_CHECKED), limit), "tick " + caption)


def press(caption, limit):
    act(need(wait_for(lambda: named(pyatspi.ROLE_PUSH_BUTTON, caption), limit), "button " + caption), "Press")


def set_field(shown, wanted, limit):
    field = need(wait_for(lambda: field_showing(shown), limit), "field " + shown)
    need(wait_for(lambda: has(field, pyatspi.STATE_ENABLED), limit), "enabled " + shown)
    field.queryEditableText().setTextContents(wanted)
    # What the field shows once the program has taken it (or put back).
    need(wait_for(lambda: text_of(field) == wanted, limit), "kept " + wanted)


def answer_boxes():
    """A box the run asks is answered as a careful user would: No where
    offered, else OK."""
    app = program()
    for index in range(app.childCount):
        window = app.getChildAtIndex(index)
        if window is None or window.getRole() not in (pyatspi.ROLE_DIALOG, pyatspi.ROLE_ALERT):
            continue
        buttons = {node.name: node for node in walk(window) if node.getRole() == pyatspi.ROLE_PUSH_BUTTON}
        for answer in ("No", "OK", "&No", "&OK"):
            if answer in buttons:
                act(buttons[answer], "Press")
                print("answered=%s" % answer)
                return


def between(values):
    return any(0 < value < 100 for value in values)


def follow_run(limit):
    """Starts the run and follows it as a screen reader does, by the
    events the bus brings; the bars are also read at times. Once the run
    has ended the loop goes on until the events a reader needs have come
    (they may still be on their way) or the limit is reached."""
    bars = nodes(pyatspi.ROLE_PROGRESS_BAR)
    log = longest_text()
    seen = {"values": set(), "inserts": 0, "polled": set()}

    def on_event(event):
        try:
            role = event.source.getRole()
            if event.type.startswith("object:property-change:accessible-value") and role == pyatspi.ROLE_PROGRESS_BAR:
                seen["values"].add(round(event.source.queryValue().currentValue))
            elif event.type.startswith("object:text-changed:insert") and role == pyatspi.ROLE_TEXT:
                seen["inserts"] += 1
        except Exception:
            pass

    until = time.monotonic() + limit
    state = {"finished": False}

    def told_enough():
        return between(seen["values"]) and seen["inserts"] > 0

    def poll():
        for bar in bars:
            try:
                seen["polled"].add(round(bar.queryValue().currentValue))
            except Exception:
                pass
        if not state["finished"]:
            state["finished"] = run_ended(log, 1000)
        if (state["finished"] and told_enough()) or time.monotonic() > until:
            pyatspi.Registry.stop()
            return False
        return True

    def start():
        press("START", 30)
        return False

    pyatspi.Registry.registerEventListener(
        on_event, "object:property-change:accessible-value", "object:text-changed:insert")
    GLib.timeout_add(100, start)
    GLib.timeout_add(500, poll)
    pyatspi.Registry.start()
    print("finished=%d" % state["finished"])
    print("bar_values=%s" % ",".join(str(v) for v in sorted(seen["values"])))
    print("polled_values=%s" % ",".join(str(v) for v in sorted(seen["polled"])))
    print("log_inserts=%d" % seen["inserts"])
    # Files are logged by their short names: most of the longer ones by
    # aliases that keep nothing of "bulk", so count the deleted .tmp files.
    print("log_bulk_lines=%d" % len(re.findall(r"deleting file [^\r\n]*\.tmp", text_of(log).lower())))
    need(state["finished"], "run end")


def longest_text():
    return max(nodes(pyatspi.ROLE_TEXT), key=lambda node: node.queryText().characterCount)


def log_tail(log):
    text = log.queryText()
    return text.characterCount, text.getText(max(0, text.characterCount - 200), text.characterCount)


def run_ended(log, longer_than):
    answer_boxes()
    count, tail = log_tail(log)
    return count > longer_than and "All Restored Size" in tail


def main():
    row = sys.argv[1]
    limit = float(sys.argv[2])
    try:
        need(wait_for(program, limit), "program")
        radios = need(wait_for(lambda: nodes(pyatspi.ROLE_RADIO_BUTTON), limit), "radio buttons")
        print("radio=%s" % "|".join(sorted(node.name for node in radios)))
        press("Plug-ins", limit)
        item = need(wait_for(lambda: named(pyatspi.ROLE_LIST_ITEM, row), limit), "row " + row)
        before = has(item, pyatspi.STATE_CHECKED)
        act(item, "Toggle")
        need(wait_for(lambda: has(item, pyatspi.STATE_CHECKED) != before, limit), "row tick")
        print("row_checked=%d" % has(item, pyatspi.STATE_CHECKED))
        # The hard-disk page's run, over the custom folder and pattern.
        press("System", limit)
        tick("Temp Folder", limit)
        press("Hard Disk", limit)
        tick("Delete Custom Files", limit)
        set_field("C:\\", "C:\\Bulk", limit)
        set_field("*.tmp", "*.xyz", limit)
        press("START", limit)
        need(wait_for(lambda: run_ended(longest_text(), 0), limit * 10), "custom run end")
        # The Windows page's run, over the full Temp folder, followed.
        press("System", limit)
        need(wait_for(lambda: named(pyatspi.ROLE_CHECK_BOX, "Temp Folder"), limit), "Windows page")
        # Items before and after the Temp folder: the bars stand between 0
        # and 100 while its files go.
        for caption in ("Memeory Dump File", "ClipBoard Data", "Run History"):
            tick(caption, limit)
        follow_run(limit * 20)
    except Failed as failure:
        print("failed=%s" % failure)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
