#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine (as root), builds, creates the embedded demo
# database on first start and starts the program on it.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVIP_BUILD_TESTS=OFF -DVIP_BUILD_BENCH=OFF >/dev/null
cmake --build build -j "$(nproc)"
db="${VIP_DB:-${XDG_DATA_HOME:-$HOME/.local/share}/vip/vip.sqlite}"
mkdir -p "$(dirname "$db")"
build/bin/vipctl init --db "$db"
if [ ! -s "$db.demo" ]; then
  build/bin/vipctl demo --db "$db" && date > "$db.demo"
fi
exec build/bin/vipctl registry --db "$db"
