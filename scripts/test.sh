#!/usr/bin/env bash
# Installs what is missing, builds everything, runs every test and checks
# the Debian package.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/setup-debian.sh"
bash "$root/scripts/build.sh"
ctest --test-dir "${CARVELLE_BUILD:-$root/build}" --output-on-failure -j "$(nproc)"
# Then the Debian package made from the build just tested (a few seconds);
# CARVELLE_NO_PACKAGE_CHECK=1 skips it, and so does a system without dpkg.
if [ -z "${CARVELLE_NO_PACKAGE_CHECK:-}" ] && command -v dpkg-deb >/dev/null; then
    bash "$root/scripts/check-package.sh" "${CARVELLE_BUILD:-$root/build}"
fi
