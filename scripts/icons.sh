#!/usr/bin/env bash
# Renders the program's icon, packaging/carvelle.svg, into the PNG sizes the
# package installs beside it (packaging/carvelle-48.png, carvelle-128.png).
# Run it again after changing the drawing; the PNGs are kept in the sources
# so that building the package needs no SVG renderer.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
if ! command -v rsvg-convert >/dev/null; then
    as_root=(); [ "$(id -u)" -ne 0 ] && as_root=(sudo)
    DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends librsvg2-bin
fi
for size in 48 128; do
    rsvg-convert -w "$size" -h "$size" "$root/packaging/carvelle.svg" -o "$root/packaging/carvelle-$size.png"
done
echo "Icônes écrites dans $root/packaging"
