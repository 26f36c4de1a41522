#!/usr/bin/python3
"""The program on a Wayland desktop, end to end: it reads the screen through the ScreenCast
portal and a PipeWire stream.

On a headless sway with a four-color chart as its background, reads the readouts from the
accessibility bus with the pointer on each color; checks that the portal's restore token was kept
(private to the user) and offered on the next start, that a corrupt token file makes the portal
ask again instead of failing, and that when the portal misbehaves (answers of unexpected types,
an error message of markup, refusals with a token kept), the user declines, the stream ends or
there is no portal the window says so in one line, the readouts show white and the program runs
on, asking at most twice; that the command line's --at reads the shared output and --pick asks
the desktop's color picker (a cancel, and an answer of the wrong types, end it quietly); that the
arrow keys move the desktop's pointer by one physical pixel (Shift: ten), watched on the
desktop's picture; and that on an output at scale 2 every physical pixel of the stream reads as
itself, at its own position, and the arrow keys still step one physical pixel.

The desktop's own portal (xdg-desktop-portal with its wlroots backend) shares the screen only
where the compositor renders on a GPU: xdg-desktop-portal-wlr 0.7 refuses a software-rendered
output. Without a render node the test says so and puts a stand-in portal on the bus
(stand_in_portal.py) that shares a PipeWire stream of the desktop's picture (taken with grim),
so the program's portal conversation and stream are still tested for real.

Usage (inside the private desktop):
    with-sway app_wayland.py PATH_TO_TINTWELL PATH_TO_TINTWELL_TEST_SCREEN_STREAM
"""

import glob
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

import pyatspi

import atspi_support
from atspi_support import BLUE, GREEN, MOUSE, RED, has_name_owner, picker_frames


# The chart's quadrants on the 1280 x 720 output, and a point in each, clear of the window that
# the desktop centres.
CHART = [("#FF8000", (100, 100)), ("#0000FF", (1180, 100)), ("#808080", (100, 620)),
         ("#00FFFF", (1180, 620))]

HERE = os.path.dirname(os.path.abspath(__file__))
work = tempfile.mkdtemp()
started = []  # processes to end, last first
log = os.environ["STACK_LOG"]
token_file = os.path.join(os.environ["XDG_CONFIG_HOME"], "tintwell", "portal-restore-token")


# Answers org.a11y.Bus.GetAddress on another session bus with this test's accessibility bus.
A11Y_FORWARDER = """
import sys
from gi.repository import Gio, GLib
bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
info = Gio.DBusNodeInfo.new_for_xml('<node><interface name="org.a11y.Bus"><method name="GetAddress">'
                                    '<arg type="s" direction="out"/></method></interface></node>')
bus.register_object('/org/a11y/bus', info.interfaces[0],
                    lambda *a: a[-1].return_value(GLib.Variant('(s)', (sys.argv[1],))), None, None)
Gio.bus_own_name_on_connection(bus, 'org.a11y.Bus', Gio.BusNameOwnerFlags.NONE, None, None)
GLib.MainLoop().run()
"""


def fail(message):
    print("FAIL: " + message)
    if os.environ.get("TINTWELL_E2E_DEBUG"):
        subprocess.run("pw-dump | grep -E 'node.name|state|error|format|\"id\"'", shell=True)
    for name in sorted(os.listdir(work)):
        if name.endswith(".log"):
            print("--- " + name)
            print(open(os.path.join(work, name), encoding="utf-8", errors="replace").read())
    print("--- portal (session bus)")
    print(open(os.path.join(log, "dbus.log"), encoding="utf-8", errors="replace").read()[-3000:])
    raise SystemExit(1)


def run(*args):
    subprocess.run(args, check=True, stdout=subprocess.DEVNULL)


def wait_for(what, probe, until=bool, timeout=15.0):
    return atspi_support.wait_for(what, probe, fail, until, timeout)


def portal_cursor_modes():
    reply = subprocess.run(
        ["dbus-send", "--session", "--print-reply", "--dest=org.freedesktop.portal.Desktop",
         "/org/freedesktop/portal/desktop", "org.freedesktop.DBus.Properties.Get",
         "string:org.freedesktop.portal.ScreenCast", "string:AvailableCursorModes"],
        capture_output=True, text=True, check=True)
    return int(reply.stdout.split()[-1])


