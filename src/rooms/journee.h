#pragma once

#include "print/print_job.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

class FileSet;

// The day at a glance: who arrives, who leaves, who is in the house (and
// who should have left), and which rooms are free tonight. One function
// reads the client and room tables for the window, the printout and the
// file-set tool alike.
//
// Who holds a room tonight is the nights' model's answer (nights.h), with
// the day shown taken as today: a guest leaving today leaves the room free
// tonight; a present guest whose departure date has passed is still in the
// house, keeps the room and is listed with the departures ("en retard"); a
// reservation whose arrival day has passed without the guest is listed
// under "Non arrivés" up to its departure day.
namespace journee {

struct Guest
{
    int block = -1;
    QString code, name, room; // room trimmed
    QString since, leaving;   // as stored
    int situation = -1;       // 0 "Présent", 1 "Réserve", 2 "Confirme"
    int nights = -1;          // -1 when the dates do not read
    bool overdue = false;     // present, departure date before the day
    bool noShow = false;      // reserved or confirmed, arrival day before the day
    bool datesUnreadable = false;
};

struct FreeRoom
{
    int block = -1;
    QString number, category, beds, price; // trimmed
};

struct Day
{
    QDate day;
    QList<Guest> arrivals;   // stay beginning that day: reserved, confirmed or already present
    QList<Guest> departures; // present, departure that day or before (overdue)
    QList<Guest> present;    // present, stay covering that day; overdue ones; dates that do not read
    QList<Guest> noShows;    // reserved or confirmed, arrival passed, departure not yet
    QList<FreeRoom> freeTonight;
};

// The four lists of a day, each in block-number order.
Day Journee(const FileSet &set, QDate day);

// What the file-set tool prints: one TAB-separated line per entry, the
// arrivals, departures, guests present, no-shows, then the rooms free tonight.
QStringList toolLines(const Day &day);

// How a guest's situation reads in the lists ("en retard", "dates ?").
QString situationText(const Guest &guest);

// The printout of the day: the hotel's name and the date, the four lists
// with their counts, page breaks repeating the headings.
PrintDocument ImpJournee(const Day &day, const QString &hotel, const PageMetrics &metrics);
PrintJob ImpJourneeJob(const Day &day, const QString &hotel);

} // namespace journee
