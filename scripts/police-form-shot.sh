#!/usr/bin/env bash
# Takes the README's picture of the police form: the demo hotel opened under
# Xvfb, the card of a Belgian guest shown, "Fichier › Imprimer... › Fiche de
# police" saved as PDF (no printer under Xvfb), its page rendered to PNG.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${CARVELLE_BUILD:-$root/build}
out=${1:-$root/docs/screenshots}

home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
"$build/bench/carvelle-generate" --small --date "$(date +%F)" "$home" DEMO >/dev/null
bash "$root/scripts/demo-settings.sh" "$home"
mkdir -p "$out"

export home
export CARVELLE_HOME=$home
cd "$home"
xvfb-run -a -s '-screen 0 1024x700x24' bash -c '
    set -e
    "$0" & pid=$!
    trap "kill $pid 2>/dev/null" EXIT
    win=
    # A busy machine may take a while to start it.
    for i in $(seq 300); do
        win=$(xdotool search --onlyvisible --name "DEMO.htl" 2>/dev/null | head -n 1)
        [ -n "$win" ] && break
        sleep 0.2
    done
    [ -n "$win" ] || { echo "La fenêtre de Carvelle ne s est pas ouverte." >&2; exit 1; }
    sleep 1
    xdotool windowfocus --sync "$win"
    # "&Bases › &Clients", then the 17th card (block 16: a Belgian guest).
    xdotool key alt+b; sleep 0.3; xdotool key c; sleep 0.5
    xdotool key --delay 100 --repeat 16 Next; sleep 0.5
    # "&Fichier › &Imprimer... › &Fiche de police", saved as PDF.
    xdotool key alt+f; sleep 0.3; xdotool key i; sleep 0.3; xdotool key f; sleep 1
    xdotool key Return; sleep 1
    xdotool type --delay 20 "$home/fiche_police.pdf"; sleep 0.3
    xdotool key Return
    for i in $(seq 50); do [ -s "$home/fiche_police.pdf" ] && break; sleep 0.2; done
    sleep 0.5
' "$build/src/shell/carvelle"
[ -s "$home/fiche_police.pdf" ] || { echo "La fiche de police n'a pas été imprimée." >&2; exit 1; }
pdftoppm -png -r 110 -singlefile "$home/fiche_police.pdf" "$out/fiche_police"
echo "$out/fiche_police.png"
