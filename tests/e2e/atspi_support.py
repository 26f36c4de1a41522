"""What the accessibility-bus end-to-end tests share: the readouts' tooltips, waiting on the bus,
and finding the picker's window there."""

import shutil
import subprocess
import time

import pyatspi
from gi.repository import GLib

# The readouts by tooltip (a readout's name is its own text).
RED, GREEN, BLUE = " Decimal value of RED ", " Decimal value of GREEN ", " Decimal value of BLUE "
MOUSE = " Mouse Coordinates in pixels "


def wait_for(what, probe, fail, until=bool, timeout=10.0):
    """Polls `probe` (letting the bus's events in) until `until` holds for what it returns; calls
    `fail` with a message after `timeout` seconds."""
    deadline = time.monotonic() + timeout
    last = None
    context = GLib.MainContext.default()
    while True:
        while context.pending():
            context.iteration(False)
        try:
            last = probe()
            if until(last):
                return last
        except Exception as error:  # a node read while the window changes
            last = error
        if time.monotonic() > deadline:
            fail("timed out waiting for %s (last: %r)" % (what, last))
        time.sleep(0.05)


def has_name_owner(name):
    reply = subprocess.run(
        ["dbus-send", "--session", "--print-reply", "--dest=org.freedesktop.DBus",
         "/org/freedesktop/DBus", "org.freedesktop.DBus.NameHasOwner", "string:" + name],
        capture_output=True, text=True)
    return "boolean true" in reply.stdout


def picker_frames():
    """Every picker window on the bus (one per running program)."""
    desktop = pyatspi.Registry.getDesktop(0)
    frames = []
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is None or app.name != "Tintwell":
            continue
        for j in range(app.childCount):
            frame = app.getChildAtIndex(j)
            if frame.getRoleName() == "frame" and frame.name == "Tintwell" and frame.childCount:
                frames.append(frame)
    return frames


def run(main, started, work):
    """Runs `main`, then ends the processes it `started` (last first) and removes `work`."""
    try:
        main()
    finally:
        for process in reversed(started):
            process.terminate()
            try:
                process.wait(timeout=5)
            except subprocess.TimeoutExpired:
                process.kill()
        shutil.rmtree(work, ignore_errors=True)