def start(name, pointer=None, env_extra=None, wrap=()):
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", **(env_extra or {}))
    if pointer is not None:
        env["TINTWELL_TEST_POINTER"] = "%d,%d" % pointer
    with open(os.path.join(work, name + ".log"), "w") as out:
        program = subprocess.Popen([*wrap, sys.argv[1]], env=env, stdout=out,
                                   stderr=subprocess.STDOUT)
    started.append(program)
    frame = wait_for("the picker of " + name + " on the bus",
                     lambda: next(iter(picker_frames()), None))
    return program, frame


def stop(program):
    program.terminate()
    program.wait(timeout=10)
    started.remove(program)
    wait_for("the picker to leave the bus", lambda: not picker_frames())


def readouts(frame):
    nodes = [frame.getChildAtIndex(i) for i in range(frame.childCount)]
    tips = {n.description: n.name for n in nodes if n.getRoleName() == "label" and n.description}
    notice = [n.name for n in nodes if n.getRoleName() == "label" and n.name.startswith("Wayland:")
              and n.getState().contains(pyatspi.STATE_SHOWING)]
    return (tips.get(RED), tips.get(GREEN), tips.get(BLUE), tips.get(MOUSE)), notice


def expect_color(frame, color, at, what):
    """The readouts show `color` ("#RRGGBB" or an (r, g, b) tuple) and position `at`."""
    if isinstance(color, str):
        color = tuple(int(color[i:i + 2], 16) for i in (1, 3, 5))
    want = tuple(str(c) for c in color) + ("X: %d  Y: %d" % at,)
    got = wait_for("%s: the readouts of %s at %r" % (what, color, at), lambda: readouts(frame),
                   until=lambda shown: shown[0] == want)[0]
    print("%s: %s at %r reads %s" % (what, color, at, " ".join(got[:3])))
    return got


STAND_IN_LOG = os.path.join(work, "stand-in.selects")
DECLINE = os.path.join(work, "decline")
MODE = os.path.join(work, "mode")
ERROR_TEXT = os.path.join(work, "error-text")
POINTER_FILE = os.path.join(work, "pointer")
PRODUCER_PID = os.path.join(work, "producer.pid")
stand_in_portal = None


def expect_notice(program, frame, case, word):
    """White readouts, a notice that says `word`, and the program still running afterwards."""
    shown, notice = wait_for("the notice", lambda: readouts(frame),
                             until=lambda r: r[1] and r[0][:3] == ("255", "255", "255"))
    print("%s: readouts %s, the window says %r" % (case, " ".join(shown[:3]), notice[0]))
    if word not in notice[0]:
        fail("%s: the notice %r does not say %r" % (case, notice[0], word))
    time.sleep(0.5)
    if program.poll() is not None:
        fail("%s: the program ended (status %r)" % (case, program.poll()))


