#include "tool_help.h"

QString toolHelp()
{
    return QStringLiteral(
        "Usage : carvelle-tool check FICHIER.htl\n"
        "        carvelle-tool repair FICHIER.htl\n"
        "        carvelle-tool journee FICHIER.htl [JJ/MM/AAAA]\n"
        "        carvelle-tool conflits FICHIER.htl [--from JJ/MM/AAAA] [--to JJ/MM/AAAA]\n"
        "        carvelle-tool day-sheet FICHIER.htl JJ/MM/AAAA\n"
        "        carvelle-tool invoices FICHIER.htl [--from JJ/MM/AAAA] [--to JJ/MM/AAAA]\n"
        "        carvelle-tool stats FICHIER.htl mois|clients|chambres|occupation\n"
        "        carvelle-tool journal FICHIER.htl [--from JJ/MM/AAAA] [--to JJ/MM/AAAA]\n"
        "                      [--fec FICHIER]\n"
        "        carvelle-tool taxe-sejour FICHIER.htl --from JJ/MM/AAAA --to JJ/MM/AAAA\n"
        "        carvelle-tool print-invoice FICHIER.htl NUMERO -o FICHIER.pdf\n"
        "        carvelle-tool facturx FICHIER.htl NUMERO [-o FICHIER.pdf] [--xml FICHIER.xml]\n"
        "        carvelle-tool archive-invoices FICHIER.htl DOSSIER [--facturx]\n"
        "        carvelle-tool backup FICHIER.htl DOSSIER\n"
        "        carvelle-tool restore SAUVEGARDE DOSSIER\n"
        "        carvelle-tool --help\n"
        "\n"
        "Lit un hôtel Carvelle (les sept fichiers FICHIER.htl, .chb, .fct, .mnc, .stk,\n"
        ".frs, .cmd) sans ouvrir de fenêtre. Les paramètres sont ceux du Carvelle.ini\n"
        "du dossier courant ; les champs sont séparés par une tabulation.\n"
        "\n"
        "  check   ouvre le jeu de fichiers comme le programme et dit ce qu'une\n"
        "          réparation changerait, sans rien modifier ;\n"
        "  repair  répare le jeu de fichiers et l'enregistre s'il le fallait\n"
        "          (l'ancienne version de chaque fichier est gardée en .bak) ;\n"
        "  journee les arrivées, départs, clients présents et chambres libres du\n"
        "          soir d'un jour (aujourd'hui par défaut), une ligne par entrée ;\n"
        "          ne modifie rien ;\n"
        "  conflits chaque nuit où deux séjours, ou un séjour et une fermeture,\n"
        "          tiennent la même chambre : chambre, nuit, les deux occupants ;\n"
        "          code 0 s'il n'y en a aucune, 1 s'il y en a ; ne modifie rien ;\n"
        "  day-sheet la main courante d'un jour : une ligne par chambre (chambre,\n"
        "          nom, nuits, les cinq montants), puis la ligne TOTAL ;\n"
        "          ne modifie rien ;\n"
        "  invoices une ligne par facture datée de la période (toutes sans option),\n"
        "          montants comme la page des factures les montre : par code TTC, HT,\n"
        "          TVA, les totaux, puis les trois taux, le total HT, la taxe de\n"
        "          séjour et figee (Y : montants gardés à la validation) ;\n"
        "          ne modifie rien ;\n"
        "  stats   une statistique comme sa fenêtre la montre, une ligne par rang\n"
        "          (rang, puis les colonnes) : chiffre d'affaires TTC des factures\n"
        "          validées, sans la taxe de séjour, par mois, par client, par\n"
        "          chambre, ou occupation par mois ; ne modifie rien ;\n"
        "  journal les lignes du journal comptable de la période (tout le journal\n"
        "          sans option) : Jn, Date, Compte, Libellé, Débit, Crédit ; seules les\n"
        "          factures et commandes validées sont passées, une écriture\n"
        "          équilibrée chacune ; avec --fec, le fichier des écritures\n"
        "          comptables (FEC) de la période ; ne modifie pas l'hôtel ;\n"
        "  taxe-sejour la taxe de séjour perçue sur la période : une ligne par\n"
        "          facture validée qui la porte (facture, client, arrivée, départ,\n"
        "          nuits, personnes, nuitées, montant), puis la ligne Total ;\n"
        "          ne modifie rien ;\n"
        "  print-invoice la facture de ce numéro imprimée comme le fait la page\n"
        "          des factures, dans un fichier PDF (code 1 si elle n'existe pas) ;\n"
        "  facturx la facture (ou l'avoir) validée de ce numéro en facture\n"
        "          électronique Factur-X (PDF avec factur-x.xml joint, norme\n"
        "          EN 16931), ou son seul XML ; réservée aux clients professionnels\n"
        "          (code 2 pour un particulier ou une facture non validée) ;\n"
        "  archive-invoices un PDF par facture validée, DOSSIER/Facture-NUMERO.pdf,\n"
        "          sans refaire ceux qui y sont déjà entiers ; dit combien ont été\n"
        "          écrits, étaient déjà là et n'ont pas pu l'être (code 2) ; avec\n"
        "          --facturx, celles des clients professionnels en Factur-X ;\n"
        "  backup  une sauvegarde datée de l'hôtel et des fichiers de paramètres\n"
        "          dans DOSSIER (NOM-AAAA-MM-JJ-HHMMSS.tar.zst), relue avant d'être\n"
        "          gardée ; le dossier garde la dernière de chacun des 30 derniers\n"
        "          jours et des 12 derniers mois ;\n"
        "  restore les fichiers d'une sauvegarde dans DOSSIER, qui doit être vide,\n"
        "          puis l'hôtel contrôlé comme par check ;\n"
        "  --help, -h cette aide.\n"
        "\n"
        "Code de sortie : 0 fait, rien à réparer ; 1 réparation nécessaire (ou faite),\n"
        "ou chose demandée absente ; 2 erreur d'utilisation ou de fichier.\n"
        "Tout fichier écrit (PDF, FEC, sauvegarde) l'est en entier ou pas du tout.\n"
        "Un hôtel en cours d'enregistrement n'est pas lu : « Un enregistrement est en\n"
        "cours ou a été interrompu ; réessayez » (code 2).\n");
}

QTextStream &out()
{
    static QTextStream s(stdout);
    return s;
}

QTextStream &err()
{
    static QTextStream s(stderr);
    return s;
}
