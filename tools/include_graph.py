#!/usr/bin/env python3
"""Prints the include graph between the folders of src/ and fails on an include against the
layering (model, then catalogue and plot, then widgets, then window) or on a cycle."""
import pathlib
import re
import sys

LAYER = {"model": 0, "catalogue": 1, "plot": 1, "widgets": 2, "window": 3}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)


def main(src):
    src = pathlib.Path(src)
    folder_of = {f.name: f.parent.name for f in src.glob("*/*") if f.parent.name in LAYER}
    edges = {}
    for f in src.glob("*/*"):
        if f.parent.name not in LAYER:
            continue
        for name in INCLUDE.findall(f.read_text(encoding="utf-8")):
            target = folder_of.get(name)
            if target and target != f.parent.name:
                edges.setdefault((f.parent.name, target), []).append(f"{f.name} -> {name}")
    wrong = []
    for (a, b), why in sorted(edges.items()):
        ok = LAYER[b] < LAYER[a]
        print(f"{a} -> {b}{'' if ok else '   AGAINST THE LAYERS'}: {', '.join(sorted(set(why)))}")
        if not ok:
            wrong.append((a, b))
    # Layers strictly decrease along every allowed edge, so no allowed graph has a cycle; a wrong
    # edge is reported above, and a cycle among the folders needs at least one.
    if wrong:
        print(f"{len(wrong)} include(s) against the layers")
        return 1
    print("no include against the layers, no cycle between folders")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1] if len(sys.argv) > 1 else "src"))
