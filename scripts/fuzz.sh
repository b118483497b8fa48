#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang (ASan+UBSan, installing
# clang when it is missing), runs each over its committed corpus and then
# fuzzes each for [seconds] (default 60), as many at once as there are cores.
# A unit counts as hung after 60 s: a report laid out to its page cap takes
# several seconds under the sanitizers on a busy machine, and is no hang.
# New inputs go to build/fuzz/work/<target>, findings to build/fuzz/findings;
# the committed corpus is only read. KLB_FUZZ_JOBS caps the targets run at
# once. Fails on any crash, hang, leak or violated property, and prints what
# each target reached.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
source scripts/deps.sh
klb_install_missing
klb_use_ccache "$root"

seconds="${1:-60}"
jobs="${KLB_FUZZ_JOBS:-$(nproc)}"
out=build/fuzz
cmake -S . -B "$out" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKLB_FUZZ=ON -DKLB_BENCH=OFF $KLB_CACHE_ARGS >/dev/null
mapfile -t targets < <(find fuzz -mindepth 2 -name 'fuzz_*.cpp' -printf '%f\n' | sort |
  sed 's/^fuzz_//; s/\.cpp$//')
cmake --build "$out" -j "$jobs" --target "${targets[@]/#/fuzz_}"

mkdir -p "$out/findings" "$out/logs"
fuzz_one() {
  local name="$1" seconds="$2" out="$3"
  mkdir -p "$out/work/$name"
  # The work folder first: libFuzzer adds new inputs to the first folder only.
  if "$out/fuzz/fuzz_$name" "$out/work/$name" "fuzz/corpus/$name" -max_total_time="$seconds" \
      -timeout=60 -rss_limit_mb=2048 -max_len=65536 -print_final_stats=1 \
      -artifact_prefix="$out/findings/$name-" >"$out/logs/$name.log" 2>&1; then
    echo "ok   $name: $(grep -E '^#[0-9]+[[:space:]]+DONE' "$out/logs/$name.log" | tail -1)"
  else
    echo "FAIL $name (log: $out/logs/$name.log)"
    tail -30 "$out/logs/$name.log"
    return 1
  fi
}
export -f fuzz_one
printf '%s\n' "${targets[@]}" | xargs -P "$jobs" -I{} bash -c "fuzz_one {} $seconds $out"
