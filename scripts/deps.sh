#!/usr/bin/env bash
# Installs the Debian packages the build, the game and the tests need, when any is missing.
# Usage: scripts/deps.sh [run|test]
set -euo pipefail
want=(cmake ninja-build g++ pkg-config libgtest-dev libgmock-dev libbenchmark-dev
      libsdl2-dev libsdl2-mixer-dev libepoxy-dev libcurl4-openssl-dev libstb-dev
      libfreetype-dev fonts-open-sans python3)
if [ "${1:-run}" = test ]; then
  want+=(xvfb xauth libgl1-mesa-dri clang libclang-rt-14-dev locales clang-format clang-tidy strace
         libxtst-dev)
fi
missing=()
for p in "${want[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing missing packages: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  SUDO=""
elif command -v sudo >/dev/null 2>&1; then
  SUDO="sudo"
else
  echo "Please run as root: apt-get update && apt-get install -y ${missing[*]}" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq "${missing[@]}"
