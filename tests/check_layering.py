#!/usr/bin/env python3
"""Holds the code to the layering table of docs/architecture.md.

Every module of the table owns one or more folders (a file belongs to the module of its longest matching
folder) and stands on the modules it names; it may include its own headers and those of every module below
it, directly or through others, and nothing else. Core modules include no window-system header. A source
folder that no module owns is refused too, so that a new folder cannot escape the table.

With a second argument, the file the build writes with each module library's direct link dependencies, the
build's link graph must be the table's as well.

Usage: check_layering.py REPOSITORY [MODULE_LINKS]
"""
import pathlib
import re
import subprocess
import sys

WINDOW_SYSTEM = re.compile(r'#include\s*<(SDL|FL/|EGL/|epoxy/egl|X11/|GL/glx|wayland|emscripten)')
QUOTED = re.compile(r'^\s*#\s*include\s*"([^"]+)"', re.MULTILINE)
SOURCE = re.compile(r'\.(h|hpp|c|cc|cpp)$')


def read_table(repository):
    """The layering table: {module: (side, [folders], [modules it stands on])}."""
    text = (repository / 'docs' / 'architecture.md').read_text()
    section = text.split('<!-- layering -->')[1].split('<!-- end of layering -->')[0]
    table = {}
    for line in section.splitlines():
        cells = [cell.strip() for cell in line.strip().strip('|').split('|')]
        if len(cells) != 4 or not cells[0].startswith('`'):
            continue
        module = cells[0].strip('`')
        folders = re.findall(r'`([^`]+/)`', cells[1])
        below = re.findall(r'`([^`]+)`', cells[3])
        table[module] = (cells[2], folders, below)
    return table


def below(table, module, seen=None):
    """Every module that `module` stands on, directly or through others."""
    seen = set() if seen is None else seen
    for lower in table[module][2]:
        if lower not in seen:
            seen.add(lower)
            below(table, lower, seen)
    return seen


def owner(table, path):
    best = None
    for module, (_, folders, _) in table.items():
        for folder in folders:
            if path.startswith(folder) and (best is None or len(folder) > len(best[1])):
                best = (module, folder)
    return best[0] if best else None


def main():
    repository = pathlib.Path(sys.argv[1])
    table = read_table(repository)
    problems = [f'{module} stands on {name}, which the table does not list'
                for module, (_, _, lower) in table.items() for name in lower if name not in table]
    problems += [f'{module} stands on itself' for module in table if not problems and module in below(table, module)]
    if problems:
        sys.exit('\n'.join(problems))

    files = subprocess.run(['git', 'ls-files'], cwd=repository, capture_output=True, text=True,
                           check=True).stdout.split()
    for path in files:
        if not SOURCE.search(path):
            continue
        module = owner(table, path)
        if module is None:
            problems.append(f'{path}: no module of the layering table owns its folder')
            continue
        text = (repository / path).read_text(errors='replace')
        allowed = below(table, module) | {module}
        for match in QUOTED.finditer(text):
            target = owner(table, match.group(1))
            if target is None or target in allowed:
                continue
            line = text.count('\n', 0, match.start()) + 1
            problems.append(f'{path}:{line}: {module} includes {match.group(1)} of {target}, '
                            f'which {module} does not stand on')
        if table[module][0] == 'core':
            for match in WINDOW_SYSTEM.finditer(text):
                line = text.count('\n', 0, match.start()) + 1
                problems.append(f'{path}:{line}: a window-system header in the core')

    if len(sys.argv) > 2:
        for line in pathlib.Path(sys.argv[2]).read_text().splitlines():
            module, _, links = line.partition(':')
            linked = sorted({name[len('velmora_'):] for name in re.split(r'[;\s]+', links)
                             if name.startswith('velmora_') and name[len('velmora_'):] in table})
            if linked != sorted(table[module][2]):
                problems.append(f'the build links {module} on {", ".join(linked) or "nothing"}; the table says '
                                f'{", ".join(sorted(table[module][2])) or "nothing"}')

    if problems:
        print('\n'.join(problems))
        sys.exit(1)
    print(f'layering: {len(table)} modules, every include runs downwards')


if __name__ == '__main__':
    main()
