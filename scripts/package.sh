#!/usr/bin/env bash
# Builds the Debian package: configures and builds the program in Release in
# build-release/ (or $CARVELLE_RELEASE_BUILD), then writes
# carvelle_<version>_amd64.deb there. Install it with
#   sudo apt install ./build-release/carvelle_*.deb
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${CARVELLE_RELEASE_BUILD:-$root/build-release}
bash "$root/scripts/setup-debian.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCARVELLE_BENCH=OFF >/dev/null
# Only what the package holds: the tests are built and run by test.sh.
cmake --build "$build" -j "$(nproc)" --target carvelle carvelle-tool carvelle-generate carvelle-man
(cd "$build" && cpack -G DEB >/dev/null)
ls "$build"/carvelle_*.deb
