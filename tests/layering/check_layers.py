#!/usr/bin/env python3
"""Checks the include direction of the source tree.

Inside the core every file belongs to a layer and includes only files of its
own layer or below; the core includes no Qt; and no quoted include can mean
two files, whichever include root it is looked up in.
"""
import pathlib
import re
import sys

SRC = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else "src").resolve()
CORE = SRC / "core"

# The layers of the core, lowest first; a file may include its own layer and
# those below it.
LAYERS = [
    {"text", "progress.h", "messages.h", "program_info.h"},
    {"io"},
    {"import"},
    {"analysis", "views", "export", "risk", "settings", "report_options.h", "program_state.h"},
    {"report.h", "report_parts.h"},
    {"actions"},
]

# Where a quoted include may be found: the including file's own folder, then
# the include roots the build gives.
ROOTS = [SRC / "core", SRC, SRC / "render", SRC / "cli"]

INCLUDE = re.compile(r'^\s*#\s*include\s+([<"])([^">]+)[">]', re.M)


def layer_of(path):
    first = path.relative_to(CORE).parts[0]
    for level, members in enumerate(LAYERS):
        if first in members:
            return level
    return None


def main():
    faults = []
    for path in sorted(SRC.rglob("*")):
        if path.suffix not in {".h", ".cpp"}:
            continue
        text = path.read_text(encoding="utf-8", errors="replace")
        in_core = CORE in path.parents
        own = layer_of(path) if in_core else None
        if in_core and own is None:
            faults.append(f"{path}: belongs to no layer")
        for kind, name in INCLUDE.findall(text):
            if kind == "<":
                if in_core and re.match(r"(Q|qt)", name):
                    faults.append(f"{path}: Qt in the core: <{name}>")
                continue
            places = {c.resolve() for c in [path.parent / name] + [r / name for r in ROOTS]
                      if c.is_file()}
            if len(places) > 1:
                faults.append(f'{path}: "{name}" can mean {sorted(map(str, places))}')
            if not in_core or own is None:
                continue
            for place in places:
                if CORE not in place.parents:
                    faults.append(f'{path}: the core includes "{name}" from outside it')
                elif (level := layer_of(place)) is not None and level > own:
                    faults.append(f'{path}: includes "{name}" from a higher layer')
    for fault in faults:
        print(fault)
    print(f"{len(faults)} include faults")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
