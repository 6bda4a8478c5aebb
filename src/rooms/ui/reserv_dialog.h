#pragma once

#include "arrive_dialog.h"

// TReserv: the room and the dates of a reservation; the fields of an arrival.
class TReserv : public TArrive
{
    Q_OBJECT
public:
    explicit TReserv(QWidget *parent = nullptr);
};
