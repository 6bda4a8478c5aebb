#pragma once

#include "rooms/reception.h"

#include <QDialog>

#include <functional>

class QDateEdit;
class QLabel;
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

    // The free rooms for the dates shown, asked again whenever a date
    // changes, and the check that "OK" must pass (empty: the stay can be
    // booked; else the dialog says why and stays open).
    using FreeRooms = std::function<QStringList(QDate first, QDate last)>;
    using Check = std::function<QString(const reception::StayChoice &)>;
    void setChecks(FreeRooms freeRooms, Check check);

    void accept() override;

protected:
    void datesChanged();

    QLineEdit *m_client;
    QLineEdit *m_occupant;
    QDateEdit *m_since;
    QDateEdit *m_leaving;
    RoomBox *m_room;
    QLabel *m_problem;
    FreeRooms m_freeRooms;
    Check m_check;
};
