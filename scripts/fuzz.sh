#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, in build-fuzz) and runs every target for
# the given number of seconds (default 60), all at once, each on its seed
# corpus fuzz/corpus/<target> plus a work corpus kept in the build folder.
# A crash, a sanitizer report or a broken invariant makes it exit non-zero and
# print the reproducer (path, hexdump and base64). Further arguments go to
# CMake. NURO_FUZZ_DIR names the build folder; NURO_FUZZ_JOBS how many targets
# run at once (default: all).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-60}"
[ $# -gt 0 ] && shift
build="${NURO_FUZZ_DIR:-$root/build-fuzz}"
targets=(valores plano vista empaquetado patrones)

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DNURO_FUZZ=ON \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
cmake --build "$build" --parallel "$(nproc)" >"$build/build.log" 2>&1 || {
  tail -40 "$build/build.log"
  exit 1
}

export ASAN_OPTIONS="abort_on_error=1:detect_leaks=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
run_one() {
  local t="$1" dir="$build/fuzz-runs/$1"
  rm -f "$dir"/crash-* "$dir"/leak-* "$dir"/timeout-* "$dir"/oom-*
  mkdir -p "$dir/corpus"
  # -timeout: no input may take ten seconds (a hang); -rss_limit_mb: nor grow without end.
  "$build/bin/fuzz_$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -max_len=8192 -print_final_stats=1 -artifact_prefix="$dir/" \
    "$dir/corpus" "$root/fuzz/corpus/$t" >"$dir/log" 2>&1
}
export -f run_one
export build seconds root

status=0
mkdir -p "$build/fuzz-runs"
rm -f "$build/fuzz-runs/failed"
printf '%s\n' "${targets[@]}" | xargs -P "${NURO_FUZZ_JOBS:-${#targets[@]}}" -I{} \
  bash -c 'run_one {} || echo {} >>"$build/fuzz-runs/failed"' || true
for t in "${targets[@]}"; do
  dir="$build/fuzz-runs/$t"
  runs=$(grep -o 'stat::number_of_executed_units: [0-9]*' "$dir/log" | grep -o '[0-9]*$' || echo "?")
  cov=$(grep -E '^#[0-9]+' "$dir/log" | tail -1 | grep -o 'cov: [0-9]* ft: [0-9]*' || echo "?")
  echo "fuzz_$t: $runs inputs, $cov"
  found=$(ls "$dir"/crash-* "$dir"/leak-* "$dir"/timeout-* "$dir"/oom-* 2>/dev/null || true)
  if [ -n "$found" ] || grep -qx "$t" "$build/fuzz-runs/failed" 2>/dev/null; then
    status=1
    echo "== fuzz_$t FAILED; log: $dir/log"
    grep -E 'INVARIANTE ROTO|ERROR: |SUMMARY: |runtime error' "$dir/log" | head -20 || tail -30 "$dir/log"
    for f in $found; do
      echo "reproducer: $f"
      od -A x -t x1z "$f" | head -40
      echo "base64: $(base64 -w0 "$f")"
      echo "replay: $build/bin/fuzz_$t $f"
    done
  fi
done
rm -f "$build/fuzz-runs/failed"
exit $status
