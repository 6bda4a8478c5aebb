#!/usr/bin/env bash
# Takes the README's screenshots of the main window under Xvfb, on a demo
# hotel written afresh: the planning page and the client page.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${CARVELLE_BUILD:-$root/build}
out=${1:-$root/docs/screenshots}

[ -n "${CARVELLE_NO_BUILD:-}" ] || bash "$root/scripts/setup-debian.sh"
need=()
for tool in xvfb-run:xvfb import:imagemagick xdotool:xdotool; do
    command -v "${tool%%:*}" >/dev/null || need+=("${tool#*:}")
done
if [ ${#need[@]} -gt 0 ]; then
    as_root=(); [ "$(id -u)" -ne 0 ] && as_root=(sudo)
    DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq "${need[@]}"
fi
[ -n "${CARVELLE_NO_BUILD:-}" ] || bash "$root/scripts/build.sh"

home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
"$build/bench/carvelle-generate" --small "$home" DEMO >/dev/null
bash "$root/scripts/demo-settings.sh" "$home"
mkdir -p "$out"

export out
cd "$home"
xvfb-run -a -s '-screen 0 1024x700x24' bash -c '
    "$0" & pid=$!
    win=
    for i in $(seq 100); do
        win=$(xdotool search --onlyvisible --name "DEMO.htl" 2>/dev/null | head -n 1)
        [ -n "$win" ] && break
        sleep 0.2
    done
    [ -n "$win" ] || { echo "La fenêtre de Carvelle ne s est pas ouverte." >&2; kill $pid; exit 1; }
    sleep 1
    import -window "$win" "$out/planning.png"
    xdotool mousemove --window "$win" 350 38 click 1; sleep 1  # "Fiche client"
    import -window "$win" "$out/clients.png"
    kill $pid' "$build/src/shell/carvelle"
echo "Captures dans $out"