def move_pointer(at, scale=1):
    """Moves the pointer to physical pixel `at` of the output at (0, 0)."""
    run("swaymsg", "seat", "-", "cursor", "set", str(at[0] // scale), str(at[1] // scale))
    # The stand-in stream's cursor metadata follows, in frame (physical) pixels.
    with open(POINTER_FILE + ".new", "w") as f:
        f.write("%d %d\n" % at)
    os.replace(POINTER_FILE + ".new", POINTER_FILE)


def cursor_corner(near, scale=1):
    """The top-left corner of the pointer's picture on the desktop (physical pixels), from a shot
    of the 80 x 80 physical pixels around `near`, on one color of the chart; None while the
    desktop draws no pointer there. (The desktop draws its pointer into its picture: a shot
    without the pointer still has it.)"""
    left, top = max(0, near[0] - 20), max(0, near[1] - 20)
    shot = os.path.join(work, "pointer.png")
    run("grim", "-s", str(scale), shot)
    box = subprocess.run(
        ["convert", shot, "-crop", "80x80+%d+%d" % (left, top), "+repage", "-format",
         "%[standard-deviation] ", "-write", "info:", "-trim", "-format", "%X %Y", "info:"],
        capture_output=True, text=True, check=True).stdout.split()
    if float(box[0]) == 0:
        return None
    return (int(box[1]) + left, int(box[2]) + top)


def expect_nudges(frame, near, scale, what):
    """The arrow keys move the pointer by one physical pixel, Shift and an arrow by ten."""
    # wtype's keyboard is new to the desktop each time: a key pressed before the window has
    # heard of it would arrive as already held, so each press waits a moment first. The first
    # press makes the program's pointer device; the desktop draws the pointer from the next move.
    run("wtype", "-s", "300", "-k", "Right")
    run("wtype", "-s", "300", "-k", "Left")
    start = wait_for("%s: the pointer drawn" % what, lambda: cursor_corner(near, scale),
                     timeout=5)
    for keys, step in ((["-k", "Right"], (1, 0)), (["-k", "Down"], (0, 1)),
                       (["-M", "shift", "-k", "Left", "-m", "shift"], (-10, 0))):
        run("wtype", "-s", "300", *keys)
        want = (start[0] + step[0], start[1] + step[1])
        got = wait_for("%s: the pointer moved by %r" % (what, step),
                       lambda: cursor_corner(near, scale), until=lambda c: c == want, timeout=5)
        print("%s: %s moved the pointer's picture from %r to %r" % (what, " ".join(keys), start,
                                                                    got))
        start = got


def distinct_color(x, y):
    """The color of pixel (x, y) of a 1280 x 720 picture in which every pixel differs from every
    other, and each from its neighbours in red or green."""
    return x & 255, y & 255, (x >> 8) << 5 | (y >> 8) << 3


def write_distinct_picture(path):
    with open(path, "wb") as f:
        f.write(b"P6 1280 720 255\n")
        f.write(bytes(c for y in range(720) for x in range(1280) for c in distinct_color(x, y)))


def offered_restore_data():
    """How many SelectSources calls offered a restore token the portal handed out."""
    if os.path.exists(STAND_IN_LOG):
        return open(STAND_IN_LOG).read().count(" known")
    return open(os.path.join(log, "dbus.log"), errors="replace").read().count(
        "restore data available")


def start_stand_in(chart_shot, size=(1280, 720)):
    """The stand-in portal, giving each session a PipeWire stream of `chart_shot` with cursor
    metadata, shared as an output of `size` logical pixels at (0, 0)."""
    portal = subprocess.Popen(["/usr/bin/python3", os.path.join(HERE, "stand_in_portal.py"),
                               str(size[0]), str(size[1]), STAND_IN_LOG, DECLINE, MODE,
                               ERROR_TEXT, PRODUCER_PID, sys.argv[2], chart_shot, POINTER_FILE],
                              stdout=subprocess.DEVNULL,
                              stderr=open(os.path.join(work, "stand-in.log"), "a"))
    started.append(portal)
    wait_for("the stand-in portal", lambda: has_name_owner("org.freedesktop.portal.Desktop"))
    return portal


def selects():
    """How many SelectSources calls the stand-in portal has had."""
    return open(STAND_IN_LOG).read().count("select ")


def set_mode(word):
    """Tells the stand-in portal how to misbehave from its next call on (None: not at all)."""
    if word is None:
        os.remove(MODE)
        return
    with open(MODE, "w") as f:
        f.write(word)


def can_trace():
    return shutil.which("strace") is not None and subprocess.run(
        ["strace", "-f", "-o", os.devnull, "true"], stdout=subprocess.DEVNULL,
        stderr=subprocess.DEVNULL).returncode == 0


def misbehaving_portal():
    """The stand-in portal misbehaves: answers of unexpected types, an error message of markup,
    refusals with a token kept. The program says so in one line and runs on, asks at most twice
    and keeps a token that a cancel or a refusal did not show to be bad."""
    kept = open(token_file).read()
    color, at = CHART[1]
    move_pointer(at)

    # The user declines with a token kept: that is the answer, asked once; the token stays.
    open(DECLINE, "w").close()
    before = selects()
    program, frame = start("declined-with-token")
    expect_notice(program, frame, "declined with a token kept", "declined")
    if selects() - before != 1:
        fail("a declined session was asked %d times" % (selects() - before))
    if open(token_file).read() != kept:
        fail("a declined session cost the kept token")
    stop(program)
    os.remove(DECLINE)

    # Answers of types the portal's interface does not name (each once crashed or stalled it).
    for word in ("streams-uas", "streams-nested", "position-dict", "session-u",
                 "response-string"):
        set_mode(word)
        program, frame = start(word)
        expect_notice(program, frame, word, "cannot read")
        stop(program)
    # The interface's documentation names an object path for the session handle.
    set_mode("session-o")
    program, frame = start("session-o")
    expect_color(frame, color, at, "session handle an object path")
    stop(program)

    # An error message of markup is shown as it is, and no file it names is opened.
    set_mode("start-error")
    with open(ERROR_TEXT, "w") as f:
        f.write("<img src=/zz>")
    trace = os.path.join(work, "start-error.trace")
    traced = can_trace()
    if not traced:
        print("note: strace cannot trace here: the files opened are not checked")
    program, frame = start("start-error", wrap=("strace", "-f", "-qq", "-e", "trace=%file",
                                                "-o", trace) if traced else ())
    expect_notice(program, frame, "an error message of markup", "(<img src=/zz>)")
    if traced:
        # Ended, strace would let the program go on untraced: the program itself is ended.
        tracee = open("/proc/%d/task/%d/children" % (program.pid, program.pid)).read().split()[0]
        os.kill(int(tracee), signal.SIGTERM)
    stop(program)
    if traced and '"/zz"' in open(trace).read():
        fail("the program opened /zz, named in the portal's error message")

    # Refused with a token kept, in a folder where nothing can be removed or written: once more
    # without the token, then the refusal is the answer, and the program rests.
    set_mode("refuse")
    kept = open(token_file).read()  # the one the session above was granted
    folder = os.path.dirname(token_file)
    os.chmod(folder, 0o500)
    try:
        before = selects()
        program, frame = start("refused-with-token")
        expect_notice(program, frame, "refused with a token kept", "refused")
        time.sleep(1)
        asked = open(STAND_IN_LOG).read().splitlines()[before:]
        if [line.split()[-1] for line in asked] != ["known", "unknown"]:
            fail("refused with a token kept, the portal was asked: %r" % asked)
        if open(token_file).read() != kept:
            fail("a refusal cost the kept token")
        stop(program)
    finally:
        os.chmod(folder, 0o700)
    set_mode(None)
    print("misbehaving portal: each answer of unexpected types reported, an error message shown "
          "as text, a refusal retried once without the token, the kept token kept")


def command(*args):
    """The program's command line: its status, stdout and stderr."""
    done = subprocess.run([sys.argv[1], *args], capture_output=True, text=True, timeout=60)
    return done.returncode, done.stdout, done.stderr


def command_line():
    """--at reads the output the desktop shares, from its corner; --pick asks the desktop's color
    picker (the stand-in's answers orange), and ends quietly when it is cancelled or answers what
    cannot be read."""
    for color, at in CHART[:2]:
        got = command("--at", "%d,%d" % at, "--format", "hex")
        if got != (0, color[1:] + "\n", ""):
            fail("--at %r: %r, expected %s" % (at, got, color))
    got = command("--at", "2000,0")
    if got[:2] != (2, ""):
        fail("--at off the output: %r" % (got,))
    if not os.path.exists(STAND_IN_LOG):
        print("command line: --at read through the desktop's portal")
        return
    expected = {None: (0, "#FF8000\nrgb(255 128 0)\n"), "pick-cancel": (1, ""),
                "pick-ints": (3, "")}
    for word, want in expected.items():
        if word:
            set_mode(word)
        got = command("--pick", "--format", "html,rgb")
        if got[:2] != want or got[2].count("\n") > 1:
            fail("--pick with the stand-in's %s: %r, expected %r" % (word or "orange", got, want))
    set_mode(None)
    print("command line: --at read through the portal, --pick picked, cancelled and refused an "
          "answer of (iii)")


def main():
    # The chart: four quadrants of known colors.
    chart = os.path.join(work, "chart.png")
    quads = ["-size", "640x360"]
    run("convert", *quads, "xc:" + CHART[0][0], *quads, "xc:" + CHART[1][0], "+append",
        "(", *quads, "xc:" + CHART[2][0], *quads, "xc:" + CHART[3][0], "+append", ")",
        "-append", "PNG24:" + chart)
    bg = subprocess.Popen(["swaybg", "-o", "*", "-i", chart, "-m", "center"],
                          stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    started.append(bg)

    if glob.glob("/dev/dri/renderD*"):
        print("the desktop's own portal shares the screen")
    else:
        print("note: no GPU render node, and xdg-desktop-portal-wlr 0.7 shares no "
              "software-rendered screen: a stand-in portal shares a stream of the desktop's "
              "picture")
        if not shutil.which("grim"):
            print("SKIP: grim is needed for the stand-in (scripts/setup installs it)")
            raise SystemExit(77)
        shot = os.path.join(work, "desktop.png")
        time.sleep(0.5)  # the background's first frame
        run("grim", shot)
        global stand_in_portal
        stand_in_portal = start_stand_in(shot)

    launcher = subprocess.Popen(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"],
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    started.append(launcher)
    wait_for("the accessibility bus", lambda: has_name_owner("org.a11y.Bus"))

    # Where the desktop's portal shares no pointer position (cursor metadata, mode 4), the test
    # names the point it moved the pointer to.
    metadata = portal_cursor_modes() & 4 != 0
    print("portal cursor modes: %d (%s)" % (portal_cursor_modes(),
          "metadata" if metadata else "no metadata: the pointer is named to the program"))

    # 1. The first start: the portal shares the first output without asking; each color reads.
    #    The token is kept.
    if os.path.exists(token_file):
        fail("a restore token before the first start")
    for n, (color, at) in enumerate(CHART):
        move_pointer(at)
        program, frame = start("start%d" % n, None if metadata else at)
        expect_color(frame, color, at, "start %d" % n)
        if n == 0:
            # Frameless windows need no decorations, and without them the toolkit loads no GPU
            # driver (tens of megabytes resident).
            maps = open("/proc/%d/maps" % program.pid).read()
            drivers = sorted({line.split()[-1] for line in maps.splitlines()
                              if "_dri.so" in line or "libLLVM" in line})
            if drivers:
                fail("the program loaded a GPU driver: %s" % ", ".join(drivers))
            token = wait_for("the restore token", lambda: os.path.exists(token_file)
                             and open(token_file).read())
            # It lets anyone who reads it share the screen unasked: for the user's eyes alone.
            modes = (os.stat(os.path.dirname(token_file)).st_mode & 0o777,
                     os.stat(token_file).st_mode & 0o777)
            if modes != (0o700, 0o600):
                fail("the token's folder and file are %s and %s, not 0700 and 0600"
                     % tuple(map(oct, modes)))
            if n == 0 and offered_restore_data() != 0:
                fail("a restore token offered on the first start")
            shot = os.environ.get("TINTWELL_WAYLAND_SHOT")
            if shot and shutil.which("grim"):
                time.sleep(1)
                subprocess.run(["grim", shot], check=False)
        if metadata:
            # The same program follows the pointer through the stream's cursor metadata.
            for color2, at2 in CHART[1:]:
                move_pointer(at2)
                expect_color(frame, color2, at2, "following")
            stop(program)
            break
        stop(program)
    if metadata:
        # A second start, to see the kept token offered.
        color, at = CHART[2]
        move_pointer(at)
        program, frame = start("restart")
        expect_color(frame, color, at, "restart")
        stop(program)
    # Every later start offered the kept token, and it did not change.
    if offered_restore_data() < (1 if metadata else len(CHART) - 1):
        fail("the kept restore token was not offered on later starts")
    if open(token_file).read() != token:
        print("note: the portal handed out a new token on a later start")

    # 2. A corrupt token file: the portal is asked afresh, and the new token replaces it.
    with open(token_file, "wb") as f:
        f.write(b"\x00\xffnot a token\n\n")
    color, at = CHART[0]
    move_pointer(at)
    program, frame = start("corrupt", None if metadata else at)
    expect_color(frame, color, at, "corrupt token")
    if os.path.exists(STAND_IN_LOG) and not open(STAND_IN_LOG).read().endswith("select - unknown\n"):
        fail("a corrupt token file was offered to the portal")
    wait_for("a good token again", lambda: open(token_file, "rb").read().strip().isascii()
             and b"not a token" not in open(token_file, "rb").read())
    stop(program)

    command_line()

    # 3. A portal that misbehaves (the stand-in can be told how).
    if os.path.exists(STAND_IN_LOG):
        misbehaving_portal()

    # 4. The user declines (the stand-in can be told to): the window says so, readouts white. The
    #    test's pointer setting is honoured in a build with the tests, and said so.
    if os.path.exists(STAND_IN_LOG):
        open(DECLINE, "w").close()
        os.remove(token_file)
        program, frame = start("declined", at)
        expect_notice(program, frame, "declined", "declined")
        if "TINTWELL_TEST_POINTER pins the pointer at %d,%d" % at not in open(
                os.path.join(work, "declined.log")).read():
            fail("the test's pointer setting was honoured without a word")
        if os.path.exists(token_file):
            fail("a token kept from a declined session")
        stop(program)

    # 5. The stream ends under the program (the stand-in's producer goes): white readouts, the
    #    window says so, the program runs on.
    if os.path.exists(STAND_IN_LOG):
        os.remove(DECLINE)
        color, at = CHART[3]
        move_pointer(at)
        program, frame = start("stream-end")
        expect_color(frame, color, at, "before the stream ends")
        os.kill(int(open(PRODUCER_PID).read()), signal.SIGTERM)
        expect_notice(program, frame, "stream ended", "stopped")
        stop(program)

    # 6. No portal: a session bus without one. The window says so in one line, the readouts show
    #    white, the program runs on. On that bus a forwarder names this test's accessibility bus.
    bare = os.path.join(work, "bare.conf")
    with open(bare, "w") as f:
        f.write("""<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig><type>session</type><listen>unix:dir=%s</listen><auth>EXTERNAL</auth>
<policy context="default"><allow send_destination="*" eavesdrop="true"/><allow eavesdrop="true"/>
<allow own="*"/></policy></busconfig>""" % work)
    bus = subprocess.Popen(["dbus-daemon", "--config-file=" + bare, "--nofork", "--print-address"],
                           stdout=subprocess.PIPE, text=True)
    started.append(bus)
    bare_address = bus.stdout.readline().strip()
    a11y = subprocess.run(["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus",
                           "/org/a11y/bus", "org.a11y.Bus.GetAddress"],
                          capture_output=True, text=True, check=True).stdout.split('"')[1]
    forwarder = subprocess.Popen(["/usr/bin/python3", "-c", A11Y_FORWARDER, a11y],
                                 env=dict(os.environ, DBUS_SESSION_BUS_ADDRESS=bare_address))
    started.append(forwarder)
    time.sleep(0.5)
    program, frame = start("noportal", at, {"DBUS_SESSION_BUS_ADDRESS": bare_address})
    expect_notice(program, frame, "no portal", "portal")
    stop(program)
    # 7. Nudging: the arrow keys move the desktop's pointer through the program's own pointer
    #    device (sway offers one), seen on the desktop's picture with the pointer drawn.
    nudge = shutil.which("wtype") is not None
    if not nudge:
        print("note: wtype is not installed (scripts/setup installs it): no nudging checked")
    else:
        move_pointer((200, 600))
        program, frame = start("nudge")
        expect_nudges(frame, (200, 600), 1, "nudge")
        stop(program)

    # 8. A scaled output (scale 2, with the stand-in): its frames have two physical pixels a side
    #    for each logical one, and each is read as itself, with its own position; never its
    #    logical pixel's top-left neighbour. The stream is a picture whose every pixel differs.
    if os.path.exists(STAND_IN_LOG):
        run("swaymsg", "output", "HEADLESS-1", "scale", "2")
        stand_in_portal.terminate()
        stand_in_portal.wait(timeout=10)
        wait_for("the stand-in portal to go",
                 lambda: not has_name_owner("org.freedesktop.portal.Desktop"))
        picture = os.path.join(work, "distinct.ppm")
        write_distinct_picture(picture)
        start_stand_in(picture, size=(640, 360))
        points = [(201, 101), (202, 102), (203, 100), (1279, 719), (0, 0)]
        move_pointer(points[0], scale=2)
        program, frame = start("scaled")
        for at in points:
            move_pointer(at, scale=2)
            expect_color(frame, distinct_color(*at), at, "scale 2")
        if nudge:
            # One physical pixel is half a logical one.
            move_pointer((200, 640), scale=2)
            expect_nudges(frame, (200, 640), 2, "nudge at scale 2")
        shot = os.environ.get("TINTWELL_WAYLAND_SCALED_SHOT")
        if shot:
            time.sleep(1)
            subprocess.run(["grim", shot], check=False)
        stop(program)
    print("app wayland: four colors read through the portal's stream, the restore token kept "
          "private and offered again, a corrupt one replaced, a misbehaving, declined, ended or "
          "missing portal reported in the window, a scaled output read by its physical pixels")


if __name__ == "__main__":
    atspi_support.run(main, started, work)
