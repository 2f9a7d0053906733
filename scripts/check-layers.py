#!/usr/bin/env python3
"""The layer check: every #include "..." of the C++ sources must follow an arrow that the table
in docs/architecture.md allows, and no two folders may include each other, however indirectly.

Usage: scripts/check-layers.py [ROOT]    check the tree at ROOT (default: this repository)
       scripts/check-layers.py --self-test
Prints each include the table does not allow as file:line and its arrow, then each cycle
between folders; ends 1 if there is any, 0 otherwise.
"""

import os
import re
import shutil
import subprocess
import sys
import tempfile

DOC = "docs/architecture.md"
TABLE_HEADER = re.compile(r"^\|\s*folder\s*\|\s*may include\s*\|")
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')
SOURCE_SUFFIXES = (".cpp", ".h")


class TableError(Exception):
    pass


def read_table(root):
    """{folder: [what it may include]} from the table of the architecture document."""
    with open(os.path.join(root, DOC), encoding="utf-8") as f:
        lines = f.read().splitlines()
    start = next((i for i, line in enumerate(lines) if TABLE_HEADER.match(line)), None)
    if start is None:
        raise TableError(f"{DOC}: no table with the columns 'folder' and 'may include'")
    table = {}
    for line in lines[start + 2:]:
        if not line.startswith("|"):
            break
        cells = [cell.strip() for cell in line.strip().strip("|").split("|")]
        folders = re.findall(r"`([^`]+)`", cells[0])
        if len(folders) != 1:
            raise TableError(f"{DOC}: a row must name one folder: {line}")
        table[folders[0].rstrip("/")] = [e.rstrip("/") for e in re.findall(r"`([^`]+)`", cells[1])]
    check_table(table)
    return table


def folder_of(path, table):
    """The table's folder that holds a path: the longest that is a prefix of it."""
    best = None
    for folder in table:
        if path.startswith(folder + "/") and (best is None or len(folder) > len(best)):
            best = folder
    return best


def allows(table, source, target, include):
    """Whether folder source may include the file include, which lies in folder target."""
    return source == target or any(
        entry == target or target.startswith(entry + "/") or entry == include
        for entry in table[source])


def check_table(table):
    for folder, entries in table.items():
        for entry in entries:
            if not any(f == entry or f.startswith(entry + "/") for f in table) and \
                    folder_of(entry, table) is None:
                raise TableError(f"{DOC}: {folder} may include {entry}, which no row names")
    # Each entry reaches the rows it names; the table itself must allow no cycle.
    arrows = {f: {t for t in table if t != f and any(
        e == t or t.startswith(e + "/") or folder_of(e, table) == t for e in table[f])}
        for f in table}
    for cycle in cycles(arrows):
        raise TableError(f"{DOC}: the table allows a cycle: {' -> '.join(cycle + cycle[:1])}")


def cycles(arrows):
    """One cycle (as a list of folders) per group of folders that reach each other."""
    index, low, stack, on_stack, groups = {}, {}, [], set(), []

    def visit(node):  # Tarjan's strongly connected components
        index[node] = low[node] = len(index)
        stack.append(node)
        on_stack.add(node)
        for nxt in sorted(arrows.get(node, ())):
            if nxt not in index:
                visit(nxt)
                low[node] = min(low[node], low[nxt])
            elif nxt in on_stack:
                low[node] = min(low[node], index[nxt])
        if low[node] == index[node]:
            group = []
            while True:
                member = stack.pop()
                on_stack.discard(member)
                group.append(member)
                if member == node:
                    break
            if len(group) > 1:
                groups.append(set(group))

    for node in sorted(arrows):
        if node not in index:
            visit(node)
    found = []
    for group in groups:  # a shortest way round from the group's first folder
        start = min(group)
        paths = {start: [start]}
        queue = [start]
        while queue:
            node = queue.pop(0)
            for nxt in sorted(arrows[node] & group):
                if nxt == start:
                    found.append(paths[node])
                    queue = []
                    break
                if nxt not in paths:
                    paths[nxt] = paths[node] + [nxt]
                    queue.append(nxt)
    return found


def sources(root, table):
    for folder in sorted(table):
        for base, dirs, files in os.walk(os.path.join(root, folder)):
            dirs.sort()
            for name in sorted(files):
                if name.endswith(SOURCE_SUFFIXES):
                    yield os.path.relpath(os.path.join(base, name), root)


