#!/usr/bin/env bash
# An installed copy without a display: its command line, the player's folder
# it makes and works in, and what it does when that folder is unusable.
# Usage: installed_copy_test.sh BUILD_DIR
set -uo pipefail
BUILD=$1
. "$(dirname "$0")/release_helpers.sh"
install_game

# A launcher runs the desktop entry's Exec through the PATH, and a prefix
# such as ~/.local puts the program where the PATH does not look.
exec_line=$(grep '^Exec=' "$PREFIX/share/applications/orbivore.desktop")
[ "$exec_line" = "Exec=$GAME" ] || fail "the desktop entry runs '${exec_line#Exec=}', not $GAME"

WORK=$SCRATCH/work HOME_DIR=$SCRATCH/home
mkdir -p "$WORK" "$HOME_DIR"
cd "$WORK"
run() { env -u DISPLAY -u WAYLAND_DISPLAY -u XDG_DATA_HOME HOME="$HOME_DIR" SDL_AUDIODRIVER=dummy "$@"; }

# --version, --help and a refused argument touch no file.
[ "$(run "$GAME" --version)" = "orbivore 1.00" ] || fail "--version"
help=$(run "$GAME" --help) || fail "--help exits $?"
grep -q "Left Control" <<<"$help" || fail "--help names no keys"
grep -q "$HOME_DIR/.local/share/orbivore" <<<"$help" || fail "--help does not say where the files are: $help"
out=$(run "$GAME" --fullscreen 2>"$SCRATCH/err"); code=$?
[ $code -eq 2 ] && [ -z "$out" ] || fail "an unknown argument exits $code with '$out'"
[ "$(head -n1 "$SCRATCH/err")" = "orbivore: unknown argument '--fullscreen'" ] || fail "$(cat "$SCRATCH/err")"
grep -q "^usage: orbivore" "$SCRATCH/err" || fail "no usage after an unknown argument"
run "$GAME" --help --version >/dev/null 2>&1; [ $? -eq 2 ] || fail "two arguments are not refused"
written=$(find "$WORK" "$HOME_DIR" -mindepth 1)
[ -z "$written" ] || fail "the command line wrote $written"

# A start without a display still makes the player's folder, private, and
# leaves the working folder alone.
run "$GAME" 2>"$SCRATCH/err"; code=$?
[ $code -eq 1 ] || fail "a start without a display exits $code"
[ "$(stat -c %a "$HOME_DIR/.local/share/orbivore")" = 700 ] || fail "the player's folder is missing or not private"
[ -z "$(ls -A "$WORK")" ] || fail "the working folder got $(ls -A "$WORK")"
grep -q "settings will not be saved" "$SCRATCH/err" && fail "a usable folder was reported: $(cat "$SCRATCH/err")"

# A player's folder that is a file: said once, and the file is kept.
echo "keep me" >"$SCRATCH/taken"
run env XDG_DATA_HOME="$SCRATCH/taken" "$GAME" 2>"$SCRATCH/err"
[ "$(grep -c "settings will not be saved" "$SCRATCH/err")" = 1 ] || fail "not said once: $(cat "$SCRATCH/err")"
[ "$(cat "$SCRATCH/taken")" = "keep me" ] || fail "the file in the way was changed"
[ -z "$(ls -A "$WORK")" ] || fail "the working folder got $(ls -A "$WORK")"

# The build folder's own copy is not installed: it stays in the working folder.
out=$(run "$BUILD/orbivore" --help) || fail "the build folder's --help"
grep -q "not installed" <<<"$out" || fail "the build folder's copy counts as installed"
"$BUILD/orbivore-sim" --help | grep -q -- "--frames N" || fail "orbivore-sim --help"
echo "PASS"
