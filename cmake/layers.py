#!/usr/bin/env python3
"""Fails (status 1) when a file under src/ includes a header of a folder it may not use: each
folder may include its own headers and those of the folders listed for it below, nothing else.
The folders form layers, windows over engines and controls over the runtime, whose own jobs are
layered too (core, draw, forms, a11y, platform; screen beside them over core); an include the
table does not allow is an arrow running up or sideways.

Usage: layers.py SRC_DIR"""

import os
import re
import sys

HOST = ["host/core", "host/draw", "host/forms", "host/a11y", "host/platform", "host/screen"]
ALLOWED = {
    "host/core": [],
    "host/draw": ["host/core"],
    "host/forms": ["host/core", "host/draw"],
    "host/a11y": ["host/core", "host/draw", "host/forms"],
    "host/platform": ["host/core", "host/draw", "host/forms", "host/a11y"],
    "host/screen": ["host/core"],
    "host/screen/portal": ["host/core", "host/screen"],
    "program": ["host/core"],
    "color": ["host/core"],
    "controls/button": HOST + ["program"],
    "controls/slider": HOST + ["program"],
    "zoom": HOST + ["program"],
    "effects": HOST + ["program"],
    "about": HOST + ["program", "effects"],
    "mixer": HOST + ["program", "color", "controls/button", "controls/slider"],
    "picker": HOST + ["program", "color", "zoom", "effects", "about", "mixer", "controls/button",
                      "controls/slider"],
}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)


def folder_of(path):
    """The table's folder that holds `path` (relative to src/): the longest that matches."""
    best = None
    for folder in ALLOWED:
        if path == folder or path.startswith(folder + "/"):
            if best is None or len(folder) > len(best):
                best = folder
    return best


def main():
    src = sys.argv[1]
    problems = []
    for dirpath, _, files in os.walk(src):
        for name in sorted(files):
            if not name.endswith((".cpp", ".h")):
                continue
            path = os.path.relpath(os.path.join(dirpath, name), src)
            own = folder_of(path)
            if own is None:
                problems.append("%s: in no layer (add its folder to cmake/layers.py)" % path)
                continue
            with open(os.path.join(dirpath, name), encoding="utf-8") as f:
                text = f.read()
            for included in INCLUDE.findall(text):
                if "/" not in included:
                    continue  # a header beside it, or generated (moc)
                target = folder_of(included)
                if target is None or target == own or target in ALLOWED[own]:
                    continue
                problems.append('%s includes "%s": %s may not use %s' % (path, included, own,
                                                                         target))
    for p in problems:
        print("layers: " + p, file=sys.stderr)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
