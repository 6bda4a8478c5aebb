#pragma once

#include "invoice.h"

#include <QDate>
#include <QString>

// The taxe de séjour on a new invoice: one "D" line, paid over to the
// commune, of nights x liable persons at the amount per person and night.

inline constexpr QStringView kTouristTaxDesignation = u"Taxe de séjour";

// The persons liable for the tax from a client card's family situation:
// "Célibataire" 1, "Couple" and the families 2 (children are exempt);
// a situation typed otherwise, or none, counts the guest alone.
int liablePersons(const QString &family);

// Adds the tax line in the first free row after those in use, dated `day`:
// nothing (false) when the tax is not collected (amount 0), the stay has no
// night, or the grid is full.
bool addTouristTaxLine(InvoiceCard &card, double amountPerNight, const QString &family,
                       QDate stayFrom, QDate stayTo, QDate day, int decimals);
