#!/usr/bin/env bash
# Builds what running needs (the application, the two stand-in libraries and
# the sample drive), then starts the application on that drive. The build is
# quiet; its log shows only when it fails. The tests and benchmarks share the
# build folder and are built by test.sh.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build"
echo "NURO: the first start compiles the application (about a minute); later starts are quick."
mkdir -p "$build"
log="$build/run-build.log"
if ! NURO_TARGETS="nuro Magic32 filewin sample_drive" bash "$root/scripts/build.sh" "$build" \
  >"$log" 2>&1; then
  cat "$log" >&2
  echo "NURO: the build failed (log above, also in $log)." >&2
  exit 1
fi
export NURO_DRIVE="$build/drive"
export tmp="${tmp:-$build/drive/tmp}"
mkdir -p "$tmp"
exec "$build/bin/nuro"
