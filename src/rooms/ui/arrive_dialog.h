#pragma once

#include "rooms/reception.h"

#include <QDialog>

class QDateEdit;
class QLineEdit;
class RoomBox;

// TArrive: the room and the dates of a client's arrival.
class TArrive : public QDialog
{
    Q_OBJECT
public:
    explicit TArrive(QWidget *parent = nullptr);

    // The client card's name, dates and room, and the free rooms offered.
    void Init(const reception::StayChoice &shown, const QStringList &freeRooms);
    // The room comes back cut at its first blank.
    reception::StayChoice Result() const;

protected:
    QLineEdit *m_client;
    QLineEdit *m_occupant;
    QDateEdit *m_since;
    QDateEdit *m_leaving;
    RoomBox *m_room;
};
