#pragma once

#include "rooms/reception.h"

#include <QDialog>

class QDateEdit;
class QLineEdit;

// TDepart: confirms a client's departure. The dates may be changed but the
// departure keeps the card's own.
class TDepart : public QDialog
{
    Q_OBJECT
public:
    explicit TDepart(QWidget *parent = nullptr);

    // The client card's name, dates and room (the occupant is not shown).
    void Init(const reception::StayChoice &shown);
    reception::StayChoice Result() const;

private:
    QLineEdit *m_client;
    QDateEdit *m_since;
    QDateEdit *m_leaving;
    QLineEdit *m_room;
};
