#!/usr/bin/python3
"""A screen reader's view of the real program on a private X server and D-Bus session.

Reads every readout of the picker from the accessibility bus with the pointer over three known
colors, and checks that each change also arrived as an event; then switches sampling off, reads
the "#:" box's "Copy as" submenu, presses the mixer button and sets a slider through the bus, and
sees the button's new caption and the mixed color on the next read.

Usage (a session bus of its own, on a private X server):
    with-xvfb dbus-run-session -- app_accessibility.py PATH_TO_TINTWELL

Only the pyatspi accessors are used: the Qt 6.4 bridge crashes on the D-Bus Properties.GetAll
method.
"""

import itertools
import os
import subprocess
import sys
import tempfile
import time

import pyatspi

import atspi_support
from atspi_support import BLUE, GREEN, MOUSE, RED, has_name_owner

# More readouts by tooltip. The saturation readout's tooltip says "Luminance", the brightness
# readout's "Saturation".
HUE, SAT, BRIGHT = " Hue value ", " Luminance value ", " Saturation value "
GREY = (" Greyscale value of RED ", " Greyscale value of GREEN ", " Greyscale value of BLUE ")
CMYK = (" Cyan value ", " Magenta value ", " Yellow value ", " Black value ")

# The root window's color and what the readouts show for it, with the pointer at (30, 30).
CASES = [
    ("#FF8000", "255", "128", "0", "30°", "100", "100", "147", ("0 %", "50 %", "100 %", "0 %")),
    ("#0000FF", "0", "0", "255", "240°", "100", "100", "18", ("100 %", "100 %", "0 %", "0 %")),
    ("#808080", "128", "128", "128", "0°", "0", "50", "128", ("0 %", "0 %", "0 %", "50 %")),
]

work = tempfile.mkdtemp()
started = []  # processes to end, last first


def fail(message):
    print("FAIL: " + message)
    log = os.path.join(work, "app.log")
    if os.path.exists(log):
        print(open(log, encoding="utf-8", errors="replace").read())
    raise SystemExit(1)


def run(*args):
    subprocess.run(args, check=True)


def text_of(node):
    try:
        return node.queryText().getText(0, -1)
    except NotImplementedError:
        return None


def states(node):
    return node.getState()


def wait_for(what, probe, until=bool, timeout=10.0):
    return atspi_support.wait_for(what, probe, fail, until, timeout)


def picker_frame():
    return next(iter(atspi_support.picker_frames()), None)


def children(node):
    return [node.getChildAtIndex(i) for i in range(node.childCount)]


