#pragma once

#include "cards/card_page.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <optional>

// One row of the room history: first day, last day (masked texts) and what
// happened.
struct RoomHistoryRow
{
    QString from, until, description;
    bool isEmpty() const { return from.isEmpty() && until.isEmpty() && description.isEmpty(); }
    bool operator==(const RoomHistoryRow &) const = default;
};

// The room card as the page shows it.
struct RoomCard
{
    static constexpr int kHistoryRows = 12;
    static constexpr int kComforts = 6; // Douche, WC, Bain, Téléphone, Télévision, Internet
    static constexpr int kIndicators = kComforts + 3; // then three "Lit"
    // A masked date field with nothing typed in.
    static inline const QString kNoDate = QStringLiteral("  /  /    ");

    QString number, category, designation;
    int beds = 0;
    QString price;
    int floor = 0;
    QString orientation, occupant;
    std::array<bool, kComforts> comfort{};
    QString closedFrom = kNoDate, closedUntil = kNoDate, closedReason;
    QStringList note;
    // The grid's twelve rows; a block holding more DATA lines keeps them
    // after the twelfth, so nothing read is lost when the card is written.
    QList<RoomHistoryRow> history = QList<RoomHistoryRow>(kHistoryRows);

    // The nine indicators beside the comfort boxes: one per comfort box,
    // then the beds (more than 0, 1, 2).
    bool indicator(int i) const
    {
        return i < kComforts ? comfort[std::size_t(i)] : beds > i - kComforts;
    }

    bool operator==(const RoomCard &) const = default;
};

// One row of the room list window: a block in table order.
struct RoomListRow
{
    int block = -1;
    QString number, category, designation, beds, price, floor, occupant;
};

// The room page: the card on screen, the browse modes and every room
// operation. Reads and writes the room table of the record window; the
// moves, browsing, search and list are the card page's.
class RoomPage : public CardPage
{
public:
    static constexpr int kMaxCount = 99000;
    // The room list window opens only on a table of at least this many lines.
    static constexpr int kListMinLines = 21;
    static inline const QStringList kOrientations = {
        QStringLiteral("Rue"), QStringLiteral("Cour"),  QStringLiteral("Nord"),
        QStringLiteral("Est"), QStringLiteral("Ouest"), QStringLiteral("Sud")};

    explicit RoomPage(Fiche &fiche);

    RoomCard &card() { return m_card; }
    const RoomCard &card() const { return m_card; }

    // The history entry row (masked dates and a description).
    QString entryFrom = RoomCard::kNoDate, entryUntil = RoomCard::kNoDate, entryDescription;

    // Browse mode: 1 all rooms (0 before any choice), 2 same category,
    // 3 same number of beds, 4 free rooms; and the selections of 2 and 3.
    int browseMode = 1;
    QString selectedCategory; // upper-cased
    QString selectedBeds;
    // The free-room list for mode 4 (entries "number TAB designation").
    // Without it a room is free when it has no occupant.
    std::function<QStringList()> freeRooms;

    void EcritChambre();
    void LitChambre();

    // Leaving "Numéro" shows it normalised.
    void leaveNumber();
    // The history "..." button. False when a date of the entry row is not typed in.
    bool addHistory();
    // The "Libérer chambre" button: empties the out-of-service period.
    void clearOutOfService();

    // Chooses the browse mode; `answer` is what the category dialog (mode 2)
    // or the beds question (mode 3) gave back, nothing when cancelled.
    void SetChambre(int mode, const std::optional<QString> &answer = {});
    // What the beds question proposes.
    QString bedsProposal() const { return QString::number(m_card.beds); }

    // Sorts the room table by number (key 0) or occupant (1); -1 does nothing.
    void Trier3(int key);

    // Searches in table order; the card shown is written back first. False,
    // with the message, when no room matches; an empty text does nothing.
    bool RechNum(const QString &number);
    bool RechNom(const QString &name);

    // The room list window's rows, in table order, after writing the card
    // back; nothing when the table is shorter than kListMinLines.
    std::optional<QList<RoomListRow>> Liste();

    void copy();
    void paste();

    void writeBack() override { EcritChambre(); }
    void read() override { LitChambre(); }
    void add() override;

    QList<QByteArray> blockLines(int number) const;

protected:
    bool browsing() const override { return browseMode >= 2 && browseMode <= 4; }
    std::function<bool(qsizetype start)> browsed() const override;

private:
    void readBlock(const RecordTable &t, qsizetype start, qsizetype end);

    RoomCard m_card;
};

// The client page's search by room: the first client block in table order
// whose room, normalised, is the given number becomes the client page's
// current card, after the card shown was written back. False, with the
// message "Fiche ... non trouvée", when none; an empty text does nothing.
bool RechChambre(Fiche &fiche, const QString &room);
