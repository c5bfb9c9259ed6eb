#!/usr/bin/env bash
# Installs everything the build, the tests and the program need on Debian 12.
set -euo pipefail
packages=(
  cmake ninja-build g++ ccache pkg-config clang-format
  qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libqt6sql6-psql libgl-dev
  libbenchmark-dev libicu-dev libpq-dev libsodium-dev libxlsxwriter-dev poppler-utils
  python3-openpyxl libpcsclite-dev pcscd vsmartcard-vpcd
  postgresql postgresql-client
  fonts-noto-cjk xvfb xauth
)
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${packages[@]}" >/dev/null
