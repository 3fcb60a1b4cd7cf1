#!/usr/bin/python3
"""The calendar as a screen reader meets it over AT-SPI.

Run inside `dbus-run-session`, with DISPLAY set: starts the accessibility bus and the
calendar (its date pinned with libfaketime), walks the calendar's tree, then uses the
window, step by step, and listens for the focus that follows each step. Prints one line for
each object a reader would meet (showing, with a name): `role|name|states`; then, for each
step, `step|STEP` and `focus|name` for each object that takes the focus after it.

Usage: atspi_walk.py PROGRAM "YYYY-MM-DD hh:mm:ss" STEP...
A step is `key:NAME` (an xdotool key name) or `click:X,Y` (a left click at a client pixel).
"""
import os
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

FAKETIME_LIBRARY = "/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1"


def start(program, faketime):
    subprocess.Popen(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"])
    env = dict(os.environ, QT_ACCESSIBILITY="1", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
               QT_QPA_PLATFORM="xcb", LANG="it_IT.UTF-8", LC_ALL="", LC_TIME="",
               LD_PRELOAD=FAKETIME_LIBRARY, FAKETIME="@" + faketime)
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

    def on_focus(event):
        if event.detail1 and event.source is not None:
            heard.append(f"focus|{event.source.name}")

    def window():
        found = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(pid)],
                               capture_output=True, text=True).stdout.split()
        return found[0] if found else None

    def act(step):
        heard.append(f"step|{step}")
        kind, _, what = step.partition(":")
        w = window()
        if w and kind == "key":
            subprocess.run(["xdotool", "windowfocus", "--sync", w, "key", what])
        elif w and kind == "click":
            x, y = what.split(",")
            subprocess.run(["xdotool", "windowfocus", "--sync", w, "mousemove", "--window", w,
                            x, y, "click", "1"])
        return False

    pyatspi.Registry.registerEventListener(on_focus, "object:state-changed:focused")
    # As a screen reader does: a name that changes is read afresh, not from a cache.
    pyatspi.Registry.registerEventListener(lambda event: None, "object:property-change:accessible-name")
    for i, step in enumerate(steps):
        GLib.timeout_add(300 + 700 * i, act, step)
    GLib.timeout_add(300 + 700 * len(steps) + 1500, lambda: pyatspi.Registry.stop() or False)
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
