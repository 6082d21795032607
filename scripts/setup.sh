#!/usr/bin/env bash
# Installs only the Debian packages that are missing; does nothing when all are present.
set -euo pipefail
packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev libqt6svg6 libsqlite3-dev libcurl4-openssl-dev libicu-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    fonts-wqy-microhei fontconfig
    clang libclang-rt-14-dev
    sqlite3 curl xvfb xauth
)
missing=()
for p in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
    [ "$status" = "install ok installed" ] || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing missing packages: ${missing[*]}"
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO=sudo
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y --no-install-recommends "${missing[@]}"
