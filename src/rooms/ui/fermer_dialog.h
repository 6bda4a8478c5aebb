#pragma once

#include "rooms/reception.h"

#include <QDialog>

class QDateEdit;
class QLineEdit;
class RoomBox;

// TFermer: takes a room out of service for a period, with a reason.
class TFermer : public QDialog
{
    Q_OBJECT
public:
    explicit TFermer(QWidget *parent = nullptr);

    // The period, the room proposed and the free rooms; the reason has the
    // focus.
    void Init(const reception::ClosingChoice &shown, const QStringList &freeRooms);
    reception::ClosingChoice Result() const;

private:
    QDateEdit *m_from;
    QDateEdit *m_until;
    RoomBox *m_room;
    QLineEdit *m_reason;
};
