#!/usr/bin/env bash
# Builds what running needs (the application, the two stand-in libraries and
# the sample drive), then starts the application on that drive. The tests and
# benchmarks share the build folder and are built by test.sh.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build"
NURO_TARGETS="nuro Magic32 filewin sample_drive" bash "$root/scripts/build.sh" "$build"
export NURO_DRIVE="$build/drive"
export tmp="${tmp:-$build/drive/tmp}"
mkdir -p "$tmp"
exec "$build/bin/nuro"
