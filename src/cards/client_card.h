#pragma once

#include "card_page.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// One row of the history grid: date, label and amount as shown.
struct HistoryRow
{
    QString date, label, amount;
    bool isEmpty() const { return date.isEmpty() && label.isEmpty() && amount.isEmpty(); }
    bool operator==(const HistoryRow &) const = default;
};

// A client that is a business (a company sending its staff, a tour
// operator): its SIREN or SIRET, its intra-community VAT number and its
// legal name, which its invoices carry and electronic invoices require. The
// card keeps them in one tagged line, only when one is filled in, so that a
// card without them reads and is written as before.
struct ClientBusiness
{
    static constexpr QByteArrayView kTag = "ENTR";
    QString siret, vatNumber, legalName;
    bool isBusiness() const
    {
        return !siret.trimmed().isEmpty() || !vatNumber.trimmed().isEmpty() ||
               !legalName.trimmed().isEmpty();
    }
    // "ENTR" + the three fields joined by TABs; the fields of such a line.
    QByteArray line() const;
    static ClientBusiness read(QByteArrayView line);
    bool operator==(const ClientBusiness &) const = default;
};

// The client card as the page shows it.
struct ClientCard
{
    static constexpr int kHistoryRows = 255;
    static constexpr int kSituations = 5; // Présent, Réserve, Confirme, Parti, Annulle
    static inline const QString kNoBirthDate = QStringLiteral("  /  /    ");

    QString code;
    bool npai = false;
    bool marked = false;
    QString name, address1, address2, postalCode, town, country, phone, fax, email;
    QDate created, since, leaving;
    QString idDocument, room;
    int stays = 0;
    QString birthDate = kNoBirthDate;
    QString family;
    QString due;
    QString nationality, profession;
    int situation = -1;
    QStringList note;
    // Grid rows 1 to 255; rows read beyond the grid are kept in `moreHistory`
    // and written back after it.
    QList<HistoryRow> history = QList<HistoryRow>(kHistoryRows);
    QList<HistoryRow> moreHistory;
    // The stays over, as their "SEJR" lines hold them (stay_history.h).
    QStringList stayLines;
    ClientBusiness business;

    bool operator==(const ClientCard &) const = default;
};

// The page that shows a guest's card, as the reception sees it: the card,
// its situation and the hooks through which the card's own edits reach the
// rooms. The client page is it; the reception works through it, so that
// rooms and clients do not lean on each other.
class GuestPage : public CardPage
{
public:
    using CardPage::CardPage;

    virtual ClientCard &card() = 0;
    // Choosing a situation; "Parti" also empties the room.
    virtual void chooseSituation(int index) = 0;

    // What choosing "Présent" or "Parti" does to the room's occupant (rooms).
    std::function<void(const QString &room, const QString &name, bool present)> onSituation;
    // Why the stay on a card cannot hold its room (rooms): empty when it can.
    std::function<QString(const ClientCard &card)> stayCheck;
    // The departure of the guest on the card shown (rooms).
    std::function<void()> onDeparture;
};
