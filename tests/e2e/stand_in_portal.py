#!/usr/bin/python3
"""A stand-in for the desktop's ScreenCast portal, for machines where the real one cannot share
a screen (xdg-desktop-portal-wlr 0.7 refuses without a GPU render node). It offers every cursor
mode; the stream (tintwell_test_screen_stream) carries cursor metadata. It also answers the
Screenshot portal's PickColor, with orange (red 1, green 128/255, blue 0) unless told otherwise.

Owns org.freedesktop.portal.Desktop on the session bus and answers the ScreenCast calls as the
portal does (each request answered by a Response signal on its request object). Each granted
session gets a stream of its own, as from the desktop's portal: the PRODUCER command (which
prints its PipeWire node's id) is started for it, shared as the monitor at (0, 0) of the given
size, and ended when the session is closed or its owner leaves the bus; the pid of the newest
is written to the file PRODUCER_PID. It never asks anyone; it hands out a restore token and
appends one line per SelectSources to LOG: "select <restore token offered or ->", and refuses
(response 1, declined) while the file DECLINE exists.

While the file MODE exists (read at each call), it misbehaves as the one word in it says:
  streams-uas        Start's streams are a(uas)
  streams-nested     Start's streams are a((u)a{sv})
  position-dict      the stream's position is (a{sv}i)
  session-o          CreateSession's session_handle is an object path (o), not a string
  session-u          CreateSession's session_handle is a number (u)
  response-string    Start's Response carries its code as a string: (sa{sv})
  start-error        the Start call fails with the error message in the file ERROR_TEXT
  refuse             Start is refused (response 2)
  pick-cancel        PickColor is cancelled (response 1)
  pick-ints          PickColor's color is (iii)

Usage: stand_in_portal.py WIDTH HEIGHT LOG DECLINE MODE ERROR_TEXT PRODUCER_PID PRODUCER [ARG...]
"""

import ctypes
import os
import select
import signal
import socket
import subprocess
import sys
import uuid

from gi.repository import Gio, GLib

WIDTH, HEIGHT = int(sys.argv[1]), int(sys.argv[2])
LOG, DECLINE, MODE, ERROR_TEXT, PRODUCER_PID = sys.argv[3:8]
PRODUCER = sys.argv[8:]
PATH = "/org/freedesktop/portal/desktop"

XML = """<node>
<interface name="org.freedesktop.portal.ScreenCast">
  <method name="CreateSession"><arg type="a{sv}" direction="in"/>
    <arg type="o" direction="out"/></method>
  <method name="SelectSources"><arg type="o" direction="in"/><arg type="a{sv}" direction="in"/>
    <arg type="o" direction="out"/></method>
  <method name="Start"><arg type="o" direction="in"/><arg type="s" direction="in"/>
    <arg type="a{sv}" direction="in"/><arg type="o" direction="out"/></method>
  <method name="OpenPipeWireRemote"><arg type="o" direction="in"/>
    <arg type="a{sv}" direction="in"/><arg type="h" direction="out"/></method>
  <property name="version" type="u" access="read"/>
  <property name="AvailableCursorModes" type="u" access="read"/>
  <property name="AvailableSourceTypes" type="u" access="read"/>
</interface>
<interface name="org.freedesktop.portal.Session">
  <method name="Close"/>
</interface>
<interface name="org.freedesktop.portal.Screenshot">
  <method name="PickColor"><arg type="s" direction="in"/><arg type="a{sv}" direction="in"/>
    <arg type="o" direction="out"/></method>
</interface>
</node>"""

bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
info = Gio.DBusNodeInfo.new_for_xml(XML)
tokens = set()
producers = {}  # session path -> its stream's producer
owners = {}  # session path -> the unique bus name of the program that made it
watched = set()  # unique bus names watched for leaving


def request_path(sender, options):
    return "%s/request/%s/%s" % (PATH, sender[1:].replace(".", "_"),
                                 options["handle_token"])


def mode():
    try:
        with open(MODE) as f:
            return f.read().strip()
    except FileNotFoundError:
        return ""


def respond(path, code, results, signature="(ua{sv})"):
    # After the method's reply, as the portal does.
    GLib.idle_add(lambda: bus.emit_signal(None, path, "org.freedesktop.portal.Request",
                                          "Response", GLib.Variant(signature, (code, results)))
                  and False)


def end_stream(session):
    producer = producers.pop(session, None)
    owners.pop(session, None)
    if producer is not None:
        producer.terminate()
        try:
            producer.wait(timeout=5)
        except subprocess.TimeoutExpired:
            producer.kill()
            producer.wait()


def on_owner_gone(connection, name):
    for session in [s for s, owner in owners.items() if owner == name]:
        end_stream(session)


def end_with_parent():
    ctypes.CDLL(None).prctl(1, signal.SIGTERM)  # PR_SET_PDEATHSIG


