#!/usr/bin/env python3
"""Checks that the shipped program's sources are compiled with the hardening flags.

    check-compile-flags.py COMPILE_COMMANDS_JSON SOURCE_DIR SUBDIR...

For every translation unit under SOURCE_DIR/SUBDIR (for example app, ui, core)
in the compilation database, the last _FORTIFY_SOURCE directive must be
-D_FORTIFY_SOURCE=2 (or higher), the last stack protector option must be
-fstack-protector-strong (or -all), and an optimisation level above -O0 must
be in force, since _FORTIFY_SOURCE does nothing without one. Each SUBDIR must
have at least one translation unit. Prints one line per unit; exit status 1
when any check fails.
"""

import json
import os
import shlex
import sys


def last(args, predicate):
    found = None
    for arg in args:
        if predicate(arg):
            found = arg
    return found


def check(args):
    problems = []
    fortify = last(args, lambda a: a.startswith(("-D_FORTIFY_SOURCE", "-U_FORTIFY_SOURCE")))
    if fortify is None or not fortify.startswith("-D_FORTIFY_SOURCE="):
        problems.append(f"_FORTIFY_SOURCE: last directive is {fortify or 'none'}")
    elif int(fortify.split("=", 1)[1]) < 2:
        problems.append(f"_FORTIFY_SOURCE level below 2: {fortify}")
    stack = last(args, lambda a: a.startswith(("-fstack-protector", "-fno-stack-protector")))
    if stack not in ("-fstack-protector-strong", "-fstack-protector-all"):
        problems.append(f"stack protector: last option is {stack or 'none'}")
    opt = last(args, lambda a: a.startswith("-O"))
    if opt in (None, "-O0"):
        problems.append(f"optimisation: {opt or 'none'} (fortify needs -O1 or more)")
    return problems


def main():
    if len(sys.argv) < 4:
        sys.exit(__doc__)
    database, source_dir = sys.argv[1], os.path.abspath(sys.argv[2])
    subdirs = sys.argv[3:]
    with open(database, encoding="utf-8") as f:
        entries = json.load(f)

    seen = {d: 0 for d in subdirs}
    failures = 0
    for entry in entries:
        path = os.path.normpath(os.path.join(entry["directory"], entry["file"]))
        rel = os.path.relpath(path, source_dir)
        subdir = rel.split(os.sep, 1)[0]
        if subdir not in seen:
            continue
        seen[subdir] += 1
        args = entry["arguments"] if "arguments" in entry else shlex.split(entry["command"])
        problems = check(args)
        if problems:
            failures += 1
            print(f"FAIL: {rel}: " + "; ".join(problems))
        else:
            print(f"PASS: {rel}")
    for subdir, count in seen.items():
        if count == 0:
            failures += 1
            print(f"FAIL: no translation unit under {subdir}/ in {database}")
    if failures:
        print(f"{failures} problem(s)")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
