#!/usr/bin/env bash
# Builds, writes the ten-year hotel once (build/bench/hotel) and runs the
# store benchmarks on it. Extra arguments go to the benchmark program.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${CARVELLE_BUILD:-$root/build}
bash "$root/scripts/build.sh"
cd "$build/bench"
[ -e hotel/HOTEL.htl ] || ./carvelle-generate hotel HOTEL
./bench_store "$@"
./bench_pages "$@"
