#pragma once

#include "order.h"

#include "cards/card_page.h"

#include <QString>

struct SupplierCard;

// The purchase orders page: the order on screen, its modified flag and
// every order operation. Reads and writes the order table of the record
// window; validation posts the order's total to its supplier's statement.
//
// A new order takes the block number one past the last (position ==
// count) and is counted only once it is written, so an order that never
// becomes valid leaves no gap. An order that was edited but cannot be
// stored is never dropped without asking: leaving it for another order
// asks first, and showing the page again keeps it on screen.
class OrderPage : public CardPage
{
public:
    explicit OrderPage(Fiche &fiche);

    OrderCard &card() { return m_card; }
    const OrderCard &card() const { return m_card; }
    const LineTotals &totals() const { return m_totals; }

    // Set while the grid has the focus: line deletion needs it.
    bool gridFocus = false;

    // "Cmde non validée", "Commande validée" (read) or "Cmde validée" (just validated).
    QString statusText() const { return m_status; }
    // The currency label beside "TOTAL TTC": "Euros" or the other currency.
    QString currencyLabel() const;

    // The proposed next number: the largest number stored on the number
    // line of an order block, at least this month's YYYYMM000, plus one.
    // Lines that are not whole numbers are skipped.
    qint64 Numeroc();
    bool Validec() const;
    void EcritCmd();
    void LitCmd();
    void Calculec();
    // "Commande H.T." (false) or "Commande TTC" (true).
    void setPricesWithTax(bool on);

    // The grid's keys: the key the cell receives, QChar() when dropped.
    QChar StringGrid8KeyPress(QChar key);
    // "Supprimer ligne": only while the grid has the focus.
    void SupLigne3();
    // The "..." button beside the supplier code, with the picker's answer.
    void pickSupplier(const QString &code);

    // Leaves the order shown for another: writes it back when it can be
    // stored; an edited order that cannot asks "Commande incomplète :
    // l'abandonner ?". False when the person keeps it.
    bool leave();
    // "Créer": a new empty order. False when the order shown was kept.
    bool Creer();
    // "Nouvelle commande" for the supplier card shown.
    bool NouvCmd(const SupplierCard &supplier);
    // "Valider". False, with a French message, when the order cannot be
    // validated or its supplier's statement is full.
    bool Valider();
    // Deletes the order shown (the command asks first), closes the gap and
    // shows the order now at the position.
    void SupCmd();
    // Shows the order of a block (chosen in the list).
    void showOrder(int block);

    void writeBack() override { EcritCmd(); }
    // Reads the current order, unless the one on screen is an edited order
    // that cannot be stored yet: showing the page again keeps it.
    void read() override;
    // A new order comes from "Créer" only.
    void add() override {}
    void remove() override { SupCmd(); }

protected:
    bool leaveCard() override { return leave(); }

private:
    void allocateNew();
    void dirty() { set().SetSauve(); }
    // Where a new statement row of the supplier's block goes: after its
    // last row, or before its end. -1 when the statement is full.
    qsizetype statementSlot(int supplierBlock) const;
    OrderCard m_card;
    LineTotals m_totals;
    QString m_status;
    int m_shown = -1; // the block the card was read from
    // The largest stored number, kept while the order table does not change.
    quint64 m_numberedRevision = ~quint64(0);
    qint64 m_largestStored = 0;
};
