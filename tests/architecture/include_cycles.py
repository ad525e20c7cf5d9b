#!/usr/bin/env python3
"""The program's include graph: no two units include each other, directly or round a longer path,
and no two folders either. A unit is a header with its source (and its form); a folder is a
library. Prints each cycle found and exits 1, or prints the graph's size and exits 0."""
import pathlib
import re
import sys

FOLDERS = ["base", "toolkit", "resources", "report", "windows", "windows/browser", "calc", "app", "cli"]
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.MULTILINE)


def units(root):
    """Maps each program header's file name to its unit: (folder, stem)."""
    found, files = {}, {}
    for folder in FOLDERS:
        for path in sorted((root / folder).glob("*")):
            if path.suffix not in (".h", ".cpp"):
                continue
            unit = (folder, path.stem)
            files.setdefault(unit, []).append(path)
            if path.suffix == ".h":
                if path.name in found:
                    sys.exit(f"two headers named {path.name}: {found[path.name]} and {unit}")
                found[path.name] = unit
    return found, files


def cycles(graph):
    """Strongly connected components of more than one node (Tarjan), each sorted."""
    index, low, stack, on_stack, result = {}, {}, [], set(), []

    def visit(node):
        index[node] = low[node] = len(index)
        stack.append(node)
        on_stack.add(node)
        for target in graph.get(node, ()):
            if target not in index:
                visit(target)
                low[node] = min(low[node], low[target])
            elif target in on_stack:
                low[node] = min(low[node], index[target])
        if low[node] == index[node]:
            component = []
            while True:
                member = stack.pop()
                on_stack.discard(member)
                component.append(member)
                if member == node:
                    break
            if len(component) > 1:
                result.append(sorted(component))

    for node in sorted(graph):
        if node not in index:
            visit(node)
    return result


def main():
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ".").resolve()
    headers, files = units(root)
    unit_graph, folder_graph = {}, {}
    for unit, paths in files.items():
        for path in paths:
            for name in INCLUDE.findall(path.read_text(encoding="utf-8")):
                target = headers.get(pathlib.PurePosixPath(name).name)
                if target is None or target == unit:
                    continue  # Qt, the system, generated forms, or the unit's own header
                unit_graph.setdefault(unit, set()).add(target)
                if target[0] != unit[0]:
                    folder_graph.setdefault(unit[0], set()).add(target[0])
    failures = [("units", c) for c in cycles(unit_graph)] + [("folders", c) for c in cycles(folder_graph)]
    for kind, cycle in failures:
        names = [f"{n[0]}/{n[1]}" if isinstance(n, tuple) else n for n in cycle]
        print(f"cycle among {kind}: {', '.join(names)}")
    edges = sum(len(targets) for targets in unit_graph.values())
    print(f"{len(files)} units, {edges} includes between them, {len(failures)} cycles")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