def main():
    app_path = sys.argv[1]
    # The accessibility bus of this session; its registry starts when the program registers.
    launcher = subprocess.Popen(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"],
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    started.append(launcher)
    wait_for("the accessibility bus", lambda: has_name_owner("org.a11y.Bus"))

    run("xsetroot", "-solid", "#000000")
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    with open(os.path.join(work, "app.log"), "w") as log:
        program = subprocess.Popen([app_path], env=env, stdout=log, stderr=subprocess.STDOUT)
    started.append(program)

    frame = wait_for("the picker on the bus", picker_frame)
    nodes = children(frame)
    by_tooltip = {n.description: n for n in nodes if n.getRoleName() == "label" and n.description}
    by_role_name = {(n.getRoleName(), n.name): n for n in nodes}

    # The hue readout is labelled by its caption "H:".
    captions = [r.getTarget(i).name for r in by_tooltip[HUE].getRelationSet()
                if r.getRelationType() == pyatspi.RELATION_LABELLED_BY
                for i in range(r.getNTargets())]
    if captions != ["H:"]:
        fail("the hue readout is labelled by %r, expected ['H:']" % captions)

    # The readouts' changes as their events report them: (tooltip, event type, name). Once the
    # pointer's moves arrive as events, the program sends them to this listener.
    changes = []
    pyatspi.Registry.registerEventListener(
        lambda e: changes.append((e.source.description, e.type, e.source.name)),
        "object:property-change:accessible-name", "object:text-changed:insert")
    steps = itertools.count()

    def jiggle():
        run("xdotool", "mousemove", str(30 + next(steps) % 2), "30")
        time.sleep(0.15)
        return any(tip == MOUSE for tip, _, _ in changes)
    wait_for("the pointer's moves as events", jiggle)
    run("xdotool", "mousemove", "30", "30")

    for root, r, g, b, hue_text, sat, bright, grey, cmyk in CASES:
        run("xsetroot", "-solid", root)
        hex_digits = "%02X%02X%02X" % (int(r), int(g), int(b))
        grey_hex = "#%02X%02X%02X" % ((int(grey),) * 3)
        expected = {
            ("label", MOUSE): "X: 30  Y: 30",
            ("label", RED): r, ("label", GREEN): g, ("label", BLUE): b,
            ("label", HUE): hue_text, ("label", SAT): sat, ("label", BRIGHT): bright,
            **{("label", tip): grey for tip in GREY},
            **{("label", tip): value for tip, value in zip(CMYK, cmyk)},
            ("text", "#:"): hex_digits,
            ("text", "VB Long"): "&H%s%s%s&" % (hex_digits[4:], hex_digits[2:4], hex_digits[:2]),
            ("image", "Color"): "#" + hex_digits,
            ("image", "Greyscale"): grey_hex,
        }

        def differences():
            shown = {}
            for (role, key) in expected:
                if role == "label":
                    node = by_tooltip[key]
                    # A label's name and text are both its caption.
                    shown[(role, key)] = (node.name, text_of(node))
                else:
                    shown[(role, key)] = text_of(by_role_name[(role, key)])
            return {k: v for k, v in shown.items()
                    if v != expected[k] and v != (expected[k], expected[k])}

        wait_for("the readouts of " + root, differences, until=lambda diff: diff == {})
        wait_for("the events of the hue readout for " + root,
                 lambda: {(HUE, "object:property-change:accessible-name", hue_text),
                          (HUE, "object:text-changed:insert", hue_text)} <= set(changes))
        print("read %s: %s %s %s, %s, grey %s, %s" % (root, r, g, b, hue_text, grey, cmyk))

    # The mixer button: a push button named by its caption, unavailable while sampling.
    button = by_role_name.get(("push button", "ColorMixer »»»"))
    if button is None:
        fail("no push button 'ColorMixer »»»' among %r" % sorted(by_role_name))
    if states(button).contains(pyatspi.STATE_SENSITIVE):
        fail("the mixer button is usable while sampling")
    switch = by_role_name[("check box", "Switch On / Off")]
    do_action(switch, "toggle")
    wait_for("the mixer button to become usable",
             lambda: states(button).contains(pyatspi.STATE_SENSITIVE))

    # Frozen on grey, the "#:" box's edit menu: its "Copy as" submenu lists the color in every
    # notation. A popup menu is no child of the application: a screen reader meets its items as
    # they take the focus.
    focused = []
    pyatspi.Registry.registerEventListener(lambda e: focused.append(e.source),
                                           "object:state-changed:focused")
    box = by_role_name[("text", "#:")].queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    run("xdotool", "mousemove", str(box.x + 5), str(box.y + 5), "click", "3")
    time.sleep(0.5)
    run("xdotool", "key", "Up", "Right")
    item = wait_for("an item of Copy as focused", lambda: next(
        (n for n in focused if n.parent is not None and n.parent.name == "Copy as"), None))
    items = [c.name for c in children(item.parent)]
    if len(items) != 15 or items[:2] != ["808080", "#808080"] or "rgb(128 128 128)" not in items:
        fail("Copy as lists %r" % items)
    run("xdotool", "key", "Escape", "Escape")
    print("the #: box's Copy as submenu lists %s ... %s" % (items[0], items[-1]))
    do_action(button, "press")
    wait_for("the button's new caption", lambda: button.name == "««« ColorMixer")

    # The panel: the red slider holds the frozen color's red; setting it mixes a new color.
    slider = wait_for("the red slider", lambda: next(
        (n for n in children(frame) if n.getRoleName() == "slider" and n.name == "R"
         and states(n).contains(pyatspi.STATE_SHOWING)), None))
    value = slider.queryValue()
    if (value.minimumValue, value.maximumValue, value.currentValue) != (0, 255, 128):
        fail("the red slider reads %r" % ((value.minimumValue, value.maximumValue,
                                           value.currentValue),))
    value.currentValue = 0
    html = wait_for("the HTML color box", lambda: find(frame, "text", "HTML Color"))
    wait_for("the mixed color", lambda: text_of(html) == "#008080")
    do_action(button, "press")
    wait_for("the button's caption back", lambda: button.name == "ColorMixer »»»")
    if program.poll() is not None:
        fail("the program ended")
    print("app accessibility: three colors read with their events, the mixer opened and mixed "
          "#008080 through the bus, closed again")


def find(node, role, name):
    for child in children(node):
        if child.getRoleName() == role and child.name == name:
            return child
        found = find(child, role, name)
        if found is not None:
            return found
    return None


def do_action(node, name):
    action = node.queryAction()
    for i in range(action.nActions):
        if action.getName(i).lower() == name:
            action.doAction(i)
            return
    fail("%s %r has no %s action" % (node.getRoleName(), node.name, name))


if __name__ == "__main__":
    atspi_support.run(main, started, work)
