#!/usr/bin/env bash
# Takes the README's two pictures of the nights under Xvfb, on a demo hotel
# written afresh around today: a night held twice in the planning, with its
# tip, and a card's stay history after a transfer and the departure.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${CARVELLE_BUILD:-$root/build}
out=${1:-$root/docs/screenshots}
command -v xvfb-run >/dev/null || {
    as_root=(); [ "$(id -u)" -ne 0 ] && as_root=(sudo)
    DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq xvfb
}
cmake --build "$build" --target carvelle-generate carvelle-nights-screens
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
"$build/bench/carvelle-generate" --small --date "$(date +%F)" "$home" DEMO >/dev/null
mkdir -p "$out"
cd "$home"
xvfb-run -a -s '-screen 0 1280x800x24' "$build/bench/carvelle-nights-screens" "$home/DEMO.htl" "$out"
