#!/usr/bin/env bash
# Installs what is missing, builds, runs every test; then again under ASan+UBSan.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
source scripts/deps.sh
klb_install_missing
klb_use_ccache "$root"

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen
export CTEST_OUTPUT_ON_FAILURE=1

echo "== Release build and tests =="
# KLB_ODR: every program is linked with link-time optimisation (one more
# of all libraries at once) and fails on one name given to two different types.
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DKLB_ODR=ON $KLB_CACHE_ARGS >/dev/null
cmake --build build/release -j "$jobs"
ctest --test-dir build/release -j "$jobs" --timeout 300

echo "== ASan+UBSan build and tests =="
cmake -S . -B build/asan -DCMAKE_BUILD_TYPE=Debug $KLB_CACHE_ARGS -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" \
  -DKLB_SANITIZE=ON -DKLB_BENCH=OFF >/dev/null
cmake --build build/asan -j "$jobs"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export LSAN_OPTIONS=suppressions="$root/scripts/lsan.supp":print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir build/asan -j "$jobs" --timeout 600

echo "== Fuzz targets: each over its corpus, then a few seconds of fuzzing =="
# KLB_FUZZ_SECONDS per target; the targets share the cores.
scripts/fuzz.sh "${KLB_FUZZ_SECONDS:-6}"
