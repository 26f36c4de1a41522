#!/usr/bin/env python3
"""Writes the seed corpora, fuzz/corpus/<target>/: a few ordinary inputs per target and a few at
the edges, so a short run starts from inputs that reach every branch of the code under test.
The binary seeds are laid out as the targets' FuzzedDataProvider reads them: numbers and flags
from the end of the input backwards (most significant byte first), text from the front.
Run it again after changing what a target reads: python3 fuzz/make-corpus.py"""
import pathlib
import shutil

HERE = pathlib.Path(__file__).resolve().parent
ASSETS = HERE.parent / "assets" / "forms" / "ColorPicker.txt"
INT_MIN, INT_MAX = -(2**31), 2**31 - 1


class Seed:
    def __init__(self):
        self.front = bytearray()
        self.back = bytearray()  # in the order the target consumes it

    def int_in(self, v, lo, hi):
        r, n = hi - lo, 0
        while n < 4 and (r >> (8 * n)) > 0:
            n += 1
        self.back += (v - lo).to_bytes(n, "big")
        return self

    def int(self, v):
        return self.int_in(v, INT_MIN, INT_MAX)

    def flag(self, b):
        self.back.append(1 if b else 0)
        return self

    def text(self, s):
        self.front += s.replace("\\", "\\\\").encode() + b"\\n"
        return self

    def rest(self, s):
        self.front += s.encode()
        return self

    def raw(self, b):
        self.front += b
        return self

    def bytes(self):
        return bytes(self.front) + bytes(reversed(self.back))


def write(target, seeds):
    d = HERE / "corpus" / target
    shutil.rmtree(d, ignore_errors=True)
    d.mkdir(parents=True)
    for i, s in enumerate(seeds):
        (d / f"seed{i:02d}").write_bytes(s if isinstance(s, bytes) else s.encode())


def hex_seeds():
    return ["FF8000", "0080ff", "0", "", "7FFFFFFF", "80000000", "000000000000FF", "12G4", " 1"]


def notations_seeds():
    every = "hex,html,hex-lower,vb,decimal,rgb,rgb-legacy,hsl,hwb,lab,lch,oklab,oklch,float,qt"
    return [every, "\x80\x10\xfflab", "hex,hex", "", ",", "hex,,lab", "HSL", "hex, lab",
            "oklch,", "lab\x00", "x" * 100]


def formdata_seeds():
    real = ASSETS.read_text()
    return [
        real,
        '[a]\nStyle = 3\nSize = 8.25\nOn = True\nName = "a ""b"""\nBig = &HFFFFFFFF&\n',
        '[b]\nFont = Font("Tahoma", 8.25, Bold Italic)\nPicture = Picture(":/x.png")\n',
        "[a]\nk = 99999999999\nk = -1e40\nk = nan\nk = \"unterminated\n[]\nnot an entry\n",
        '[btn_Mixer]\nCaption = 12\nStyle = "3"\nEnabled = -1\nFont = Font("", 0)\n',
    ]


def zoomplan_seeds():
    def plan(cx, cy, dw, dh, z, full, centred, sl, st, sw, sh, dx=0, dy=0, div=1):
        s = Seed()
        for v in (cx, cy, dx, dy, dw, dh, z):
            s.int(v)
        s.flag(full).flag(centred).int(sl).int(st).int(sw).int_in(div, 1, 16).int(sh).int_in(div, 1, 16)
        return s.bytes()

    return [
        plan(640, 512, 75, 74, 5, False, True, 0, 0, 1280, 1024),
        plan(2, 1020, 75, 74, 25, True, True, 0, 0, 1280, 1024),
        plan(-5000, -5000, 75, 74, 5, False, True, 0, 0, 1280, 1024),
        plan(32767, 32767, 75, 74, 15, False, False, 0, 0, 1280, 1024),
        plan(INT_MIN, INT_MAX, INT_MAX, INT_MAX, 1, False, True, INT_MIN, INT_MIN, INT_MAX, INT_MAX),
        plan(100, 100, 75, 74, 3, False, True, 0, 0, 19200, 15360, div=15),
    ]


def canvas_seeds():
    def ops(*items):
        s = Seed()
        for op, args in items:
            s.int_in(op, 0, 6)
            for a in args:
                if isinstance(a, bool):
                    s.flag(a)
                elif op == 6 and a is args[0]:
                    s.int_in(a, 1, 16)
                else:
                    s.int(a)
        return s.bytes()

    big, small = INT_MAX, INT_MIN
    return [
        ops((0, (0, 0, 7, 3)), (1, (2, 2, 20, 12)), (2, (1, 1, 9, 9)), (3, (2, 2, 5, 4))),
        ops((4, (0, 0, 35, 25, 0, 0, 7, 5)), (5, (0, 0, 40, 30, False))),
        ops((6, (10, False, False)), (2, (3, 3, 30, 20)), (5, (0, 30, 40, 0, True))),
        ops((0, (small, small, big, big)), (1, (small, small, big, big))),
        ops((4, (small, small, big, big, 0, 0, 7, 5)), (5, (small, 0, big, 30, False))),
        ops((1, (-5, -3, 20, 9)), (0, (39, 29, -100000, 5)), (4, (5, 5, 10, 10, big, big, 2, 2))),
    ]


def button_seeds():
    def button(w, h, style, scheme=7, state=0, caption="ColorMixer »»»", corner=26):
        s = Seed().text(caption)
        s.int_in(w, -16, 4096).int_in(h, -16, 4096).int(corner).int(corner)
        s.flag(True).int(style).int(scheme).int(0).int(0).flag(False).int_in(state, -1, 5)
        return s.bytes()

    return [
        button(110, 29, 3),
        button(75, 23, 0, state=3),
        button(75, 23, 1, state=1),
        button(75, 24, 6, state=2),
        button(0, 0, 6),
        button(1, 1, 0),
        button(4096, 3, 6, corner=INT_MIN),
        button(2, 4096, 0, scheme=INT_MAX, state=4),
    ]


