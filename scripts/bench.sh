#!/usr/bin/env bash
# Builds, writes the ten-year and twenty-year hotels once (build/bench/hotel,
# build/bench/hotel20) and runs the
# store benchmarks on it. Extra arguments go to the benchmark program.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${CARVELLE_BUILD:-$root/build}
bash "$root/scripts/build.sh"
cd "$build/bench"
[ -e hotel/HOTEL.htl ] || ./carvelle-generate hotel HOTEL
[ -e hotel20/HOTEL.htl ] || ./carvelle-generate --years 20 hotel20 HOTEL
./bench_store "$@"
./bench_pages "$@"
./bench_start "$@"
