#pragma once

#include "statistics.h"
#include "store/money.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>

// "État de la taxe de séjour": what the hotel collected for its commune over
// a period, from the "D" lines of its validated invoices, as the commune's
// declaration asks for it (stays, nights, persons, amounts).

struct TouristTaxRow
{
    QString number;      // the invoice's number; "Avoir " + number for a credit note
    QString client;      // the name on the invoice, or its client code
    QDate arrival, departure;
    qint64 nights = 0;   // of the stay; negative on a credit note
    Money personNights;  // the "D" lines' quantities: nights x persons
    Money amount;        // the "D" lines' total
    // The persons liable: person-nights over the stay's nights (the
    // person-nights themselves for a stay without nights), at least one
    // when there is any.
    qint64 persons() const;
};

struct TouristTaxReport
{
    QList<TouristTaxRow> rows; // in invoice block order
    qint64 nights = 0;
    Money personNights;
    Money amount;
};

// The validated invoices dated from `from` to `to` (both included) whose
// "D" lines come to something; a credit note counts against its invoice.
TouristTaxReport touristTaxReport(const FileSet &set, const InvoicePassSettings &settings,
                                  QDate from, QDate to);

// The window's and the printout's grid: the ordinal, "Facture", "Client",
// "Arrivée", "Départ", "Nuits", "Personnes", "Nuitées", "Montant", then a
// "Total" row when there are rows.
GridSheet touristTaxSheet(const TouristTaxReport &report, int decimals);
inline constexpr QStringView kTouristTaxCaption = u"État de la taxe de séjour";
// The period as the window's and the printout's heading shows it.
QString touristTaxHeading(QDate from, QDate to);

// The declaration for a spreadsheet: the grid without its ordinal, the
// dates as dates, the counts and amounts as numbers.
Spreadsheet touristTaxSpreadsheet(const TouristTaxReport &report, int decimals);
// The same as a ".csv": a heading line, fields separated by ";" (quoted
// when they hold one), decimal commas, CR LF, in Windows-1252.
QByteArray touristTaxCsv(const TouristTaxReport &report, int decimals);
