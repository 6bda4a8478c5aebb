#pragma once

#include "card_page.h"

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
