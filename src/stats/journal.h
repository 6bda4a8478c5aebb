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
// and per validated order ("AC"), listed for a period, printed, exported as
// TAB-separated text or as the "fichier des écritures comptables".

// The first seven stored accounts, in the settings file's order.
namespace account {
enum : int { Clients, Revenus, Fournisseurs, TvaCollectee, Taxe, TvaDeductible, Achat, Edited };
}

// What an account never stored stands for, in the same order.
inline constexpr std::array<QStringView, account::Edited> kDefaultAccounts = {
    u"411000", u"706000", u"401000", u"445710", u"447100", u"445660", u"607000"};

using Accounts = std::array<QString, 9>;

// An account as the journal uses it: the stored text trimmed, whatever its
// length, or the default when nothing is stored.
QString accountNumber(const Accounts &accounts, int index);

// Leaving an account field (`Edit1Exit` ...): trimmed; a shorter number is
// completed with zeros to six characters; a longer one is kept as typed
// (eight-digit plans exist); an empty field stays empty.
QString formatAccount(QStringView typed);

// The chart of accounts dialog's model: its seven fields, shown with the
// default of an account never stored; OK stores them back, the eighth and
// ninth accounts untouched.
std::array<QString, account::Edited> accountFields(const Accounts &stored);
void storeAccountFields(Accounts &stored, const std::array<QString, account::Edited> &fields);

// One journal line, with what the accountant's export needs beside it.
struct JournalLine
{
    QDate date;
    QString code;    // "VE" or "AC"
    QString account;
    int accountIndex = 0; // which of the chart's accounts
    QString label;   // "Facture " + number, "Commande " + number
    qint64 debit = 0, credit = 0; // in units of the amount format's last decimal
    int entry = 0;   // the entry's number, from 1, in journal order
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
// read once from their blocks with the pages' totals (`Calculef`,
// `Calculec`): ascending day key, then invoices before orders, then block
// number. An invoice's "D" lines (the taxe de séjour) are credited to the
// "Taxe " account. An entry's income is the total shown less the VAT and
// the tax shown, in decimal, so every entry balances to the unit; a zero line is
// left out and a negative amount goes to the other side. A document whose
// date does not read has no day to be posted on and is left out.
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
