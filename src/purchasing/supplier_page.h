#pragma once

#include "cards/card_page.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

// One row of a supplier's statement: date, label and amount as shown (the
// amount with its alignment blanks, as it is stored).
struct StatementRow
{
    QString date, label, amount;
    bool isEmpty() const { return date.isEmpty() && label.isEmpty() && amount.isEmpty(); }
    bool operator==(const StatementRow &) const = default;
};

// The supplier card as the page shows it.
struct SupplierCard
{
    static constexpr int kStatementRows = 63;

    // "Fournisseur"
    QString code, family, name, address1, address2, postalCode, town, country, phone, fax, email;
    // "Banque"
    QString bank, bankCode, branchCode, accountNumber, accountKey;
    // "Divers"
    QString website, representative, creditLimit, totalOwed, risk, account;
    QStringList observations;
    // The grid's rows, filled from the top; rows read beyond the grid are
    // kept in `moreStatement` and written back after it.
    QList<StatementRow> statement = QList<StatementRow>(kStatementRows);
    QList<StatementRow> moreStatement;

    bool operator==(const SupplierCard &) const = default;
};

// One row of the supplier list window: a block in table order.
struct SupplierListRow
{
    int block = -1;
    QString name, address1, address2, postalCode, town, phone, fax;
};

// One entry of the supplier picker: the code and "code name".
struct SupplierPick
{
    QString code, entry;
};

namespace suppliers {

// Width in pixels a statement amount is right-aligned to.
constexpr int kAmountWidth = 95;

// Block number of the supplier whose trimmed code is the trimmed `code`,
// compared as text ("1" is not "10001" nor "01"); -1 when there is none or
// the code is empty. The first such block in table order counts.
int blockOfCode(const RecordTable &table, QStringView code);

// The block line of a statement row: "DATA" + date, label and amount joined
// by TAB, the amount trimmed and right-aligned as the page shows it.
QString statementLine(const QString &date, const QString &label, const QString &amount);

// The entries of the supplier picker, one per block in table order.
QList<SupplierPick> picks(const RecordTable &table);

} // namespace suppliers

// The statement line is also what an order's validation writes.
using suppliers::statementLine;

// The supplier page: the card on screen, the family browse mode and every
// supplier operation. Reads and writes the supplier table of the record
// window; block numbers are its positions, and they grow past 9999 with
// wider markers. The moves, browsing, search and list are the card page's.
class SupplierPage : public CardPage
{
public:
    static constexpr int kListMinLines = 21;
    static constexpr int kFirstCode = 10001;
    static inline const QString kDefaultAccount = QStringLiteral("607000");
    static inline const QStringList kRisks = {QStringLiteral("Aucun"), QStringLiteral("Faible"),
                                              QStringLiteral("Moyen"), QStringLiteral("Elevé")};

    explicit SupplierPage(Fiche &fiche);

    SupplierCard &card() { return m_card; }
    const SupplierCard &card() const { return m_card; }

    // The statement entry row above the grid.
    QDate entryDate;
    QString entryLabel, entryAmount;

    // Browse mode: 1 all suppliers, 2 one family; the family kept upper-cased.
    int browseMode = 1;
    QString selectedFamily;

    void EcritFour();
    void LitFour();
    // The next free supplier code: one more than the largest whole-number
    // code, at least 10001. Codes that are not whole numbers take no part.
    int Numerou() const { return nextCode(kFirstCode); }

    // "OK" of the entry row: the row goes to the first empty statement row
    // and the card is marked. False, with a message, when the amount is not
    // a number or the grid is full; the entry row then keeps what was typed.
    // Nothing happens while the label or the amount is empty.
    bool addStatementRow();

    // Chooses the browse mode; `family` is what the family dialog gave back
    // for mode 2, nothing when cancelled (the family chosen before stays).
    void SetFour(int mode, const std::optional<QString> &family = {});

    // The first supplier in table order whose name begins with the text (a
    // to z in any case) becomes current, after the card shown was written
    // back. False, with "Fiche ... non trouvée", when none; an empty text
    // does nothing.
    bool RechNom(const QString &name);

    // The list window's rows, after writing the card back; nothing when the
    // table is shorter than kListMinLines.
    std::optional<QList<SupplierListRow>> Liste();

    // Copy keeps code, family, name, address, postal code, town, country,
    // telephone, fax and e-mail; paste gives them to the card shown under a
    // new code. Paste before any copy does nothing.
    void copy();
    void paste();

    void writeBack() override { EcritFour(); }
    void read() override { LitFour(); }

    QList<QByteArray> blockLines(qint64 number) const;

protected:
    bool browsing() const override { return browseMode == 2; }
    std::function<bool(qsizetype start)> browsed() const override;

private:
    void readBlock(qsizetype start, qsizetype end);

    SupplierCard m_card;
};
