#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine (as root), starts PostgreSQL, builds, and runs
# every test on SQLite and on PostgreSQL.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
# The device tests talk to pcscd, which serves vpcd's virtual reader.
pidof pcscd >/dev/null || pcscd
pg_uri=$(scripts/start-postgres.sh)
if [[ ! $pg_uri =~ ^postgresql://[^[:space:]]+$ ]]; then
  echo "test.sh: PostgreSQL did not start cleanly, got: $pg_uri" >&2
  exit 1
fi
echo "PostgreSQL for the tests: $pg_uri"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVIP_TEST_PG_URI="$pg_uri" >/dev/null
cmake --build build -j "$(nproc)"
cd build
ctest --output-on-failure -j "$(nproc)" --timeout 900
