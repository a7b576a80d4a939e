#!/usr/bin/env bash
# Installs every Debian package the project needs. Idempotent and non-interactive:
# apt-get update runs once, and only when something is missing.
set -euo pipefail

packages=(
  # build and test
  cmake ninja-build g++ ccache pkg-config libgtest-dev libgmock-dev libbenchmark-dev
  clang clang-format libclang-rt-14-dev
  # host framework
  libturbojpeg0-dev libpng-dev
  # node library
  libboost-dev libssl-dev libmsgpack-cxx-dev nlohmann-json3-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if ((${#missing[@]})); then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  echo "installing: ${missing[*]}"
  $sudo apt-get update -q
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
