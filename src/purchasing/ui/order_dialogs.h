#pragma once

#include "billing/ui/invoice_list_dialog.h"
#include "purchasing/order.h"

// "Liste des commandes": every order block with its number, date, supplier
// code and the first two lines of the supplier's address. The arrows move
// the selected order (the order shown only); Enter, a double click or
// "Fermer" give back its block, Escape gives back -1.
class TCmdListe : public BlockListDialog
{
    Q_OBJECT
public:
    explicit TCmdListe(QWidget *parent = nullptr);
};
