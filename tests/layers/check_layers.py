#!/usr/bin/env python3
"""Checks the layering of the source folders: a folder may include only its
own headers and those of the folders below it, and the core folders use no
Qt. Prints every violation and exits 1 when there is one."""

import pathlib
import re
import sys

# Bottom first. Core folders (no Qt) come before the Qt front end.
LAYERS = ["platform", "res", "text", "index", "settings", "document", "view", "dialogs", "app"]
QT_FREE = set(LAYERS[: LAYERS.index("document") + 1])
# Programs over the libraries: the highest layer each may use.
PROGRAMS = {"tools": "document", "fuzz": "document"}

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]', re.MULTILINE)


def rank(folder):
    return LAYERS.index(folder) if folder in LAYERS else None


def check(root):
    problems = []
    for folder in LAYERS + list(PROGRAMS):
        base = root / folder
        if not base.is_dir():
            continue
        limit = rank(folder) if folder in LAYERS else rank(PROGRAMS[folder])
        qt_free = folder in QT_FREE or folder in PROGRAMS
        for path in sorted(base.rglob("*")):
            if path.suffix not in (".h", ".cpp"):
                continue
            text = path.read_text(encoding="utf-8", errors="replace")
            for kind, name in INCLUDE.findall(text):
                where = f"{path.relative_to(root)}: #include {name}"
                if kind == "<" and qt_free and re.match(r"Q[A-Za-z]*($|/)|qt", name):
                    problems.append(f"{where}: Qt in a Qt-free folder")
                if kind != '"' or "/" not in name:
                    continue
                target = name.split("/", 1)[0]
                target_rank = rank(target)
                if target_rank is None:
                    continue
                if target_rank > limit:
                    problems.append(f"{where}: {folder}/ may not use {target}/")
    return problems


def main():
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ".").resolve()
    problems = check(root)
    for p in problems:
        print(p)
    if problems:
        print(f"{len(problems)} include(s) break the layer order {' < '.join(LAYERS)}")
        return 1
    print("layers: every include follows " + " < ".join(LAYERS))
    return 0


if __name__ == "__main__":
    sys.exit(main())
