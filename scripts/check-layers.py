#!/usr/bin/env python3
"""Checks that every folder of src/ includes only headers of the libraries it links.

A folder may include its own headers and those of any folder it links, directly or
through another; only folders that link QtWidgets may include its headers. Prints
`file:line: <folder> may not include <header> (<owner> is above it)` for each
offence and exits 1; exits 0 when there is none, 2 when it cannot check.
"""

import argparse
import os
import re
import subprocess
import sys

# What each folder links (src/CMakeLists.txt); WIDGETS stands for Qt6::Widgets.
# An executable's main.cpp counts as part of its folder.
WIDGETS = "QtWidgets"
LINKS = {
    "gui/image": [],
    "core": ["gui/image"],
    "terrain": ["core"],
    "io": ["terrain"],
    "view": ["io", "terrain"],
    "placement": ["terrain"],
    "elevation": ["terrain"],
    "view3d": ["io", "terrain"],
    "gui": ["gui/image", WIDGETS],
    "app/dialogs": ["gui", "core"],
    "app": ["app/dialogs", "gui", "io", "placement", "view", "view3d", "elevation", "terrain", "core",
            WIDGETS],
    "cli": [],
    "export": ["io", "cli"],
    "scatter": ["io", "placement", "cli"],
    "view3d-tool": ["view3d", "cli"],
    "import-tool": ["elevation", "io", "cli"],
}

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')
SOURCE_SUFFIXES = (".h", ".hpp", ".cpp", ".cc")
SCOPES = {"PRIVATE", "PUBLIC", "INTERFACE"}


def closure(links, folder):
    seen, todo = set(), list(links.get(folder, []))
    while todo:
        dep = todo.pop()
        if dep not in seen:
            seen.add(dep)
            todo.extend(links.get(dep, []))
    return seen


def owner(path):
    """The folder of LINKS a path relative to src/ lies in, the deepest one first."""
    parts = path.replace(os.sep, "/").split("/")
    for n in range(len(parts) - 1, 0, -1):
        folder = "/".join(parts[:n])
        if folder in LINKS:
            return folder
    return None


def shown(path):
    """A path as short as it goes: from the working folder when it lies below it."""
    rel = os.path.relpath(path)
    return path if rel.startswith("..") else rel


def widgets_dir(given):
    """The QtWidgets header folder: a header is a widget header when it resolves there."""
    candidates = [given] if given else ["/usr/include/x86_64-linux-gnu/qt6/QtWidgets"]
    if not given:
        for tool in ("qtpaths6", "qmake6"):
            try:
                out = subprocess.run([tool, "-query", "QT_INSTALL_HEADERS"], capture_output=True,
                                     text=True, check=False).stdout.strip()
            except OSError:
                continue
            if out:
                candidates.append(os.path.join(out, "QtWidgets"))
    return next((c for c in candidates if os.path.isdir(c)), None)


def cmake_closures(cmake_file):
    """Each folder's link closure as src/CMakeLists.txt builds it, to catch a stale table."""
    with open(cmake_file, encoding="utf-8") as cmake:
        text = re.sub(r"#.*", "", cmake.read())
    folder_of, links = {}, {}
    for name, args in re.findall(r"hs_library\(\s*(\S+)\s+([^)]*)\)", text):
        folder, *deps = args.split()
        folder_of[name] = folder
        links.setdefault(folder, set()).update(deps)
    for name, main in re.findall(r"add_executable\(\s*(\S+)\s+(\S+)/main\.cpp\s*\)", text):
        folder_of[name] = main
        links.setdefault(main, set())
    for name, deps in re.findall(r"target_link_libraries\(\s*(\S+)\s+([^)]*)\)", text):
        if name in folder_of:
            links[folder_of[name]].update(d for d in deps.split() if d not in SCOPES)
    named = {f: [folder_of.get(d, WIDGETS if d == "Qt6::Widgets" else None) for d in deps]
             for f, deps in links.items()}
    named = {f: [d for d in deps if d and d != f] for f, deps in named.items()}
    return {f: closure(named, f) for f in named}


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    here = os.path.dirname(os.path.abspath(__file__))
    parser.add_argument("--root", default=os.path.join(here, "..", "src"),
                        help="the source tree to check (default: src/)")
    parser.add_argument("--qt-widgets", help="the QtWidgets header folder")
    args = parser.parse_args()
    root = os.path.normpath(args.root)

    qt_widgets = widgets_dir(args.qt_widgets)
    if not qt_widgets or not os.path.isdir(root):
        print(f"check-layers: no QtWidgets headers or no {root}", file=sys.stderr)
        return 2

    problems = []
    allowed = {f: closure(LINKS, f) | {f} for f in LINKS}
    cmake_file = os.path.join(root, "CMakeLists.txt")
    if os.path.isfile(cmake_file):
        for folder, deps in sorted(cmake_closures(cmake_file).items()):
            if deps != allowed.get(folder, set()) - {folder}:
                problems.append(f"{shown(cmake_file)}: {folder} links {sorted(deps)}, "
                                f"the table in {os.path.basename(__file__)} says otherwise")

    for dirpath, dirnames, filenames in os.walk(root):
        dirnames.sort()
        for name in sorted(filenames):
            if not name.endswith(SOURCE_SUFFIXES):
                continue
            path = os.path.join(dirpath, name)
            folder = owner(os.path.relpath(path, root))
            shown_path = shown(os.path.abspath(path))
            if folder is None:
                problems.append(f"{shown_path}: in no folder of the table")
                continue
            with open(path, encoding="utf-8", errors="replace") as source:
                for number, line in enumerate(source, 1):
                    match = INCLUDE.match(line)
                    if not match:
                        continue
                    quote, header = match.groups()
                    if quote == '"':
                        here_too = os.path.join(dirpath, header)
                        target = os.path.relpath(here_too, root) if os.path.exists(here_too) \
                            else header
                        above = owner(target)
                        text = f'"{header}"'
                    else:
                        module, _, cls = header.rpartition("/")
                        widget = module == WIDGETS or header == WIDGETS or (
                            not module and os.path.isfile(os.path.join(qt_widgets, cls)))
                        above = WIDGETS if widget else None
                        text = f"<{header}>"
                    if above and above not in allowed[folder]:
                        problems.append(f"{shown_path}:{number}: {folder} may not include {text} "
                                        f"({above} is above it)")

    for problem in problems:
        print(problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
