#!/usr/bin/env python3
"""Checks that the shipped program's sources are compiled with the hardening flags.

    check-compile-flags.py COMPILE_COMMANDS_JSON SOURCE_DIR SUBDIR...

For every translation unit under SOURCE_DIR/SUBDIR (app, ui, core) in the
compilation database, the last _FORTIFY_SOURCE directive must be
-D_FORTIFY_SOURCE=2 or higher, the last stack protector option
-fstack-protector-strong (or -all), and the optimisation above -O0, without
which _FORTIFY_SOURCE does nothing. Each SUBDIR must have a translation unit.
"""
import json
import os
import shlex
import sys


def problems(args):
    def last(*prefixes):
        return next((a for a in reversed(args) if a.startswith(prefixes)), "none")

    fortify = last("-D_FORTIFY_SOURCE", "-U_FORTIFY_SOURCE")
    stack = last("-fstack-protector", "-fno-stack-protector")
    optimisation = last("-O")
    if not fortify.startswith("-D_FORTIFY_SOURCE=") or int(fortify.split("=")[1]) < 2:
        yield f"_FORTIFY_SOURCE: the last directive is {fortify}"
    if stack not in ("-fstack-protector-strong", "-fstack-protector-all"):
        yield f"stack protector: the last option is {stack}"
    if optimisation in ("none", "-O0"):
        yield f"optimisation {optimisation}: fortify needs -O1 or more"


def main(database, source_dir, *subdirs):
    with open(database, encoding="utf-8") as f:
        entries = json.load(f)
    failures = []
    for subdir in subdirs:
        units = [e for e in entries if os.path.relpath(os.path.normpath(os.path.join(
            e["directory"], e["file"])), os.path.abspath(source_dir)).split(os.sep)[0] == subdir]
        failures += [] if units else [f"no translation unit under {subdir}/ in {database}"]
        for unit in units:
            found = list(problems(unit.get("arguments") or shlex.split(unit["command"])))
            failures += [f"{unit['file']}: {'; '.join(found)}"] if found else []
    print("\n".join(f"FAIL: {failure}" for failure in failures) or "PASS: every unit hardened")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]) if len(sys.argv) >= 4 else __doc__)
