#pragma once

#include "grid_printout.h"

#include "store/file_set.h"
#include "store/settings.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <utility>

// The accounting journal: one balanced entry per validated invoice ("VE")
// and per validated order ("AC"), an income and a VAT line per VAT rate;
// then, day by day, the takings and expenses of the main courante as the
// cash ("CA") and bank ("BQ") entries that settle the clients account.
// Listed for a period, printed, exported as TAB-separated text or as the
// "fichier des écritures comptables".

// The stored accounts, in the settings' order: the seven of the 27 lines
// the dialog always had, the bank and the cash, then per VAT code (1 to 3)
// the income, the VAT collected and the deductible VAT, the "Divers" means
// of payment and the expenses.
namespace account {
enum : int {
    Clients,
    Revenus,
    Fournisseurs,
    TvaCollectee,
    Taxe,
    TvaDeductible,
    Achat,
    Edited, // the first seven
    Banque = Edited,
    Caisse,
    Revenus1,
    TvaCollectee1 = Revenus1 + 3,
    TvaDeductible1 = TvaCollectee1 + 3,
    Divers = TvaDeductible1 + 3,
    Depenses,
    Count
};
}

// What one of the first seven accounts stands for when never stored.
inline constexpr std::array<QStringView, account::Edited> kDefaultAccounts = {
    u"411000", u"706000", u"401000", u"445710", u"447100", u"445660", u"607000"};

using Accounts = std::array<QString, account::Count>;
static_assert(std::tuple_size_v<Accounts> == kAccountLabels.size());

// The account whose number one never stored takes (the income of every
// rate takes the one income account, "Divers" the bank); -1 for an account
// with a number of its own as default.
int fallbackAccount(int index);

// An account as the journal uses it: the stored text trimmed, whatever its
// length, or its default when nothing is stored: the seven above, 512000
// for the bank, 530000 for the cash, 606000 for the expenses, the number of
// its fallback account for the others.
QString accountNumber(const Accounts &accounts, int index);

// Leaving an account field (`Edit1Exit` ...): trimmed; a shorter number is
// completed with zeros to six characters; a longer one is kept as typed
// (eight-digit plans exist); an empty field stays empty.
QString formatAccount(QStringView typed);

// The chart of accounts dialog's model: every account, shown with its
// default when never stored; OK stores them back put in shape. An account
// beyond the first seven that is left at its default is stored as none, so
// that it keeps following its default (and a settings file gets no line).
using AccountFields = std::array<QString, account::Count>;
AccountFields accountFields(const Accounts &stored);
void storeAccountFields(Accounts &stored, const AccountFields &fields);
// A field's label: the account's, with the rate of its VAT code.
QString accountFieldLabel(int index, const std::array<double, 3> &vatRates);

// One journal line, with what the accountant's export needs beside it.
struct JournalLine
{
    QDate date;
    QString code; // "VE", "AC", "CA" or "BQ"
    QString account;
    int accountIndex = 0; // which of the chart's accounts
    int entry = 0;        // the entry's number, from 1, in journal order
    QString label;        // "Facture N", "Avoir N", "Commande N", "Main courante du ..."
    qint64 debit = 0, credit = 0; // in units of the amount format's last decimal
    QString piece;   // the invoice or order number
    QString auxCode, auxName; // client or supplier, on their account's line

    // The journal line as the window keeps it: day key, code, date,
    // account, label, debit, credit (an empty amount when there is none).
    QString text(int decimals) const;
};

struct JournalSettings
{
    Accounts accounts;
    std::array<double, 3> vatRates{};
    int decimals = 2;
};

// `Journal`: the entries of every validated invoice and order of the set,
// with the figures they keep (their totals per VAT code), then of every day
// of the main courante: ascending day key, then invoices, orders and the
// day's cash and bank entries, then block number.
// - An invoice ("Facture N", a credit note "Avoir N sur facture M") debits
//   the client its total and credits, per VAT code, the part without tax to
//   that rate's income account ("... HT 10 %") and the tax to its VAT
//   account ("... TVA 10 %"); its "D" lines (the taxe de séjour) go to the
//   "Taxe " account.
// - An order debits purchases and deductible VAT per code likewise and
//   credits the supplier.
// - A day ("Main courante du dd/mm/yyyy"): "CA" debits the cash with the
//   cash taken and the expenses with what was spent, crediting the clients
//   and the cash; "BQ" debits the bank with cheques and cards and "Divers"
//   with its own, crediting the clients.
// Every entry balances to the unit; a zero line is left out and a negative
// amount goes to the other side. A document whose date does not read has
// no day to be posted on and is left out.
QList<JournalLine> journalLines(const FileSet &set, const JournalSettings &settings);

// The default period (`Init`): the day keys of the first and last lines,
// read as day keys. Nothing for no line.
std::optional<std::pair<QDate, QDate>> journalPeriod(const QList<JournalLine> &lines);

// `Remplit`: the lines (in journal order) whose day lies between `from` and
// `to`, both included; none when `from` comes after `to`.
QList<JournalLine> linesInPeriod(const QList<JournalLine> &lines, QDate from, QDate to);

// The grid of the journal window: the line number, "Jn", "Date", "Compte",
// "Libellé", "Débit", "Crédit"; the amount columns are right-aligned on
// screen and on paper, so their cells carry no padding blanks.
GridSheet journalSheet(const QList<JournalLine> &lines, int decimals);
// One cell of that grid, row `row` (from 0) of `lines`: what the window reads
// as it scrolls, so that showing ten years of journal builds no rows.
QString journalCell(const QList<JournalLine> &lines, int row, int column, int decimals);
inline constexpr QStringView kJournalCaption = u"Journal des Achats / Ventes";

// The printed journal: the lines journal by journal (sales, purchases,
// cash, bank), each in its day order and closed by its debit and credit
// totals, then the totals of the period; a journal without a line is left
// out. The totals' rows are listed for the printout to set them in bold.
struct JournalPrint
{
    GridSheet sheet;
    QList<int> totalRows;
};
JournalPrint journalPrintSheet(const QList<JournalLine> &lines, int decimals);
// Its title, "Journal du dd/mm/yyyy au dd/mm/yyyy".
QString journalPrintTitle(QDate from, QDate to);
// The journals by their code, with their name: "VE" "Ventes", ...
QString journalName(QStringView code);
inline constexpr QStringView kJournalPrintPrefix = u"Journal au ";

// The text export of the lines listed: per line date, account, label, code,
// an empty field, debit, credit (trimmed), TAB-separated, CR LF, Windows-1252.
QByteArray journalExport(const QList<JournalLine> &lines, int decimals);

// The "fichier des écritures comptables": its name, SIREN + "FEC" + the last
// day "yyyymmdd" + ".txt" (SIREN: the first nine digits of the company's
// "Siret").
QString fecFileName(const Company &company, QDate lastDay);
// A French message when an entry's debit and credit differ, else empty.
QString fecBalanceError(const QList<JournalLine> &lines, int decimals);
// The 18 columns, one header line, TAB-separated, CR LF, ISO-8859-15, the
// entries numbered again from 1 in the order listed.
QByteArray fecBytes(const QList<JournalLine> &lines, int decimals);
// Text to ISO-8859-15 ("€" is 0xA4); a character it lacks becomes "?".
QByteArray latin9(QStringView text);
