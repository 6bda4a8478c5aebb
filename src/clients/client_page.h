#pragma once

#include "cards/client_card.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// The family situations offered by the drop-down.
extern const QStringList kFamilySituations;
extern const QStringList kSituationNames;

// The client page: the card on screen and every client operation. Reads
// and writes the client table of the record window; the moves, browsing,
// search and list are the card page's.
class ClientPage : public GuestPage
{
public:
    static constexpr int kMaxCount = 99000;

    explicit ClientPage(Fiche &fiche);

    ClientCard &card() override { return m_card; }
    const ClientCard &card() const { return m_card; }

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
    int numerom() const { return nextCode(); }

    // "OK" of the history entry row. Returns false with a French message when
    // the amount is not a number.
    bool addHistory(QString *error = nullptr);
    // What the history grid shows: the history rows, then one row per stay
    // of the card's history (its arrival and what became of it), then the
    // empty rows left.
    QList<HistoryRow> shownHistory() const;
    // Leaving "Total dû" right-aligns it.
    void leaveDue();
    void chooseSituation(int index) override;

    // A situation a person chooses on the card. "Présent", "Réserve" and
    // "Confirme" must pass the same check as the reception dialogs (the
    // message is shown, the situation stays); "Parti" and "Annulle" ask
    // first, "Parti" of a guest present makes the departure and "Annulle"
    // keeps the stay cancelled in the card's history. False when nothing
    // was chosen.
    bool pickSituation(int index);

    void copy();
    void paste();

    void writeBack() override { EcritFiche(); }
    void read() override { LitFiche(); }

    // Block lines of a card, and the card of block lines: the card format.
    QList<QByteArray> blockLines(int number) const;
    void readBlock(const RecordTable &table, qsizetype start, qsizetype end);

protected:
    bool browsing() const override { return browseMode >= 2 && browseMode <= 5; }
    std::function<bool(qsizetype start)> browsed() const override;

private:
    // Before the card is written: a room, dates or situation that differ
    // from the table's and clash with another stay are put back as the
    // table holds them, and the person is told why.
    void keepStayBookable();

    ClientCard m_card;
};
