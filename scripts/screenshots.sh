#!/usr/bin/env bash
# Takes the README's screenshots of the main window under Xvfb, on a demo
# hotel written afresh around today: the planning, today's column marked and
# the tooltip of a guest in today, then that guest's card opened by a double
# click on the same cell, the day at a glance (F3), an invoice and an article,
# the "Fichier" menu and the export dialog.
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
"$build/bench/carvelle-generate" --small --date "$(date +%F)" "$home" DEMO >/dev/null
bash "$root/scripts/demo-settings.sh" "$home"
mkdir -p "$out"

export out
# The program's folder, and a home whose Documents the export dialog shows.
export CARVELLE_HOME=$home HOME=$home
cd "$home"
xvfb-run -a -s '-screen 0 1024x700x24' bash -c '
    set -e
    "$0" & pid=$!
    trap "kill $pid 2>/dev/null" EXIT
    win=
    for i in $(seq 100); do
        win=$(xdotool search --onlyvisible --name "DEMO.htl" 2>/dev/null | head -n 1)
        [ -n "$win" ] && break
        sleep 0.2
    done
    [ -n "$win" ] || { echo "La fenêtre de Carvelle ne s est pas ouverte." >&2; exit 1; }
    sleep 1
    eval "$(xdotool getwindowgeometry --shell "$win")"
    # The whole screen over the window: a tooltip is a window of its own.
    shot() { import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$1"; }
    shot "$out/planning.png"
    # The first teal cell from the top, in the columns from today on: a
    # guest in today (the grid starts on the Sunday on or before today).
    today=$(convert "$out/planning.png" txt:- |
        awk -F"[,: ]+" "/#000080/ && \$2 > 60 && \$2 < 120 { print \$1; exit }")
    [ -n "$today" ] || { echo "La colonne du jour est introuvable." >&2; exit 1; }
    cell=$(convert "$out/planning.png" -crop "$((WIDTH - today))x$((HEIGHT - 120))+$today+90" \
        txt:- | awk -F"[,: ]+" "/#008080/ { print \$1 + 6, \$2 + 8; exit }")
    [ -n "$cell" ] || { echo "Aucun client présent aujourd hui." >&2; exit 1; }
    set -- $cell
    x=$(($1 + today)) y=$(($2 + 90))
    # Tooltips show in the active window only: there is no window manager here.
    xdotool windowfocus --sync "$win"
    xdotool mousemove --window "$win" "$x" "$y"; sleep 0.3
    xdotool mousemove --window "$win" $((x + 1)) "$y"; sleep 1.5
    shot "$out/planning.png"
    xdotool click --repeat 2 --delay 80 1; sleep 1
    shot "$out/clients.png"
    # The day at a glance, F3 from any page: its own window.
    xdotool windowfocus --sync "$win"; xdotool key F3
    day=
    for i in $(seq 50); do
        day=$(xdotool search --onlyvisible --name "Journ" 2>/dev/null | head -n 1)
        [ -n "$day" ] && break
        sleep 0.2
    done
    sleep 1
    [ -n "$day" ] || { echo "La journée ne s est pas ouverte." >&2; exit 1; }
    import -window "$day" "$out/journee.png"
    xdotool key Escape; sleep 0.5
    # The tool bar: the invoice page on its last invoice, then the articles.
    xdotool windowfocus --sync "$win"
    xdotool mousemove --window "$win" 382 37 click 1; sleep 1
    xdotool key ctrl+End; sleep 1
    shot "$out/factures.png"
    # A credit note on the first invoice (validated): "Réception", the
    # first enabled line down from "Journée...", "Établir un avoir".
    xdotool key ctrl+Home; sleep 1
    xdotool key alt+r; sleep 0.5; xdotool key Down Return; sleep 1
    shot "$out/avoir.png"
    xdotool mousemove --window "$win" 514 37 click 1; sleep 1
    shot "$out/articles.png"
    # The suppliers, from the "Bases" menu: the first supplier and its statement.
    xdotool windowfocus --sync "$win"
    xdotool key alt+b; sleep 0.5; xdotool key u; sleep 0.3; xdotool key Return; sleep 1
    shot "$out/fournisseurs.png"
    # The purchase orders ("Bases", "C&ommandes"): the last order and its totals.
    xdotool windowfocus --sync "$win"
    xdotool key alt+b; sleep 0.5; xdotool key o; sleep 1
    xdotool key ctrl+End; sleep 1
    shot "$out/commandes.png"
    # The main courante of today, by its tool-bar button.
    xdotool mousemove --window "$win" 481 37 click 1; sleep 1
    shot "$out/main_courante.png"
    # The turnover by room (Outils, Statistiques chambres), then its chart.
    xdotool windowfocus --sync "$win"; xdotool key alt+o; sleep 0.5; xdotool key s
    stats=
    for i in $(seq 50); do
        stats=$(xdotool search --onlyvisible --name "Statistiques sur" 2>/dev/null | head -n 1)
        [ -n "$stats" ] && break
        sleep 0.2
    done
    [ -n "$stats" ] || { echo "Les statistiques ne se sont pas ouvertes." >&2; exit 1; }
    sleep 1
    import -window "$stats" "$out/statistiques.png"
    sx=$(xdotool getwindowgeometry --shell "$stats" | sed -n "s/^X=//p")
    sy=$(xdotool getwindowgeometry --shell "$stats" | sed -n "s/^Y=//p")
    xdotool mousemove $((sx + 48)) $((sy + 22)) click 1
    graph=
    for i in $(seq 50); do
        graph=$(xdotool search --onlyvisible --name "^Graphique$" 2>/dev/null | head -n 1)
        [ -n "$graph" ] && break
        sleep 0.2
    done
    [ -n "$graph" ] || { echo "Le graphique ne s est pas ouvert." >&2; exit 1; }
    sleep 1
    import -window "$graph" "$out/graphique.png"
    xdotool key Escape; sleep 0.3; xdotool windowfocus --sync "$stats"; xdotool key Escape; sleep 0.5
    # The calculator over the main window (Utilitaires, Calculatrice), a
    # division typed on the keyboard.
    xdotool windowfocus --sync "$win"; xdotool key alt+u; sleep 0.5; xdotool key a
    calc=
    for i in $(seq 50); do
        calc=$(xdotool search --onlyvisible --name "Calculatrice" 2>/dev/null | head -n 1)
        [ -n "$calc" ] && break
        sleep 0.2
    done
    [ -n "$calc" ] || { echo "La calculatrice ne s est pas ouverte." >&2; exit 1; }
    xdotool windowmove "$calc" $((X + WIDTH / 2 - 120)) $((Y + 150)); sleep 0.5
    xdotool windowfocus --sync "$calc"; xdotool type --delay 80 "100/7"; xdotool key Return
    sleep 0.5
    shot "$out/calculatrice.png"
    xdotool key Escape Escape; sleep 0.3
    # A letter on the hotel letterhead (Outils, Traitement de texte): the
    # date on the right, a bold subject, an italic phrase.
    xdotool windowfocus --sync "$win"; xdotool key alt+o; sleep 0.5; xdotool key t
    texte=
    for i in $(seq 50); do
        texte=$(xdotool search --onlyvisible --name "^Texte$" 2>/dev/null | head -n 1)
        [ -n "$texte" ] && break
        sleep 0.2
    done
    [ -n "$texte" ] || { echo "Le traitement de texte ne s est pas ouvert." >&2; exit 1; }
    sleep 1
    xdotool windowfocus --sync "$texte"
    xdotool key Return Return ctrl+r; xdotool type --delay 20 "Nice, le $(date +%d/%m/%Y)"
    xdotool key Return ctrl+l Return ctrl+b
    xdotool type --delay 20 "Objet : confirmation de votre réservation"
    xdotool key ctrl+b Return Return; xdotool type --delay 20 "Madame, Monsieur,"
    xdotool key Return Return
    xdotool type --delay 20 "Nous avons le plaisir de vous confirmer votre séjour du 14 au 21 août, en chambre double côté mer, au prix de 85,50 € la nuit."
    xdotool key Return; xdotool type --delay 20 "Veuillez agréer, "
    xdotool key ctrl+i; xdotool type --delay 20 "chère cliente"; xdotool key ctrl+i
    xdotool type --delay 20 ", l’expression de nos sentiments dévoués."
    sleep 0.5
    import -window "$texte" "$out/lettre.png"
    xdotool key Escape; sleep 0.5; xdotool key n; sleep 0.3
    # The "Fichier" menu and its keys, then the clients export, proposed in
    # Documents/Carvelle as a workbook.
    xdotool windowfocus --sync "$win"; xdotool key alt+f; sleep 0.8
    shot "$out/menu_fichier.png"
    xdotool key Escape Escape; sleep 0.3
    xdotool windowfocus --sync "$win"; xdotool key alt+b; sleep 0.3; xdotool key c; sleep 0.8
    xdotool key alt+f; sleep 0.3; xdotool key x; sleep 1.5
    shot "$out/export.png"
    xdotool key Escape; sleep 0.3' "$build/src/shell/carvelle"
echo "Captures dans $out"