def slider_seeds():
    real = ASSETS.read_text()
    section = real.split("[hsbRGB(0)]\n", 1)[1].split("\n\n", 1)[0]
    plain = "max = 100\nstyle = 0\nautocue = 0\nborderstyle = 1\n"

    def slider(w, h, value, body):
        return Seed().rest(body).int_in(w, -16, 4096).int_in(h, -16, 4096).int(value).bytes()

    return [
        slider(158, 14, 128, section),
        slider(201, 14, 43, section.replace("255", "86")),
        slider(158, 14, 50, plain),
        slider(0, 0, 0, plain),
        slider(4096, 1, INT_MAX, plain + "cuewidth = 1e30\ncueheight = -5\n"),
        slider(3, 4096, INT_MIN, "min = 5\nmax = 5\n_extentx = 2147483647\n_extenty = 1\n"),
        slider(158, 14, 10, section.replace("cue.png", "missing.png").replace(
            ":/sliders/rgb_track.png", ":/forms/ColorPicker.txt")),
    ]


def portalframe_seeds():
    def frame(mapped, offset, size, w, h, stride, order=0, at=(0, 0), block=(4, 4, -1, -1),
              placement=(0, 0, 1280, 720, 1280, 720), logical=(100, 100), token="",
              corrupted=False):
        s = Seed().int_in(len(mapped), 0, 4096).raw(mapped)
        s.int_in(offset, 0, 2**32 - 1).int_in(size, 0, 2**32 - 1).flag(corrupted)
        s.int(w).int(h).int(stride).int_in(order, 0, 3).int(at[0]).int(at[1])
        s.int_in(block[0], 0, 32).int_in(block[1], 0, 32).int(block[2]).int(block[3])
        for v in placement + logical:
            s.int(v)
        return s.rest(token).bytes()

    pixels = bytes(range(24))
    padded = bytes(range(64))
    return [
        frame(pixels, 0, 24, 3, 2, 12, at=(1, 1), token="5b6c4bc2-1e4f-4f6a-9d55-0c2f3e1b7a10\n"),
        frame(padded, 8, 48, 2, 3, 16, order=2, at=(1, 2), block=(3, 5, 0, 0)),
        frame(padded, 48, 64, 2, 2, 8, order=3, placement=(100, 50, 640, 360, 1280, 720),
              logical=(99, 49), token="two\nlines"),
        frame(pixels, 24, 4, 3, 2, 12, token="a b"),
        frame(b"", 0, 0, 0, 0, 0, corrupted=True),
        frame(padded, 0, 2**32 - 1, INT_MAX, INT_MAX, INT_MIN, order=1, at=(INT_MAX, INT_MIN),
              block=(32, 32, INT_MIN, INT_MAX),
              placement=(INT_MIN, INT_MAX, INT_MAX, 1, INT_MAX, INT_MAX),
              logical=(INT_MAX, INT_MIN), token="x" * 300),
    ]


def portalreply_seeds():
    # Values as the target spells them: (letter, contents).
    def enc(v):
        kind = v[0]
        out = bytearray(kind.encode())
        if kind in "sog":
            out += bytes([len(v[1])]) + v[1].encode()
        elif kind == "a":
            out += bytes([len(v[1])]) + v[1].encode() + bytes([len(v[2])])
            for item in v[2]:
                out += enc(item)
        elif kind == "(":
            out += bytes([len(v[1])])
            for field in v[1]:
                out += enc(field)
        elif kind == "{":
            out += enc(v[1]) + enc(v[2])
        elif kind == "v":
            out += enc(v[1])
        else:
            out += (v[1] % 2**64).to_bytes(8, "little")
        return bytes(out)

    def d(**entries):
        return ("a", "{sv}", [("{", ("s", k), ("v", v)) for k, v in entries.items()])

    def response(code, results):
        return bytes([2]) + enc(code) + enc(results)

    session = "/org/freedesktop/portal/desktop/session/1_42/tw7"
    props = d(position=("(", [("i", 0), ("i", 0)]), size=("(", [("i", 1280), ("i", 720)]),
              source_type=("u", 1))
    streams = ("a", "(ua{sv})", [("(", [("u", 42), props])])
    return [
        response(("u", 0), d(session_handle=("s", session))),
        response(("u", 0), d(session_handle=("o", session))),
        response(("u", 0), d(session_handle=("u", 7))),
        response(("u", 0), d(streams=streams, restore_token=("s", "5b6c4bc2-1e4f"))),
        response(("u", 0), d(streams=("a", "(uas)", [("(", [("u", 42), ("a", "s", [("s", "x")])])]))),
        response(("u", 0), d(streams=("a", "((u)a{sv})", [("(", [("(", [("u", 42)]), props])]))),
        response(("u", 0), d(streams=("a", "(ua{sv})", [("(", [("u", 42), d(
            position=("(", [d(), ("i", 0)]))])]))),
        response(("u", 2), d()),
        response(("s", "0"), d()),
        bytes([1]) + enc(("u", 0)),
    ]


if __name__ == "__main__":
    write("hex", hex_seeds())
    write("notations", notations_seeds())
    write("formdata", formdata_seeds())
    write("zoomplan", zoomplan_seeds())
    write("canvas", canvas_seeds())
    write("button", button_seeds())
    write("slider", slider_seeds())
    write("portalframe", portalframe_seeds())
    write("portalreply", portalreply_seeds())
