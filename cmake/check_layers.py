#!/usr/bin/python3
"""Checks the includes of the sources against the layer order of the folders.

A file under src/<folder>/ may include headers of its own folder and of folders in lower layers
only; folders in one layer stand side by side and do not include each other. Files in folders that
link no Qt Widgets may not include a header of Qt's Widgets or PrintSupport modules (their
widget sub-folders excepted). Prints each offending include with its file and line, and exits 1.
"""

import argparse
import os
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')


def arguments():
    parser = argparse.ArgumentParser()
    parser.add_argument('--src', required=True)
    parser.add_argument('--layers', nargs='+', required=True,
                        help='the layers, lowest first; a layer is one folder or several, blank-separated')
    parser.add_argument('--no-widgets', nargs='*', default=[])
    parser.add_argument('--widget-folders', nargs='*', default=[])
    parser.add_argument('--widgets-include', default='')
    parser.add_argument('--printsupport-include', default='')
    return parser.parse_args()


def widget_headers(include_dirs):
    """The names of the headers Qt's widget modules install, such as "QWidget" and "QtWidgets/QWidget"."""
    names = set()
    for folder in include_dirs:
        for module in ('QtWidgets', 'QtPrintSupport'):
            path = os.path.join(folder, module) if os.path.basename(folder) != module else folder
            if not os.path.isdir(path):
                continue
            for name in os.listdir(path):
                names.add(name)
                names.add(module + '/' + name)
    return names


def under(path, folders):
    return any(path == f or path.startswith(f + '/') for f in folders)


def main():
    args = arguments()
    rank = {}
    for index, layer in enumerate(args.layers):
        for folder in layer.split():
            rank[folder] = index
    order = ' < '.join(args.layers)
    include_dirs = [d for d in (args.widgets_include + ';' + args.printsupport_include).split(';') if d]
    forbidden = widget_headers(include_dirs)

    faults = []
    for root, _, files in os.walk(args.src):
        for name in sorted(files):
            if not name.endswith(('.h', '.cpp')):
                continue
            path = os.path.join(root, name)
            relative = os.path.relpath(path, args.src)
            if '/' not in relative:
                continue  # the shared precompiled header
            folder = relative.split('/')[0]
            if folder not in rank:
                faults.append(f'{relative}: folder "{folder}" has no place in the layer order ({order})')
                continue
            no_widgets = under(relative, args.no_widgets) and not under(relative, args.widget_folders)
            with open(path, encoding='utf-8', errors='replace') as source:
                for number, line in enumerate(source, 1):
                    match = INCLUDE.match(line)
                    if not match:
                        continue
                    kind, header = match.groups()
                    if kind == '"' and '/' in header:
                        target = header.split('/')[0]
                        if target not in rank:
                            continue
                        if rank[target] > rank[folder] or (rank[target] == rank[folder] and target != folder):
                            faults.append(f'{relative}:{number}: includes "{header}": {folder} may not '
                                          f'include {target} (layers, lowest first: {order})')
                    elif kind == '<' and no_widgets and header in forbidden:
                        faults.append(f'{relative}:{number}: includes <{header}>: {folder} links no Qt Widgets')
    for fault in faults:
        print(fault)
    if faults:
        print(f'{len(faults)} include(s) break the layers')
        return 1
    print('layers: every include keeps the order')
    return 0


if __name__ == '__main__':
    sys.exit(main())