def new_stream(session, sender):
    """A producer of its own for `session`: its node's id, or None when it does not start."""
    producer = subprocess.Popen(PRODUCER, stdout=subprocess.PIPE, preexec_fn=end_with_parent)
    ready = select.select([producer.stdout], [], [], 10)[0]
    line = producer.stdout.readline().strip() if ready else b""
    if not line.isdigit():
        producer.kill()
        producer.wait()
        return None
    end_stream(session)
    producers[session], owners[session] = producer, sender
    if sender not in watched:
        watched.add(sender)
        Gio.bus_watch_name_on_connection(bus, sender, Gio.BusNameWatcherFlags.NONE, None,
                                         on_owner_gone)
    with open(PRODUCER_PID + ".new", "w") as f:
        f.write("%d\n" % producer.pid)
    os.replace(PRODUCER_PID + ".new", PRODUCER_PID)
    return int(line)


def on_call(connection, sender, path, interface, method, params, invocation):
    args = params.unpack()
    if interface == "org.freedesktop.portal.Session":
        end_stream(path)
        invocation.return_value(None)
        return
    if method == "PickColor":
        req = request_path(sender, args[1])
        invocation.return_value(GLib.Variant("(o)", (req,)))
        color = {"pick-ints": GLib.Variant("(iii)", (1, 0, 0))}.get(
            mode(), GLib.Variant("(ddd)", (1.0, 128 / 255, 0.0)))
        respond(req, 1 if mode() == "pick-cancel" else 0, {"color": color})
    elif method == "CreateSession":
        req = request_path(sender, args[0])
        session = "%s/session/%s/%s" % (PATH, sender[1:].replace(".", "_"),
                                        args[0]["session_handle_token"])
        bus.register_object(session, info.interfaces[1], on_call, None, None)
        invocation.return_value(GLib.Variant("(o)", (req,)))
        handle = {"session-o": GLib.Variant("o", session),
                  "session-u": GLib.Variant("u", 7)}.get(mode(), GLib.Variant("s", session))
        respond(req, 0, {"session_handle": handle})
    elif method == "SelectSources":
        req = request_path(sender, args[1])
        offered = args[1].get("restore_token", "-")
        with open(LOG, "a") as log:
            log.write("select %s %s\n" % (offered, "known" if offered in tokens else "unknown"))
        invocation.return_value(GLib.Variant("(o)", (req,)))
        respond(req, 0, {})
    elif method == "Start":
        req = request_path(sender, args[2])
        misbehaviour = mode()
        if misbehaviour == "start-error":
            with open(ERROR_TEXT) as f:
                invocation.return_dbus_error("org.freedesktop.portal.Error.Failed", f.read())
            return
        invocation.return_value(GLib.Variant("(o)", (req,)))
        if os.path.exists(DECLINE):
            respond(req, 1, {})
            return
        if misbehaviour == "refuse":
            respond(req, 2, {})
            return
        node = new_stream(args[0], sender)
        if node is None:
            respond(req, 2, {})
            return
        token = str(uuid.uuid4())
        tokens.add(token)
        props = {"position": GLib.Variant("(ii)", (0, 0)),
                 "size": GLib.Variant("(ii)", (WIDTH, HEIGHT)),
                 "source_type": GLib.Variant("u", 1)}
        streams = GLib.Variant("a(ua{sv})", [(node, props)])
        if misbehaviour == "streams-uas":
            streams = GLib.Variant("a(uas)", [(node, ["monitor"])])
        elif misbehaviour == "streams-nested":
            streams = GLib.Variant("a((u)a{sv})", [((node,), props)])
        elif misbehaviour == "position-dict":
            props["position"] = GLib.Variant("(a{sv}i)", ({}, 0))
            streams = GLib.Variant("a(ua{sv})", [(node, props)])
        results = {"streams": streams, "restore_token": GLib.Variant("s", token)}
        if misbehaviour == "response-string":
            respond(req, "0", results, "(sa{sv})")
        else:
            respond(req, 0, results)
    elif method == "OpenPipeWireRemote":
        remote = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
        remote.connect(os.path.join(os.environ["XDG_RUNTIME_DIR"], "pipewire-0"))
        fds = Gio.UnixFDList.new()
        fds.append(remote.fileno())
        remote.close()
        invocation.return_value_with_unix_fd_list(GLib.Variant("(h)", (0,)), fds)


def on_get(connection, sender, path, interface, name):
    return GLib.Variant("u", {"version": 4, "AvailableCursorModes": 7,
                              "AvailableSourceTypes": 1}[name])


bus.register_object(PATH, info.interfaces[0], on_call, on_get, None)
bus.register_object(PATH, info.interfaces[2], on_call, None, None)
Gio.bus_own_name_on_connection(bus, "org.freedesktop.portal.Desktop",
                               Gio.BusNameOwnerFlags.NONE, None, None)
loop = GLib.MainLoop()
# Ended, it ends the streams it started.
GLib.unix_signal_add(GLib.PRIORITY_DEFAULT, signal.SIGTERM, lambda: loop.quit() or False)
loop.run()
for session in list(producers):
    end_stream(session)
