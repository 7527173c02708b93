#!/usr/bin/env python3
"""Checks the includes between the library's folders against the order in docs/ARCHITECTURE.md.

Usage: scripts/check_includes.py [--root DIR] [--doc FILE]

A folder of src/norv (and include/norv, when present) may include its own headers and those of
folders on a lower level of the documented order, nothing else; files directly in src/norv (the
umbrella header) may include anything. norv/Export.h, the export mark, stands below every folder:
any file may include it. Exit status: 0 when every include keeps the order, 1 when
one does not or the folders include each other in a cycle (each offending include is listed as
file:line: from-folder -> to-folder), 2 when the order cannot be read from the document.
"""
import argparse
import pathlib
import re
import sys

ORDER_HEADING = "## Folders, lowest first"
LEVEL_LINE = re.compile(r"^\d+\.\s+((?:`[\w-]+/`[\s,]*)+)")
FOLDER_NAME = re.compile(r"`([\w-]+)/`")
INCLUDE = re.compile(r'^\s*#\s*include\s*(?:"([^"]+)"|<(norv/[^>]+)>)')
SOURCES = {".h", ".hh", ".hpp", ".c", ".cc", ".cpp", ".inc"}
UMBRELLA = "norv/"  # the files directly in a library root: above every folder
BASE = {"norv/Export.h"}  # ...except these, below every folder


def read_levels(doc):
    """Folder -> level (0 the lowest), from the numbered list under ORDER_HEADING."""
    levels, in_section = {}, False
    for line in doc.read_text(encoding="utf-8").splitlines():
        if line.startswith("#"):
            in_section = line.strip() == ORDER_HEADING
            continue
        match = LEVEL_LINE.match(line) if in_section else None
        if match:
            level = len(set(levels.values()))
            for name in FOLDER_NAME.findall(match.group(1)):
                levels[name] = level
    return levels


def folder_in(path, libraries):
    """The folder of a library root that holds path, UMBRELLA for a file directly in a root,
    None for a path outside every root."""
    for library in libraries:
        try:
            parts = path.relative_to(library).parts
        except ValueError:
            continue
        return parts[0] if len(parts) > 1 else UMBRELLA
    return None


def included_folder(text, source, libraries):
    """The folder an include names: "norv/<folder>/..." or a path relative to the source."""
    if text in BASE:
        return None
    if text.startswith("norv/"):
        parts = text.split("/")
        return parts[1] if len(parts) > 2 else UMBRELLA
    return folder_in((source.parent / text).resolve(), libraries)


def includes(libraries):
    """(source, line number, from-folder, to-folder, include text) of every include between
    folders."""
    for library in libraries:
        for source in sorted(library.rglob("*")):
            if source.suffix not in SOURCES or not source.is_file():
                continue
            origin = folder_in(source, libraries)
            lines = source.read_text(encoding="utf-8", errors="replace").splitlines()
            for number, line in enumerate(lines, 1):
                match = INCLUDE.match(line)
                text = match and (match.group(1) or match.group(2))
                target = text and included_folder(text, source, libraries)
                if target and target != origin:
                    yield source, number, origin, target, text


def against_order(origin, target, levels):
    """Why an include from origin to target breaks the order, or None when it keeps it."""
    if origin == UMBRELLA:
        return None
    for name in (origin, target):
        if name != UMBRELLA and name not in levels:
            return f"folder {name}/ is not in the documented order"
    if target == UMBRELLA:
        return "the umbrella header stands above every folder"
    if levels[target] == levels[origin]:
        return "folders on one level do not include each other"
    if levels[target] > levels[origin]:
        return "a folder includes only folders below it"
    return None


def cycles(graph):
    """The strongly connected groups of more than one folder (Tarjan), each sorted."""
    index, low, stack, on_stack, found = {}, {}, [], set(), []

    def visit(node):
        index[node] = low[node] = len(index)
        stack.append(node)
        on_stack.add(node)
        for nxt in sorted(graph.get(node, ())):
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
                found.append(sorted(group))

    for node in sorted(graph):
        if node not in index:
            visit(node)
    return found


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    here = pathlib.Path(__file__).resolve().parent.parent
    parser.add_argument("--root", type=pathlib.Path, default=here, help="the project's root")
    parser.add_argument("--doc", type=pathlib.Path, help="default: ROOT/docs/ARCHITECTURE.md")
    args = parser.parse_args()
    root = args.root.resolve()
    doc = args.doc or root / "docs" / "ARCHITECTURE.md"
    try:
        levels = read_levels(doc)
    except OSError as error:
        print(f"check_includes: cannot read the order: {error}", file=sys.stderr)
        return 2
    if not levels:
        print(f"check_includes: no numbered folder list under '{ORDER_HEADING}' in {doc}",
              file=sys.stderr)
        return 2

    libraries = [p for p in (root / "src" / "norv", root / "include" / "norv") if p.is_dir()]
    offences, graph, count = [], {}, 0
    for source, number, origin, target, text in includes(libraries):
        count += 1
        graph.setdefault(origin, set()).add(target)
        reason = against_order(origin, target, levels)
        if reason:
            where = source.relative_to(root)
            offences.append(f"  {where}:{number}: {origin} -> {target} "
                            f"(#include \"{text}\"): {reason}")
    groups = cycles(graph)
    if not offences and not groups:
        print(f"check_includes: {count} includes between folders keep the order of {doc.name}")
        return 0
    if offences:
        print(f"check_includes: {len(offences)} includes go against the order in {doc}:")
        print("\n".join(offences))
    for group in groups:
        print(f"check_includes: the folders {', '.join(group)} include each other in a cycle")
    return 1


if __name__ == "__main__":
    sys.exit(main())
