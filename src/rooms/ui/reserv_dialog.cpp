#include "reserv_dialog.h"

TReserv::TReserv(QWidget *parent) : TArrive(parent)
{
    setWindowTitle(QStringLiteral("Réservation de chambre"));
}
