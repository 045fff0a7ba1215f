#!/usr/bin/env python3
"""Checks that the source folders depend on each other one way only: a folder includes headers
of its own folder and of the folders below it, never of a folder above it or beside it."""
import os
import re
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

# The runtime's own folders, lowest first: each may include the ones before it.
RUNTIME = ["runtime/core", "runtime/gdi", "runtime/picture", "runtime/forms", "runtime/intrinsics"]

# What each folder may include besides itself.
ALLOWED = {folder: set(RUNTIME[:i]) for i, folder in enumerate(RUNTIME)}
ALLOWED.update({
    "store": {"runtime/core"},
    "frame": {*RUNTIME},
    "controls": {*RUNTIME},
    "app": {*RUNTIME, "store", "frame", "controls", "resources"},
    "picture": {*RUNTIME, "controls", "frame", "app", "resources"},
    "media": {*RUNTIME, "controls", "frame", "app", "resources"},
    "passbook": {*RUNTIME, "controls", "frame", "app", "resources"},
    "banner": {*RUNTIME, "controls", "frame", "app", "media", "resources"},
    "main": {*RUNTIME, "store", "controls", "frame", "app", "picture", "media", "passbook",
             "banner", "resources"},
})
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')


def folder_of(path):
    """The folder a project path belongs to, the deepest listed one first."""
    for folder in sorted(ALLOWED, key=len, reverse=True):
        if path.startswith(folder + "/"):
            return folder
    return None


def main():
    # The runtime keeps its code in its folders; a file beside them belongs to no layer.
    faults = [f"runtime/{name}: belongs in one of the runtime's folders"
              for name in sorted(os.listdir(os.path.join(ROOT, "runtime")))
              if name.endswith((".h", ".cpp"))]
    for folder in ALLOWED:
        base = os.path.join(ROOT, folder)
        for dirpath, _, files in os.walk(base):
            for name in files:
                if not name.endswith((".h", ".cpp")):
                    continue
                path = os.path.join(dirpath, name)
                source = os.path.relpath(path, ROOT).replace(os.sep, "/")
                owner = folder_of(source)
                with open(path, encoding="utf-8") as text:
                    for number, line in enumerate(text, 1):
                        match = INCLUDE.match(line)
                        if not match:
                            continue
                        target = folder_of(match.group(1))
                        if target is None or target == owner or target in ALLOWED[owner]:
                            continue
                        faults.append(f"{source}:{number}: {owner}/ includes {match.group(1)}")
    for fault in faults:
        print(fault)
    if not faults:
        print("every include stays in its folder or goes downward")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
