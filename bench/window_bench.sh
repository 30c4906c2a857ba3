#!/usr/bin/env bash
# The frame budget in a real window: orbivore-window-bench in a virtual X
# server (Xvfb, software OpenGL), first an empty window with an OpenGL
# context as the reference, then the idle main menu, then the bot on level
# 69, then the busiest arcade frame of the benchmarks drawn over and over;
# the last two each with the invaders as lines first, then with their halos
# kept; then the same in desktop full screen on the 1920 x 1080 screen, which
# a small window manager (openbox) gives the game as a player's desktop would,
# each first kept magnified (the reference for drawing it at its own size).
# Runs in a scratch folder holding links to the music files, so the build
# folder's settings file is not touched. Usage: window_bench.sh BUILD
set -euo pipefail

build=$(cd "${1:-build}" && pwd)
bench="$build/orbivore-window-bench"
scratch=$(mktemp -d)
xvfb_pid=""
wm_pid=""
cleanup() {
    if [ -n "$wm_pid" ]; then kill "$wm_pid" 2>/dev/null || true; fi
    if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; wait "$xvfb_pid" 2>/dev/null || true; fi
    rm -rf "$scratch"
}
trap cleanup EXIT

# Xvfb picks a free display and writes its number once it accepts clients.
Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$scratch/display" 2>"$scratch/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
    [ -s "$scratch/display" ] && break
    if ! kill -0 "$xvfb_pid" 2>/dev/null; then
        echo "window bench: Xvfb did not start:" >&2; cat "$scratch/xvfb.log" >&2; exit 1
    fi
    sleep 0.1
done
[ -s "$scratch/display" ] || { echo "window bench: Xvfb gave no display" >&2; exit 1; }
export DISPLAY=":$(cat "$scratch/display")"
command -v openbox >/dev/null || { echo "window bench: openbox is not installed" >&2; exit 1; }
openbox >"$scratch/openbox.log" 2>&1 &
wm_pid=$!

ln -s "$build"/*.ogg "$scratch"/ 2>/dev/null || true
cd "$scratch"
echo
echo "Real window (Xvfb 1920x1080 under openbox, $(nproc) cores): frames after the first 120; -full: desktop full screen"
echo "| Run | Frames/s | Work median ms | Work p99 ms | Over 16.7 ms | Interval p99 ms | Jitter ms (sd) | Game thread | Rasterizer | Other threads | Peak RSS | Pacing | Glow path | Load |"
echo "|---|---|---|---|---|---|---|---|---|---|---|---|---|---|"
"$bench" empty 600
"$bench" menu 900
"$bench" level69-lines 1800
"$bench" level69 1800
"$bench" heavy-lines 900
"$bench" heavy 900
"$bench" empty-full 600
"$bench" menu-full-magnified 900
"$bench" menu-full 900
"$bench" level69-full-magnified 1800
"$bench" level69-full 1800
"$bench" heavy-full-magnified 900
"$bench" heavy-full 900
