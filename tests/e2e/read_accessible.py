#!/usr/bin/python3
"""Prints a window of the program as a screen reader finds it on the accessibility bus.

A first line with the window's role and name, then one line per control, in the window's order:
its role, its name in quotes, its description after a dash where it has one, the states that
matter to a user (disabled, focused, multiselectable) and the key that presses it in brackets;
a list's items follow it, indented, with their selection. The window's own states are left out:
what matters is which of its controls holds the focus, if any.
With --listen SECONDS it instead prints, for that long, every change of a name that the
program announces, after a first line "listening" once it hears.
Usage: read_accessible.py PROGRAM_NAME WINDOW_TITLE
       read_accessible.py --listen SECONDS
"""
import sys

import pyatspi
from gi.repository import GLib


def states_of(accessible, wanted):
    states = accessible.getState()
    shown = []
    if not states.contains(pyatspi.STATE_SENSITIVE):
        shown.append("disabled")
    for state, word in wanted:
        if states.contains(state):
            shown.append(word)
    return "".join(" " + word for word in shown)


def key_of(accessible):
    try:
        action = accessible.queryAction()
    except NotImplementedError:
        return ""
    keys = [action.getKeyBinding(i) for i in range(action.nActions)]
    keys = [key for key in keys if key]
    return " [%s]" % keys[0] if keys else ""


def describe(accessible):
    line = '%s "%s"' % (accessible.getRoleName(), accessible.name)
    if accessible.description:
        line += ' - "%s"' % accessible.description
    wanted = [(pyatspi.STATE_FOCUSED, "focused"), (pyatspi.STATE_MULTISELECTABLE, "multiselectable")]
    return line + states_of(accessible, wanted) + key_of(accessible)


def listen(seconds):
    def name_changed(event):
        try:
            print('%s now "%s"' % (event.source.getRoleName(), event.source.name), flush=True)
        except GLib.Error:
            pass  # a box already gone again

    pyatspi.Registry.registerEventListener(name_changed, "object:property-change:accessible-name")
    GLib.timeout_add(int(seconds * 1000), pyatspi.Registry.stop)
    print("listening", flush=True)
    pyatspi.Registry.start()
    return 0


def main():
    if sys.argv[1] == "--listen":
        return listen(float(sys.argv[2]))
    program, title = sys.argv[1], sys.argv[2]
    desktop = pyatspi.Registry.getDesktop(0)
    apps = [app for app in desktop if app is not None and app.name == program]
    windows = [w for app in apps for w in app if w is not None and w.name == title]
    if len(windows) != 1:
        print("found %d windows titled %r of %r" % (len(windows), title, program))
        return 1
    print('%s "%s"' % (windows[0].getRoleName(), windows[0].name))
    for control in windows[0]:
        print(describe(control))
        if control.getRole() == pyatspi.ROLE_LIST:
            for item in control:
                # An item's own focus only marks the list's current item: not shown.
                print('  %s "%s"%s' % (item.getRoleName(), item.name,
                                       states_of(item, [(pyatspi.STATE_SELECTED, "selected")])))
    return 0


if __name__ == "__main__":
    sys.exit(main())
