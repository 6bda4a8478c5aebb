#!/usr/bin/env bash
# Writes the settings, company and list files of the demo hotel into a
# folder: automatic opening of DEMO.htl, euros, three VAT rates, and the
# taxe de séjour at 1,10 per person and night (the demo's invoices bill it
# at that amount), children under 18 exempt.
set -euo pipefail
dir=$(cd "$1" && pwd)
{
    printf '%s\r\n' "$dir/DEMO.htl" 1 0 0 0 2 0 ""
    printf '%s\r\n' " 1.00000000000000E+0001" " 2.00000000000000E+0001" " 5.50000000000000E+0000"
    printf '%s\r\n' 411000 706000 401000 445710 "" 445660 607000 512000 530000 0 0
    printf '%s\r\n' " 6.55957000000000E+0000" " 1.08000000000000E+0000" " 8.50000000000000E-0001" \
        " 1.60000000000000E+0002" " 1.47000000000000E+0000"
    printf '%s\r\n' " 1.10000000000000E+0000" 18
} > "$dir/Carvelle.ini"
# Windows-1252: \xf4 is ô, \xe9 is é.
# After the seven heading lines, what electronic invoices name the hotel by:
# SIRET, VAT number, legal form, capital (\x80 is the euro sign).
printf 'H\xf4tel de la Plage\r\n12 promenade des Anglais\r\n\r\n06000 NICE\r\n123 456 789 00012\r\nFR 12 123456789\r\n5510Z\r\n123 456 789 00012\r\nFR 12 123456789\r\nSARL\r\n10 000 \x80\r\n' > "$dir/Carvelle.soc"
printf '[CATEGORIES]\r\nSimple\r\nDouble\r\nTwin\r\nSuite\r\n[REGLEMENT]\r\nEsp\xe8ces\r\nCh\xe8que\r\nCarte bancaire\r\nVirement\r\n[FAMILLE]\r\nH\xe9bergement\r\nPetit d\xe9jeuner\r\nBar\r\nRestaurant\r\n[FOURNISSEUR]\r\nBoissons\r\nAlimentation\r\nEntretien\r\n' > "$dir/Carvelle.Cbx"
