#!/usr/bin/env bash
# Configures and builds into the folder given (default: build). Further
# arguments go to CMake, e.g. -DNURO_SANITIZE=ON. NURO_TARGETS, when set,
# names the only targets to build (default: all).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
shift || true
bash "$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -G Ninja "$@" >/dev/null
targets=()
[ -n "${NURO_TARGETS:-}" ] && targets=(--target $NURO_TARGETS)
cmake --build "$build" --parallel "$(nproc)" "${targets[@]}"
