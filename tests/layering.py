"""The dependency rule, checked over the include lines: a folder includes only
its own files and those of the folders below it, and no files include each
other in a circle. Run with the source folder; prints every breach."""

import re
import sys
from pathlib import Path

# Lowest first: each folder may include the folders before it.
LAYERS = ["core", "shell", "presentation", "dialogs", "playback", "app"]
INCLUDE = re.compile(r'^\s*#\s*include\s+"([a-z]+)/([^"]+)"', re.M)


def product_files(root):
    for layer in LAYERS:
        yield from sorted((root / layer).glob("*.[ch]*"))


def main(root):
    breaches = []
    graph = {}
    for path in product_files(root):
        own = path.parent.name
        name = f"{own}/{path.name}"
        graph[name] = []
        for folder, file in INCLUDE.findall(path.read_text(errors="replace")):
            if folder not in LAYERS:
                continue
            graph[name].append(f"{folder}/{file}")
            if LAYERS.index(folder) > LAYERS.index(own):
                breaches.append(f"{name} includes {folder}/{file}: {folder} is above {own}")

    # A header and its source file are one unit; a circle runs through units.
    def unit(name):
        return name.rsplit(".", 1)[0]

    edges = {}
    for name, targets in graph.items():
        edges.setdefault(unit(name), set()).update(unit(t) for t in targets if unit(t) != unit(name))
    state = {}

    def visit(node, trail):
        state[node] = "open"
        for nxt in sorted(edges.get(node, ())):
            if state.get(nxt) == "open":
                breaches.append("include circle: " + " -> ".join(trail[trail.index(nxt):] + [nxt]))
            elif nxt not in state:
                visit(nxt, trail + [nxt])
        state[node] = "done"

    for node in sorted(edges):
        if node not in state:
            visit(node, [node])

    for breach in breaches:
        print(breach)
    print(f"{len(graph)} files, {len(breaches)} breaches of the layering rule")
    return 1 if breaches else 0


if __name__ == "__main__":
    sys.exit(main(Path(sys.argv[1] if len(sys.argv) > 1 else ".")))
