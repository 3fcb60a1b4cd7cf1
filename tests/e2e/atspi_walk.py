#!/usr/bin/python3
"""The calendar as a screen reader meets it over AT-SPI.

Run inside `dbus-run-session`, with DISPLAY set: starts the accessibility bus and the
calendar (its date pinned with libfaketime), walks the calendar's tree, then uses the
window, step by step, and listens for the focus that follows each step: once the window has
the keyboard, each step waits for a day other than the one focused before it to take the
focus (or, if none does, for STEP_TIMEOUT_MS). Prints one line for each object a reader would
meet (showing, with a name): `role|name|states`; then, for each step, `step|STEP` and
`focus|name` for each object that takes the focus after it.

Usage: atspi_walk.py PROGRAM "YYYY-MM-DD hh:mm:ss" STEP...
A step is `key:NAME` (an xdotool key name) or `click:X,Y` (a left click at a client pixel).
"""
import glob
import os
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

# How long a step may take to move the focus, on a busy machine.
STEP_TIMEOUT_MS = 10000


def faketime_library():
    """libfaketime, in the architecture's folder of /usr/lib (Debian) or in /usr/lib."""
    found = glob.glob("/usr/lib/*/faketime/libfaketime.so.1")
    found += glob.glob("/usr/lib/faketime/libfaketime.so.1")
    return found[0] if found else ""


def start(program, faketime):
    subprocess.Popen(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"])
    env = dict(os.environ, QT_ACCESSIBILITY="1", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
               QT_QPA_PLATFORM="xcb", LANG="it_IT.UTF-8", LC_ALL="", LC_TIME="",
               LD_PRELOAD=faketime_library(), FAKETIME="@" + faketime)
    env.pop("NO_AT_BRIDGE", None)
    return subprocess.Popen([program], env=env)


def find_app(deadline):
    while time.monotonic() < deadline:
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == "calendario" and app.childCount > 0:
                return app
        time.sleep(0.1)
    return None


def walk(node, out):
    states = node.getState()
    if states.contains(pyatspi.STATE_SHOWING) and node.name:
        names = sorted(pyatspi.stateToString(s) for s in states.getStates())
        out.append(f"{node.getRoleName()}|{node.name}|{','.join(names)}")
    for child in node:
        if child is not None:
            walk(child, out)


def focus_after(pid, steps):
    heard = []
    todo = [None] + list(steps)  # None: the window takes the keyboard, unreported
    state = {"before": None, "last": None, "timer": 0}

    def window():
        found = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(pid)],
                               capture_output=True, text=True).stdout.split()
        return found[0] if found else None

    def act(step):
        w = window()
        if step is None:
            if w:
                subprocess.run(["xdotool", "windowfocus", "--sync", w])
            return
        heard.append(f"step|{step}")
        kind, _, what = step.partition(":")
        if w and kind == "key":
            subprocess.run(["xdotool", "windowfocus", "--sync", w, "key", what])
        elif w and kind == "click":
            x, y = what.split(",")
            subprocess.run(["xdotool", "windowfocus", "--sync", w, "mousemove", "--window", w,
                            x, y, "click", "1"])

    def next_step():
        if state["timer"]:
            GLib.source_remove(state["timer"])
            state["timer"] = 0
        if not todo:
            pyatspi.Registry.stop()
            return False
        state["before"] = state["last"]
        act(todo.pop(0))
        state["timer"] = GLib.timeout_add(STEP_TIMEOUT_MS, gave_up)
        return False

    def gave_up():
        state["timer"] = 0
        return next_step()

    def on_focus(event):
        if not event.detail1 or event.source is None:
            return
        name = event.source.name
        heard.append(f"focus|{name}")
        if event.source.getRole() != pyatspi.ROLE_TABLE_CELL:
            return
        state["last"] = name
        if state["timer"] and name != state["before"]:
            GLib.source_remove(state["timer"])
            state["timer"] = 0
            GLib.idle_add(next_step)

    pyatspi.Registry.registerEventListener(on_focus, "object:state-changed:focused")
    # As a screen reader does: a name that changes is read afresh, not from a cache.
    pyatspi.Registry.registerEventListener(lambda event: None, "object:property-change:accessible-name")
    GLib.idle_add(next_step)
    pyatspi.Registry.start()
    return heard


def main():
    program, faketime, steps = sys.argv[1], sys.argv[2], sys.argv[3:]
    calendar = start(program, faketime)
    try:
        app = find_app(time.monotonic() + 30)
        if app is None:
            print("no calendario on the accessibility bus", file=sys.stderr)
            return 1
        lines = []
        walk(app, lines)
        lines += focus_after(calendar.pid, steps)
        print("\n".join(lines), flush=True)
        return 0
    finally:
        calendar.kill()


if __name__ == "__main__":
    sys.exit(main())
