#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/setup-debian.sh"
bash "$root/scripts/build.sh"
ctest --test-dir "${CARVELLE_BUILD:-$root/build}" --output-on-failure -j "$(nproc)"
