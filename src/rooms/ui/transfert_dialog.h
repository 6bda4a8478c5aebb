#pragma once

#include "rooms/reception.h"

#include <QDialog>

class QDateEdit;
class RoomBox;

// TTransfert: moves the occupant of one room to another, or swaps two.
class TTransfert : public QDialog
{
    Q_OBJECT
public:
    explicit TTransfert(QWidget *parent = nullptr);

    // The source proposed (the room card shown), the target empty.
    void Init(const reception::TransferChoice &shown, const QStringList &freeRooms);
    reception::TransferChoice Result() const;

private:
    QDateEdit *m_date;
    RoomBox *m_source;
    RoomBox *m_target;
};
