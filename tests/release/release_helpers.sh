# Shared by the release tests: a scratch folder removed on exit, the game
# installed into a prefix inside it, and plain failure reports.
# BUILD must be set to the build folder before this is sourced.

SCRATCH=$(mktemp -d)
CLEANUPS=()
cleanup() {
    local step
    for step in "${CLEANUPS[@]}"; do eval "$step" || true; done
    rm -rf "$SCRATCH"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# The game's files only (the component keeps the build folder's own
# install_manifest.txt, which `make uninstall` reads, untouched).
install_game() {
    PREFIX=$SCRATCH/prefix
    cmake --install "$BUILD" --prefix "$PREFIX" --component Unspecified >/dev/null ||
        fail "cmake --install into $PREFIX failed"
    GAME=$PREFIX/games/orbivore
    [ -x "$GAME" ] || fail "no program at $GAME after installing"
}

# A little-endian int of a settings file at a byte offset: ScreenWidth at 38,
# ScreenHeight at 42, MusicOn at 62.
settings_int() {
    od -An -t d4 -j "$2" -N 4 "$1" | tr -d ' '
}
