#pragma once

#include "rooms/room_page.h"

#include <QDialog>

class QTableView;
class RoomListModel;

// TFListe3: every room in table order; double-click or Enter on a row
// gives back its block number, "Fermer" gives back -1.
class TFListe3 : public QDialog
{
    Q_OBJECT
public:
    explicit TFListe3(QWidget *parent = nullptr);
    void Init(const QList<RoomListRow> &rows);
    int Result() const { return m_result; }
    // Shows the list maximised and gives back the chosen block.
    static int run(QWidget *parent, const QList<RoomListRow> &rows);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void choose(int row);

    RoomListModel *m_model = nullptr;
    QTableView *m_view = nullptr;
    int m_result = -1;
};
