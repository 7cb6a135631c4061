#!/usr/bin/env bash
# Builds everything and runs every test. Further arguments go to CMake.
# NURO_BUILD_DIR names the build folder (default: build).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${NURO_BUILD_DIR:-$root/build}"
bash "$root/scripts/build.sh" "$build" "$@"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" --output-on-failure --parallel "$(nproc)" --timeout 300
