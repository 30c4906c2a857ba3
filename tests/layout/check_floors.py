#!/usr/bin/env python3
"""Checks the floors of the source tree from its #include lines.

- platform/, audio/ and common/ are the ground floor: they include nothing of
  the game above them (only each other, downwards).
- app/ stands at the top: outside it only the program's entry, the
  simulator, the benchmarks and the tests may include it.

Prints each offending include and exits 1; exits 0 when the floors hold.
"""
import pathlib
import re
import sys

ROOT = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ".")
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')

# What each ground-floor folder may include.
GROUND = {
    "common": {"common"},
    "platform": {"platform", "common"},
    "audio": {"audio", "platform", "common"},
}
# Who may include app/ besides app/ itself.
APP_USERS = ("src/main.cpp", "tools/sim/", "bench/", "tests/")


def includes(path):
    for number, line in enumerate(path.read_text(errors="replace").splitlines(), 1):
        m = INCLUDE.match(line)
        if m:
            yield number, m.group(1)


def main():
    faults = []
    for path in sorted(ROOT.glob("**/*")):
        if path.suffix not in (".cpp", ".h") or "build" in path.relative_to(ROOT).parts[0]:
            continue
        rel = path.relative_to(ROOT).as_posix()
        parts = rel.split("/")
        floor = parts[1] if parts[0] == "src" and len(parts) > 2 else None
        for number, target in includes(path):
            top = target.split("/")[0] if "/" in target else None
            if floor in GROUND and top is not None and top not in GROUND[floor]:
                faults.append(f"{rel}:{number}: the {floor}/ floor includes {target}")
            if top == "app" and floor != "app" and not rel.startswith(APP_USERS):
                faults.append(f"{rel}:{number}: only the program, simulator, benchmarks and tests include {target}")
    for fault in faults:
        print(fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
