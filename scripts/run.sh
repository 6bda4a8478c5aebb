#!/usr/bin/env bash
# Installs what is missing, builds, writes the demo hotel into a working
# folder of its own and opens it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${CARVELLE_BUILD:-$root/build}
work=${CARVELLE_HOME:-$HOME/carvelle-demo}

bash "$root/scripts/setup-debian.sh"
bash "$root/scripts/build.sh"

mkdir -p "$work"
if [ ! -e "$work/DEMO.htl" ]; then
    "$build/bench/carvelle-generate" --small "$work" DEMO
fi
cd "$work"
# The window comes next; until then the file-set tool opens the demo hotel
# as the program does and reports on every table.
"$build/src/cli/carvelle-tool" check DEMO.htl
