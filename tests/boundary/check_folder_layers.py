#!/usr/bin/env python3
"""The program's folders depend one way: the entries (the Windows one, the Linux front end) on
everything, scene on settings, interaction and shell, settings and interaction on shell, shell
on none of them. Inside and
across them no two files (a header with its source) include each other round a loop.

    check_folder_layers.py ROOT
"""
import re
import sys
from pathlib import Path

# Each folder with the folders it may include from.
MAY_INCLUDE = {
    "shell": set(),
    "settings": {"shell"},
    "interaction": {"shell"},
    "scene": {"shell", "settings", "interaction"},
    "app": {"shell", "settings", "interaction", "scene"},
    "x11": {"shell", "settings", "interaction", "scene"},
}
INCLUDE = re.compile(r'^\s*#\s*include\s*"([a-z_]+)/([^"]+)\.(?:h|hpp)"', re.MULTILINE)


def units(root):
    """Each file's unit (folder/name without its ending) and the units it includes."""
    graph = {}
    for folder in MAY_INCLUDE:
        for path in sorted((root / folder).glob("*")):
            if path.suffix not in (".h", ".hpp", ".cpp", ".cc"):
                continue
            unit = f"{folder}/{path.stem}"
            included = graph.setdefault(unit, set())
            for target_folder, name in INCLUDE.findall(path.read_text(errors="replace")):
                if target_folder in MAY_INCLUDE and f"{target_folder}/{name}" != unit:
                    included.add((f"{target_folder}/{name}", path.name))
    return graph


def layer_problems(graph):
    problems = []
    for unit, included in sorted(graph.items()):
        folder = unit.split("/")[0]
        for target, file_name in sorted(included):
            target_folder = target.split("/")[0]
            if target_folder != folder and target_folder not in MAY_INCLUDE[folder]:
                problems.append(f"{folder}/{file_name}: includes {target}.h, a folder above {folder}")
    return problems


def loops(graph):
    """Every loop of units, once, each as the path that closes it."""
    edges = {unit: sorted({target for target, _ in included if target in graph}) for unit, included in graph.items()}
    found, state, stack = [], {}, []

    def visit(unit):
        state[unit] = "open"
        stack.append(unit)
        for target in edges[unit]:
            if state.get(target) == "open":
                found.append(stack[stack.index(target):] + [target])
            elif target not in state:
                visit(target)
        stack.pop()
        state[unit] = "done"

    for unit in sorted(edges):
        if unit not in state:
            visit(unit)
    return found


def main():
    root = Path(sys.argv[1])
    graph = units(root)
    problems = layer_problems(graph)
    problems += ["include loop: " + " -> ".join(loop) for loop in loops(graph)]
    if problems:
        print("\n".join(problems))
        return 1
    print(f"{len(graph)} units of {', '.join(MAY_INCLUDE)} depend one way, with no include loop")
    return 0


if __name__ == "__main__":
    sys.exit(main())
