#pragma once

#include "store/fiche.h"
#include "store/page.h"

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

// The family situations offered by the drop-down.
extern const QStringList kFamilySituations;
extern const QStringList kSituationNames;

// The client page: the card on screen, its modified flag, and every client
// operation. Reads and writes the client table of the record window.
class ClientPage : public Page
{
public:
    static constexpr int kMaxCount = 99000;

    explicit ClientPage(Fiche &fiche);

    Fiche &fiche() { return m_fiche; }
    ClientCard &card() { return m_card; }
    const ClientCard &card() const { return m_card; }
    bool modified() const;
    // Every edit of a field of the card goes through here.
    void touch();

    // The history entry row.
    QDate entryDate;
    QString entryLabel, entryAmount;

    // Browse mode: 1 all clients (0 before any choice), 2 postal code,
    // 3 town, 4 country, 5 guests present; and the texts of 2, 3 and 4.
    int browseMode = 1;
    QString selPostalCode, selTown, selCountry;

    void EcritFiche();
    void LitFiche();
    // The next free client number: one more than the largest code, at least 10001.
    int numerom() const;

    // "OK" of the history entry row. Returns false with a French message when
    // the amount is not a number.
    bool addHistory(QString *error = nullptr);
    // What the history grid shows: the history rows, then one row per stay
    // of the card's history (its arrival and what became of it), then the
    // empty rows left.
    QList<HistoryRow> shownHistory() const;
    // Leaving "Total dû" right-aligns it.
    void leaveDue();
    // Choosing a situation; "Parti" also empties the room.
    void chooseSituation(int index);
    // What choosing "Présent" or "Parti" does to the room's occupant (rooms).
    std::function<void(const QString &room, const QString &name, bool present)> onSituation;

    // A situation a person chooses on the card. "Présent", "Réserve" and
    // "Confirme" must pass the same check as the reception dialogs (the
    // message is shown, the situation stays); "Parti" and "Annulle" ask
    // first, "Parti" of a guest present makes the departure and "Annulle"
    // keeps the stay cancelled in the card's history. False when nothing
    // was chosen.
    bool pickSituation(int index);
    // Why the stay on a card cannot hold its room (rooms): empty when it can.
    std::function<QString(const ClientCard &card)> stayCheck;
    // The departure of the guest on the card shown (rooms).
    std::function<void()> onDeparture;

    void copy();
    void paste();

    void writeBack() override { EcritFiche(); }
    void read() override { LitFiche(); }
    void first() override;
    void last() override;
    void next() override;
    void previous() override;
    void add() override;
    void remove() override;

    // Block lines of a card, and the card of block lines: the card format.
    QList<QByteArray> blockLines(int number) const;
    void readBlock(const RecordTable &table, qsizetype start, qsizetype end);

private:
    void moveTo(int position);
    // Before the card is written: a room, dates or situation that differ
    // from the table's and clash with another stay are put back as the
    // table holds them, and the person is told why.
    void keepStayBookable();
    FileSet &set() { return m_fiche.set(); }
    const FileSet &set() const { return m_fiche.set(); }

    Fiche &m_fiche;
    ClientCard m_card;
    // Kept by "Copier" for "Coller".
    QStringList m_clipboard;
    // The next free number, kept while the table does not change.
    mutable quint64 m_numberedRevision = ~quint64(0);
    mutable int m_nextNumber = 0;
};
