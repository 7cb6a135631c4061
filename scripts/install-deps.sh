#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the demo need.
set -euo pipefail
packages=(cmake ninja-build g++ pkg-config qt6-base-dev libsqlcipher-dev sqlcipher libxml2-dev
  libxml2-utils libpcre2-dev libsodium-dev libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth imagemagick clang-format clang libclang-rt-14-dev qt6-translations-l10n
  openbox xdotool x11-utils nodejs)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
