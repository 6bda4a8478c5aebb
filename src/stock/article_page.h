#pragma once

#include "cards/card_page.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// One stock movement: date, label and quantity as shown.
struct MovementRow
{
    QString date, label, quantity;
    bool isEmpty() const { return date.isEmpty() && label.isEmpty() && quantity.isEmpty(); }
    bool operator==(const MovementRow &) const = default;
};

// The article card as the page shows it. Price, rate and quantities keep
// their alignment blanks, as they are stored.
struct ArticleCard
{
    static constexpr int kMovementRows = 63;

    QString code, family, designation, price, rate, account, supplier;
    QStringList description, observations;
    // The grid's rows, filled from the top; rows read beyond the grid are
    // kept in `moreMovements` and written back after it.
    QList<MovementRow> movements = QList<MovementRow>(kMovementRows);
    QList<MovementRow> moreMovements;

    bool operator==(const ArticleCard &) const = default;
};

// One row of the article list window: a block in table order.
struct ArticleListRow
{
    int block = -1;
    QString code, family, designation, price, rate, supplier, account;
};

// One entry of the article picker: the code and "code designation".
struct ArticlePick
{
    QString code, entry;
};

// The entries of the article picker, one per block in table order.
QList<ArticlePick> articlePicks(const RecordTable &articles);

// The article page: the card on screen, the family browse mode and every
// article operation. Reads and writes the article table of the record
// window; block numbers are its positions. The moves, browsing, search and
// list are the card page's.
class ArticlePage : public CardPage
{
public:
    // Block numbers have four digits: 9999 articles at most.
    static constexpr int kMaxCount = 9998;
    static constexpr int kListMinLines = 21;
    // Column widths of the stored alignment, in pixels.
    static constexpr int kPriceWidth = 105;
    static constexpr int kRateWidth = 45;
    static constexpr int kQuantityWidth = 95;
    static inline const QString kDefaultAccount = QStringLiteral("707000");

    explicit ArticlePage(Fiche &fiche);

    ArticleCard &card() { return m_card; }
    const ArticleCard &card() const { return m_card; }

    // The movement entry row above the grid.
    QDate entryDate;
    QString entryLabel, entryQuantity;

    // Browse mode: 1 all articles, 2 one family; the family kept upper-cased.
    int browseMode = 1;
    QString selectedFamily;

    void EcritArt();
    void LitArt();
    // The next free article code: one more than the largest whole-number
    // code, at least 10001.
    int Numeroa() const { return nextCode(); }

    // Entering "Prix" or "Taux TVA" shows the value without its blanks;
    // leaving puts them back (the price formatted as an amount). Leaving a
    // price that is not a number tells why and keeps the text: false.
    // Neither marks the card unless its value changed.
    void enterPrice();
    bool leavePrice();
    void enterRate();
    void leaveRate();

    // "OK" of the entry row: the movement goes to the first empty row.
    // False, with a message, when the quantity is not a number or the grid
    // is full; the entry row then keeps what was typed.
    bool addMovement();

    // Chooses the browse mode; `family` is what the family dialog gave back
    // for mode 2, nothing when cancelled (the family chosen before stays).
    void SetArt(int mode, const std::optional<QString> &family = {});

    // The first article in table order whose designation begins with the
    // text (a to z in any case) becomes current, after the card shown was
    // written back. False, with "Fiche ... non trouvée", when none; an empty
    // text does nothing.
    bool RechArt(const QString &designation);

    // The list window's rows, after writing the card back; nothing when the
    // table is shorter than kListMinLines.
    std::optional<QList<ArticleListRow>> Liste();

    void copy();
    void paste();

    void writeBack() override { EcritArt(); }
    void read() override { LitArt(); }

    QList<QByteArray> blockLines(int number) const;

protected:
    bool browsing() const override { return browseMode == 2; }
    std::function<bool(qsizetype start)> browsed() const override;

private:
    void readBlock(const RecordTable &t, qsizetype start, qsizetype end);

    ArticleCard m_card;
    // What "Prix" and "Taux TVA" held when entered.
    QString m_priceEntered, m_rateEntered;
};
