#pragma once

#include "invoice.h"

#include "cards/card_page.h"
#include "store/field_index.h"

#include <QString>

class ClientPage;

// The invoice page: the invoice on screen, its modified flag, the browse
// mode and every invoice operation. Reads and writes the invoice table of
// the record window; validation posts to the client page's history.
//
// A new invoice takes the block number one past the last (position ==
// count) and is counted only once it is written, so an invoice that never
// becomes valid leaves no gap.
class InvoicePage : public CardPage
{
public:
    InvoicePage(Fiche &fiche, ClientPage &clients);

    InvoiceCard &card() { return m_card; }
    const InvoiceCard &card() const { return m_card; }
    const InvoiceTotals &totals() const { return m_totals; }

    // Browse mode: 0 all invoices, 1 invoices of `selectedClient`.
    int browseMode = 0;
    QString selectedClient;
    // Set while the grid has the focus: line deletion needs it.
    bool gridFocus = false;

    // "Facture validée" or "Facture non validée"; "Avoir validé" for a credit note.
    QString statusText() const;
    // The currency label beside the total: "Euros" or the other currency.
    QString currencyLabel() const;

    // The proposed next number: the largest stored number, at least this
    // month's YYYYMM000, plus one. Numbers that are not whole are skipped;
    // the scan is kept until the invoice table changes.
    qint64 Numerof();
    bool Validef() const;
    void EcritFact();
    void LitFact();
    void Calculef();

    // The grid's keys: the key the cell receives, QChar() when dropped.
    QChar StringGrid5KeyPress(QChar key);
    // A click in the grid; in "Désignation" it fills the row from the
    // article whose code is in "Code", or else `pickedCode` (what the
    // article picker gave; the widget opens it only when wantsArticlePicker()).
    void StringGrid5Click(const QString &pickedCode = {});
    bool wantsArticlePicker() const;
    // "Supprimer ligne": only while the grid has the focus.
    void SupLigne1();
    // The "..." button beside the client code, with the picker's answer.
    void pickClient(const QString &code);
    // "Resortir la TVA".
    void setVatShown(bool on);

    // "Créer"; false when the invoice shown is incomplete and kept.
    bool Creer();
    // Before the invoice shown is left for another: written back, or, when
    // it holds lines but cannot be stored (no client code, no number, no
    // designation), abandoned only if the person says so. False: it stays.
    bool leave();
    // Modified, holding lines, and not storable.
    bool incomplete() const;
    // "Nouvelle facture" from the client card shown.
    void NouvFact();
    // The occupant of the room on the invoice, without moving the room page.
    void Occupant();
    // "Valider". False, with a French message, when the invoice cannot be
    // validated (a cell that does not read, or an invoice Validef refuses).
    bool Valider();
    // Valider, with the history entry labelled `historyLabel` + number
    // ("Facture ", "Avoir ").
    bool validateAs(const QString &historyLabel);

    // The browse mode; mode 1 keeps `clientCode` (what the question
    // "Code client" gave back, the invoice's own code proposed) and moves to
    // the first invoice of that client.
    void SetFact(int mode, const QString &clientCode = {});
    // The search by number with the answer to "Numéro de facture": the
    // invoice whose number line is "NUM" + answer. False when none.
    bool ChercheFact(const QString &answer);
    // Deletes the invoice shown (the command asks first), closes the gap
    // and shows the invoice now at the position. A validated invoice is
    // never deleted: a credit note cancels it instead.
    void SupFact();
    // True, after saying why, when the invoice shown may not be deleted.
    bool deletionRefused();
    // Shows the invoice of a block (chosen in the list): the invoice shown
    // is written back first.
    void showInvoice(int block) { moveTo(block); }

    // The index validation finds the client through; its count of client
    // blocks read is the work validating has done.
    const FieldIndex &clientCodes() const { return m_clientCodes; }
    // The first client block in table order whose code is the invoice's
    // (both trimmed), or -1: the client validation writes to.
    qint64 clientBlock() const;

    void writeBack() override { EcritFact(); }
    void read() override;
    // With fewer than two invoices, "Dernier" only writes the invoice back.
    void last() override;
    // A new invoice comes from "Créer" only.
    void add() override {}
    void remove() override { SupFact(); }
    // The moves among the invoices of the client chosen (mode 1); without
    // one to go to, the invoice shown stays on screen.
    void browse(Step step) override;

protected:
    bool leaveCard() override { return leave(); }
    bool browsing() const override { return browseMode == 1; }

private:
    void allocateNew();
    void dirty();
    qint64 firstMatch(Step step) const;
    ClientPage &m_clients;
    InvoiceCard m_card;
    InvoiceTotals m_totals;
    // The largest stored number, kept while the table does not change.
    quint64 m_numberedRevision = ~quint64(0);
    int m_shown = -1; // the block LitFact last read
    qint64 m_largestStored = 0;
    // Client blocks by their code: validating finds the invoice's client
    // without reading every client card.
    mutable FieldIndex m_clientCodes;
};
