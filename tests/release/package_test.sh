#!/usr/bin/env bash
# make package's .deb: built from this build folder into a scratch folder,
# holding the game's files where an installed copy expects them, and
# depending on the runtime libraries dpkg-shlibdeps found.
# Usage: package_test.sh BUILD_DIR
set -uo pipefail
BUILD=$1
. "$(dirname "$0")/release_helpers.sh"

(cd "$BUILD" && cpack -G DEB -B "$SCRATCH/out" >"$SCRATCH/cpack.log" 2>&1) || fail "cpack: $(cat "$SCRATCH/cpack.log")"
DEB=$(ls "$SCRATCH"/out/orbivore_1*.deb 2>/dev/null | head -n1)
[ -n "$DEB" ] || fail "no .deb: $(cat "$SCRATCH/cpack.log")"
dpkg-deb -c "$DEB" | awk '{print $6}' | sed 's|^\./|/|' >"$SCRATCH/files"

expect=(
    /usr/games/orbivore
    /usr/lib/games/orbivore/libkova.so
    /usr/share/games/orbivore/Menu-loop.ogg
    /usr/share/games/orbivore/Ingame-loop.ogg
    /usr/share/applications/orbivore.desktop
    /usr/share/metainfo/orbivore.metainfo.xml
    /usr/share/icons/hicolor/scalable/apps/orbivore.svg
    /usr/share/man/man6/orbivore.6.gz
    /usr/share/doc/orbivore/copyright
    /usr/share/doc/orbivore/changelog.gz
)
for size in 16 22 24 32 48 64 128 256; do expect+=("/usr/share/icons/hicolor/${size}x${size}/apps/orbivore.png"); done
for f in "${expect[@]}"; do grep -qx "$f" "$SCRATCH/files" || fail "the package lacks $f"; done
exec_line=$(dpkg-deb --fsys-tarfile "$DEB" | tar -xO ./usr/share/applications/orbivore.desktop | grep '^Exec=')
[ "$exec_line" = "Exec=/usr/games/orbivore" ] || fail "the package's desktop entry runs '${exec_line#Exec=}'"
# Nothing of the build's own: tests, tools, the simulator.
grep -E 'test|orbivore-(sim|gen|bench|embed|formations)' "$SCRATCH/files" && fail "the package carries build tools"

# The score server comes as a package of its own, needing none of the game's libraries.
SERVER_DEB=$(ls "$SCRATCH"/out/orbivore-scores_*.deb 2>/dev/null | head -n1)
[ -n "$SERVER_DEB" ] || fail "no orbivore-scores .deb: $(cat "$SCRATCH/cpack.log")"
dpkg-deb -c "$SERVER_DEB" | awk '{print $6}' | sed 's|^\./|/|' >"$SCRATCH/server-files"
for f in /usr/bin/orbivore-scores /usr/share/man/man1/orbivore-scores.1.gz /usr/lib/systemd/system/orbivore-scores.service \
         /usr/share/doc/orbivore-scores/copyright; do
    grep -qx "$f" "$SCRATCH/server-files" || fail "the server package lacks $f"
done
grep -q orbivore-scores "$SCRATCH/files" && fail "the game's package carries the server"
dpkg-deb -f "$SERVER_DEB" Depends | grep -q libsdl2 && fail "the server package depends on SDL"

depends=$(dpkg-deb -f "$DEB" Depends)
for lib in libsdl2-2.0-0 libsdl2-mixer-2.0-0 libsdl2-ttf-2.0-0 libepoxy0 libcurl4 libpng16-16; do
    grep -q "$lib" <<<"$depends" || fail "Depends lacks $lib: $depends"
done
[ "$(dpkg-deb -f "$DEB" Section)" = games ] || fail "not in section games"
echo "PASS"
