#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

class ClientPage;
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
    QDate date; // shown, not used
    QString source, target;
};

// The free-room list for the stay [first, last], both days included: one
// entry per room, its number line, a TAB and its designation line, sorted
// ignoring case. A room leaves the list when a present, reserved or
// confirmed client's stay in it, or its own out-of-service period, shares a
// day with the stay; records whose dates do not read take no part.
QStringList ChambresLibres(const FileSet &set, QDate first, QDate last);
// The same for the stay on the client card shown.
QStringList ChambresLibres(Fiche &fiche);

// How an entry reads in a drop-down (trimmed, TAB as a blank), and the room
// a drop-down text names: its trimmed text up to the first blank.
QString shownEntry(const QString &entry);
QString roomOf(const QString &text);

// Records `name` as the occupant of the first room whose normalised number
// is `room` when the room has none, or clears the occupant when `name` is
// empty. That room becomes the room page's current card.
void ModifChambre(Fiche &fiche, const QString &room, const QString &name);
// Lets the client card's situation ("Présent", "Parti") record and clear the
// occupant of its room through ModifChambre.
void installSituationHook(Fiche &fiche);

// The client page of the record window, or null when none is installed.
ClientPage *clientPage(Fiche &fiche);

// What each dialog opens with, from the cards shown and the free rooms.
StayChoice arrivalProposal(Fiche &fiche, const QStringList &freeRooms);
StayChoice departureProposal(Fiche &fiche);
StayChoice reservationProposal(Fiche &fiche, const QStringList &freeRooms);
ClosingChoice closingProposal(Fiche &fiche);
TransferChoice transferProposal(Fiche &fiche);

// The operations, given what their dialog returned after "OK". Each returns
// false when it changed nothing (no room chosen).
bool Arriv(Fiche &fiche, const StayChoice &choice);
bool Part(Fiche &fiche);
bool Reservation(Fiche &fiche, const StayChoice &choice);
bool Fermeture(Fiche &fiche, const ClosingChoice &choice);
bool Transferer(Fiche &fiche, const TransferChoice &choice);
// Empties the out-of-service period of the room card shown.
bool Liberation(Fiche &fiche);

// Writes back the client and room cards shown, so that the tables hold
// their pending edits before an operation reads or changes them.
void commitCards(Fiche &fiche);

} // namespace reception
