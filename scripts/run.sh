#!/usr/bin/env bash
# Installs what is missing, builds in Release and starts the program in its
# program folder (KRONLAUFBUCH_HOME, default ~/Kronlaufbuch).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
source scripts/deps.sh
klb_install_missing
klb_use_ccache "$root"

cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release $KLB_CACHE_ARGS >/dev/null
# Only the program: the tests and benchmarks are scripts/test.sh's.
cmake --build build/release -j "$(nproc)" --target kronlaufbuch

exe="$root/build/release/app/kronlaufbuch"
home="${KRONLAUFBUCH_HOME:-$HOME/Kronlaufbuch}"
mkdir -p "$home"
cd "$home"
exec "$exe" "$@"
