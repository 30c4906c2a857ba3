#!/usr/bin/env python3
"""Checks the floors of the source tree from its #include lines.

- Each folder under src/ is a floor that includes only itself and the floors
  below it (FLOORS, the same order as the libraries in src/CMakeLists.txt):
  the ground (common, platform, audio), the shared state (game), drawing
  (glow, effects), the screen kit (ui), the modes (online, combat, then
  arcade and classic, which never include each other, and options), the shell
  (app).
- app/ stands at the top: outside it only the program's entry, the
  simulator, the benchmarks and the tests may include it.

Prints each offending include and exits 1; exits 0 when the floors hold.
"""
import pathlib
import re
import sys

ROOT = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ".")
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')

# What each floor includes directly; it may include everything those include.
BELOW = {
    "common": [],
    "platform": ["common"],
    "audio": ["common"],
    "game": ["common"],
    "glow": ["game", "platform", "common"],
    "effects": ["glow"],
    "ui": ["effects", "audio"],
    "online": ["ui"],
    "combat": ["ui"],
    "arcade": ["combat", "online"],
    "classic": ["combat", "online"],
    "options": ["combat"],
    "app": ["arcade", "classic", "options", "online"],
}


def reachable(floor):
    seen = {floor}
    for below in BELOW[floor]:
        seen |= reachable(below)
    return seen


FLOORS = {floor: reachable(floor) for floor in BELOW}
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
            if floor in FLOORS and top in FLOORS and top not in FLOORS[floor]:
                faults.append(f"{rel}:{number}: the {floor}/ floor includes {target}, which stands above it")
            if top == "app" and floor != "app" and not rel.startswith(APP_USERS):
                faults.append(f"{rel}:{number}: only the program, simulator, benchmarks and tests include {target}")
    for fault in faults:
        print(fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
