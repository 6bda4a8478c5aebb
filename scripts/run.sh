#!/usr/bin/env bash
# Installs what is missing, builds, and starts Carvelle on the demo hotel in a
# working folder of its own (~/carvelle-demo, or $CARVELLE_HOME), created on
# the first run with settings that reopen the demo hotel at every start.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${CARVELLE_BUILD:-$root/build}
work=${CARVELLE_HOME:-$HOME/carvelle-demo}

bash "$root/scripts/setup-debian.sh"
bash "$root/scripts/build.sh"

case "$(cd "$(dirname "$work")" 2>/dev/null && pwd)/" in
    "$root"/*) echo "Le dossier de travail ne doit pas être dans les sources : $work" >&2; exit 2 ;;
esac

if [ ! -e "$work/DEMO.htl" ]; then
    mkdir -p "$work"
    # Around today: guests in, arrivals and bookings in the weeks to come.
    "$build/bench/carvelle-generate" --small --date "$(date +%F)" "$work" DEMO >/dev/null
    bash "$root/scripts/demo-settings.sh" "$work"
    echo "Hôtel de démonstration créé dans $work"
fi

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    cat >&2 <<MSG
Aucun écran graphique n'est disponible (ni DISPLAY ni WAYLAND_DISPLAY).
Lancez cette commande depuis une session de bureau, ou par ssh -X, ou dans un
écran virtuel :  sudo apt-get install xvfb && xvfb-run -s '-screen 0 1280x800x24' bash scripts/run.sh
L'hôtel de démonstration est prêt dans $work ; le programme est $build/src/shell/carvelle.
MSG
    exit 1
fi

# The program works in its per-user folder unless CARVELLE_HOME names another.
CARVELLE_HOME=$work exec "$build/src/shell/carvelle"
