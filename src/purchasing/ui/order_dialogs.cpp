#include "order_dialogs.h"

TCmdListe::TCmdListe(QWidget *parent)
    : BlockListDialog(QStringLiteral("Liste des commandes"),
                      {{QStringLiteral("N° de commande")},
                       {QStringLiteral("Date")},
                       {QStringLiteral("Fournisseur")},
                       {QStringLiteral("Nom/Société")},
                       {QStringLiteral("Adresse")}},
                      {0, 110, 90, 90, 220}, QSize(760, 480), parent)
{}
