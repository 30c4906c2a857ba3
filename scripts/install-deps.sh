#!/usr/bin/env bash
# Installs the Debian packages the game, its tools and its tests need.
# Idempotent: asks apt only for what is missing, and does nothing when all is there.
set -euo pipefail

PACKAGES=(
  build-essential cmake pkg-config git
  libsdl2-dev libsdl2-mixer-dev libsdl2-ttf-dev libx11-dev
  libpng-dev zlib1g-dev libepoxy-dev
  libogg-dev libvorbis-dev
  libcurl4-openssl-dev libcpp-httplib-dev libsqlite3-dev
  libgl1-mesa-dri libegl-mesa0 libgl1-mesa-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-dejavu-core sox python3
  clang libclang-rt-14-dev
  # the real-window tests: an X server, keys sent to it, screen reads
  xvfb xdotool imagemagick
  # a small window manager: the desktop window test and the full-screen benchmark
  openbox
  # make package: CPack finds the programs to compute dependencies for with file
  file
  # score server: event-driven HTTP core, PostgreSQL client
  libmicrohttpd-dev
  libpq-dev
  # score server tests and benchmarks start a private PostgreSQL
  postgresql
  # the leaderboard page's test loads it in headless Chromium
  chromium
)
# The level report's chart (make levels-report asks for it with "report").
if [ "${1:-}" = "report" ]; then PACKAGES+=(python3-matplotlib); fi

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
