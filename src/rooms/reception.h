#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

class GuestPage;
class Fiche;
class FileSet;

// Reception: arrivals, departures, reservations, closing, transfers and
// freeing. They change single lines of the client and room tables in place.
//
// A card on screen with unsaved edits would be written back over those lines
// later and undo the operation, so every operation first writes back the
// client and room cards, then changes the tables, then reads both cards
// again: the cards always show what the tables hold. No operation shows a
// message; a room that matches nothing simply changes nothing.
namespace reception {

// What the arrival and reservation dialogs show and give back (the
// departure dialog uses the same fields but for the room drop-down).
struct StayChoice
{
    QString client;
    QString occupant;
    QDate since, leaving;
    QString room;
};

struct ClosingChoice
{
    QDate from, until;
    QString room;
    QString reason;
};

struct TransferChoice
{
    QDate date; // the day the guests present in the source room move
    QString source, target;
};

// The free-room list for a stay arriving on `first` and leaving on `last`:
// one entry per room, its number line, a TAB and its designation line,
// sorted ignoring case. A room leaves the list when anything holds it on one
// of the stay's nights (nights.h); the client blocks listed in `except` take
// no part (the guest being booked never stands in their own way).
QStringList ChambresLibres(const FileSet &set, QDate first, QDate last, const QList<int> &except = {},
                           QDate today = QDate::currentDate());
// The same for the stay on the client card shown.
QStringList ChambresLibres(Fiche &fiche);

// Who or what holds `room` on a night of a stay from `first` to `last`, in
// French, one line each ("Chambre 106 réservée du 08/12/2026 au 14/12/2026
// par BARON Joël", "Chambre 203 fermée du ... au ... : Peinture"); empty when
// it is free.
QStringList roomTaken(const FileSet &set, const QString &room, QDate first, QDate last,
                      const QList<int> &except = {}, QDate today = QDate::currentDate());

// Why the stay chosen in the arrival or reservation dialog cannot be booked
// for the client card shown (dates the wrong way round, the room taken on
// one of its days); empty when it can.
QString stayProblem(Fiche &fiche, const StayChoice &choice);
// The same check for the stay of client block `client` in `room`: what the
// client card asks when its room, dates or situation change.
QString stayProblem(const FileSet &set, int client, const QString &room, QDate since, QDate leaving, QDate today);

// The client blocks present in `room` on the night of `day`, overdue guests
// included.
QList<int> presentGuests(const FileSet &set, const QString &room, QDate day, QDate today = QDate::currentDate());
// The rooms with a guest present on the night of `day`, as free-room entries.
QStringList occupiedRooms(const FileSet &set, QDate day, QDate today = QDate::currentDate());
// The rooms the guests present in `source` on `day` can move to: free from
// that night to the last night they hold.
QStringList transferTargets(const FileSet &set, const QString &source, QDate day,
                            QDate today = QDate::currentDate());
// Why a transfer cannot be made; empty when it can.
QString transferProblem(const FileSet &set, const TransferChoice &choice, QDate today = QDate::currentDate());

// Before a room is closed over [from, until]: the stays it would hide, as
// the question put to the person; empty when there is none.
QString closingQuestion(const FileSet &set, const ClosingChoice &choice, QDate today = QDate::currentDate());

// How an entry reads in a drop-down (trimmed, TAB as a blank), and the room
// a drop-down text names: its trimmed text up to the first blank.
QString shownEntry(const QString &entry);
QString roomOf(const QString &text);

// Records `name` as the occupant of the first room whose normalised number
// is `room` when the room has none, or clears the occupant when `name` is
// empty. That room becomes the room page's current card.
void ModifChambre(Fiche &fiche, const QString &room, const QString &name);
// Empties the occupant of `room` when it is `name`: a guest who leaves never
// takes another guest's name off the room.
void clearOccupant(Fiche &fiche, const QString &room, const QString &name);
// Lets the client card's situation ("Présent", "Parti") record the occupant
// of its room through ModifChambre and clear it through clearOccupant, and
// puts the card's own room, date and situation edits through stayProblem
// and its "Parti" through Part.
void installSituationHook(Fiche &fiche);

// The client page of the record window, or null when none is installed.
GuestPage *clientPage(Fiche &fiche);

// What each dialog opens with, from the cards shown and the free rooms. A
// card whose stay does not end after it begins is proposed one night.
StayChoice arrivalProposal(Fiche &fiche, const QStringList &freeRooms);
StayChoice departureProposal(Fiche &fiche);
StayChoice reservationProposal(Fiche &fiche, const QStringList &freeRooms);
ClosingChoice closingProposal(Fiche &fiche);
TransferChoice transferProposal(Fiche &fiche);

// The operations, given what their dialog returned after "OK". A transfer on
// a day after the guests' first night splits their stay there: the nights
// before go into their cards' history in the source room. Each returns
// false when it changed nothing (no room chosen, or a stay or transfer that
// the checks above refuse).
bool Arriv(Fiche &fiche, const StayChoice &choice);
// The departure on `leaving` (invalid: the day proposed) puts the stay's
// nights into the card's history; a day after both the departure planned and
// today counts as the later of them.
bool Part(Fiche &fiche, QDate leaving = {});
bool Reservation(Fiche &fiche, const StayChoice &choice);
bool Fermeture(Fiche &fiche, const ClosingChoice &choice);
bool Transferer(Fiche &fiche, const TransferChoice &choice);
// Empties the out-of-service period of the room card shown.
bool Liberation(Fiche &fiche);

// Writes back the client and room cards shown, so that the tables hold
// their pending edits before an operation reads or changes them.
void commitCards(Fiche &fiche);

} // namespace reception
