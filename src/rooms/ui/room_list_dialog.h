#pragma once

#include "cards/ui/card_list_dialog.h"
#include "rooms/room_page.h"

// TFListe3: every room in table order, with its number, category,
// designation, beds, price, floor and occupant.
class TFListe3 : public CardListDialog
{
    Q_OBJECT
public:
    explicit TFListe3(QWidget *parent = nullptr);
    void Init(const QList<RoomListRow> &rows);
    // Shows the list maximised and gives back the chosen block.
    static int run(QWidget *parent, const QList<RoomListRow> &rows);
};
