#pragma once

#include "cards/ui/card_list_dialog.h"
#include "clients/client_search.h"

// TFListe: "Liste des clients". Its rows are read from the table only as
// they are shown, so that the window opens at once on any number of clients.
class TFListe : public CardListDialog
{
    Q_OBJECT
public:
    explicit TFListe(QWidget *parent = nullptr);
    void Init(const ClientList &list);
    static int run(QWidget *parent, const ClientList &list);
};
