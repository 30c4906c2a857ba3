#!/usr/bin/env bash
# Installs the Debian packages the game, its tools and its tests need.
# Idempotent: asks apt only for what is missing, and does nothing when all is there.
set -euo pipefail

# What building and playing the game and running the score server need.
PACKAGES=(
  build-essential cmake pkg-config git
  libsdl2-dev libsdl2-mixer-dev libsdl2-ttf-dev libx11-dev
  libpng-dev zlib1g-dev libepoxy-dev
  libogg-dev libvorbis-dev
  libcurl4-openssl-dev libsqlite3-dev
  libgl1-mesa-dri libegl-mesa0 libgl1-mesa-dev
  fonts-dejavu-core python3
  # make package: CPack finds the programs to compute dependencies for with file
  file
  # score server: event-driven HTTP core, PostgreSQL client
  libmicrohttpd-dev
  libpq-dev
)
case "${1:-}" in
  # make test and make bench: the test frameworks and every real component
  # the tests start themselves.
  test)
    PACKAGES+=(
      libgtest-dev libgmock-dev libbenchmark-dev
      # the network library's tests serve HTTP on loopback
      libcpp-httplib-dev
      sox
      # the fuzzers and their sanitizers
      clang libclang-rt-14-dev
      # the real-window tests: an X server, keys sent to it, screen reads
      xvfb xdotool imagemagick
      # a small window manager: the desktop window test and the full-screen benchmark
      openbox
      # score server tests and benchmarks start a private PostgreSQL
      postgresql
      # the leaderboard page's test loads it in headless Chromium
      chromium
    ) ;;
  # The level report's chart (make levels-report).
  report) PACKAGES+=(python3-matplotlib) ;;
esac

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
