#!/usr/bin/env python3
"""Coverage figures for scripts/coverage.

coverage_folders.py <src>             reads `llvm-cov export -summary-only` JSON on stdin and prints
                                      the line and branch figures of each folder below <src>.
coverage_folders.py --branches <src> <folder>
                                      reads `llvm-cov show -show-branches=count` text on stdin and
                                      lists the branches below <src>/<folder> no test took both ways.
"""
import json
import os
import re
import sys


def percent(covered, count):
    return f"{100.0 * covered / count:5.1f}%" if count else "    -"


def folders(src):
    data = json.load(sys.stdin)
    totals = {}
    for entry in data["data"][0]["files"]:
        name = os.path.relpath(entry["filename"], src)
        if name.startswith(".."):
            continue
        folder = os.path.dirname(name) or "."
        summary = entry["summary"]
        row = totals.setdefault(folder, [0, 0, 0, 0])
        row[0] += summary["lines"]["covered"]
        row[1] += summary["lines"]["count"]
        row[2] += summary["branches"]["covered"]
        row[3] += summary["branches"]["count"]
    everything = [sum(row[i] for row in totals.values()) for i in range(4)]
    print(f"{'folder':<28} {'lines':>21} {'branches':>21}")
    for folder, row in sorted(totals.items()) + [("all", everything)]:
        print(f"{folder:<28} {row[0]:>7}/{row[1]:<7} {percent(row[0], row[1])} "
              f"{row[2]:>7}/{row[3]:<7} {percent(row[2], row[3])}")


def branches(src, folder):
    source_line = re.compile(r"^\s*(\d+)\|\s*[^|]*\|(.*)$")
    branch = re.compile(r"Branch \((\d+):(\d+)\): \[True: ([^,]+), False: ([^\]]+)\]")
    lines = {}
    current = None
    for text in sys.stdin:
        text = text.rstrip("\n")
        if text.startswith("/") and text.endswith(":"):
            current = os.path.relpath(text[:-1], src)
            if not current.startswith(folder.rstrip("/") + "/"):
                current = None
            lines = {}
            continue
        match = source_line.match(text)
        if match:
            lines[int(match.group(1))] = match.group(2).strip()
            continue
        match = branch.search(text)
        if match and current:
            line, column, taken, skipped = match.groups()
            never = [way for way, count in (("true", taken), ("false", skipped)) if count.strip() == "0"]
            if never:
                print(f"{current}:{line}:{column}: never {' nor '.join(never)}: "
                      f"{lines.get(int(line), '')}")


if __name__ == "__main__":
    if sys.argv[1] == "--branches":
        branches(sys.argv[2], sys.argv[3])
    else:
        folders(sys.argv[1])