def check(root, out=sys.stdout):
    """Prints what is wrong with the tree at root; returns the number of faults."""
    try:
        table = read_table(root)
    except (OSError, TableError) as error:
        print(error, file=out)
        return 1
    faults = 0
    includes = 0
    arrows = {}  # (from, to) -> the first file:line that draws it
    for path in sources(root, table):
        source = folder_of(path, table)
        with open(os.path.join(root, path), encoding="utf-8", errors="replace") as f:
            for number, line in enumerate(f, 1):
                match = INCLUDE.match(line)
                if not match:
                    continue
                include = match.group(1)
                includes += 1
                if "/" not in include:
                    continue  # beside the file, or made by the build
                target = folder_of(include, table)
                if target is None:
                    print(f"{path}:{number}: includes {include}, in no folder of the table",
                          file=out)
                    faults += 1
                    continue
                if target != source:
                    arrows.setdefault((source, target), f"{path}:{number}")
                if not allows(table, source, target, include):
                    print(f"{path}:{number}: {source} -> {target} ({include}) is not an "
                          f"allowed arrow", file=out)
                    faults += 1
    graph = {}
    for source, target in arrows:
        graph.setdefault(source, set()).add(target)
        graph.setdefault(target, set())
    for cycle in cycles(graph):
        steps = [f"{a} -> {b} ({arrows[(a, b)]})" for a, b in zip(cycle, cycle[1:] + cycle[:1])]
        print("cycle between folders: " + ", ".join(steps), file=out)
        faults += 1
    print(f"layers: {includes} includes, {len(arrows)} arrows between folders, {faults} faults",
          file=out)
    return faults


# --- Self-test: the check must fail where it should and pass where it should -------------------

def write(root, path, text):
    os.makedirs(os.path.dirname(os.path.join(root, path)), exist_ok=True)
    with open(os.path.join(root, path), "w", encoding="utf-8") as f:
        f.write(text)


def run(root):
    result = subprocess.run([sys.executable, os.path.abspath(__file__), root], text=True,
                            stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
    return result.returncode, result.stdout


def expect(condition, what, output):
    if not condition:
        print(f"self-test: {what}\n{output}")
        sys.exit(1)


def self_test():
    with tempfile.TemporaryDirectory() as scratch:
        # A small tree: b below a.
        tree = os.path.join(scratch, "small")
        table = "| folder | may include |\n| --- | --- |\n| `a` | `b` |\n| `b` | nothing |\n"
        write(tree, DOC, "# Map\n\n" + table)
        write(tree, "a/x.cpp", '#include "a/x.h"\n#include "b/y.h"\n#include "local.h"\n')
        write(tree, "a/x.h", "#pragma once\n")
        write(tree, "b/y.h", "#pragma once\n")
        code, output = run(tree)
        expect(code == 0, "a tree that keeps to its table fails", output)

        write(tree, "b/y.h", '#pragma once\n#include "a/x.h"\n')
        code, output = run(tree)
        expect(code == 1 and "b/y.h:2: b -> a (a/x.h) is not an allowed arrow" in output
               and "cycle between folders" in output, "an include upwards passes", output)

        write(tree, DOC, "# Map\n\n" + table + "| `c` | `a` |\n")
        write(tree, "b/y.h", '#pragma once\n#include "c/z.h"\n')
        code, output = run(tree)
        expect(code == 1 and "b/y.h:2: b -> c (c/z.h) is not an allowed arrow" in output,
               "an include of a folder the row does not name passes", output)

        write(tree, DOC, "# Map\n\n" + table.replace("| `b` | nothing |", "| `b` | `a` |"))
        code, output = run(tree)
        expect(code == 1 and "the table allows a cycle" in output,
               "a table with a cycle is taken", output)

        # This repository, with one include planted the wrong way: from the bottom of the core
        # to a driver's header.
        here = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
        copy = os.path.join(scratch, "repository")
        table = read_table(here)
        for folder in list(table) + [os.path.dirname(DOC)]:
            if os.path.isdir(os.path.join(here, folder)) and \
                    not os.path.exists(os.path.join(copy, folder)):
                shutil.copytree(os.path.join(here, folder), os.path.join(copy, folder))
        _, before = run(copy)
        bottom = next(f for f in sorted(table) if not table[f] and f.startswith("core"))
        victim = next(s for s in sources(copy, table) if s.startswith(bottom + "/"))
        driver = next(s for s in sources(copy, table)
                      if s.startswith("drivers/") and s.endswith(".h"))
        with open(os.path.join(copy, victim), encoding="utf-8") as f:
            lines = f.read().splitlines()
        write(copy, victim, "\n".join(lines + [f'#include "{driver}"']) + "\n")
        line = f"{victim}:{len(lines) + 1}"
        arrow = f"{bottom} -> {folder_of(driver, table)}"
        code, after = run(copy)
        expect(line not in before, "the planted line was reported before it was planted",
               before)
        expect(code == 1 and f"{line}: {arrow} ({driver}) is not an allowed arrow" in after,
               f"the include planted in {victim} is not reported", after)
        expect(f"{arrow} ({line})" in after, "the cycle it makes is not reported", after)
    print("layer check self-test: passed")


if __name__ == "__main__":
    if sys.argv[1:] == ["--self-test"]:
        self_test()
    else:
        root = sys.argv[1] if len(sys.argv) > 1 else \
            os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
        sys.exit(1 if check(root) else 0)
