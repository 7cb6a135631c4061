#!/usr/bin/env bash
# Builds the application and the sample drive, then starts the application on it.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build"
bash "$root/scripts/build.sh" "$build"
cmake --build "$build" --target sample_drive
export NURO_DRIVE="$build/drive"
export tmp="${tmp:-$build/drive/tmp}"
mkdir -p "$tmp"
exec "$build/bin/nuro"
