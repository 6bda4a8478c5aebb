#pragma once

#include "client_page.h"

#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// Line `offset` of the client block starting at line `start`, or nothing when
// the block ends before it (a short block never lends the next one's lines).
QByteArrayView clientField(const RecordTable &t, qsizetype start, int offset);

// --- Selections (browse modes 2 to 5) ---

// The input box of modes 2, 3 and 4: caption, prompt and the text offered
// (from the card shown). Nothing for the modes that ask nothing.
struct SelectionQuestion
{
    QString caption, prompt, offered;
};
std::optional<SelectionQuestion> selectionQuestion(const ClientPage &page, int mode);

// Sets the browse mode; for modes 2 to 4 keeps the answer of the input box
// as that mode's text (nothing, for a cancelled box, keeps the text offered).
// The card shown does not change.
void SetSel(ClientPage &page, int mode, const std::optional<QString> &answer = {});

// The moves of modes 2 to 5 (CpPremier ... ActuelPrecedent) are the card
// page's browsing: among the qualifying blocks, by block number.
using SelStep = CardPage::Step;
inline void selectionMove(ClientPage &page, SelStep step)
{
    page.browse(step);
}

// --- Searches ---

enum class ClientSearch { Name, Code, Phone };
// What each search field lets through as typed (Backspace and Tab aside);
// a telephone may be typed with blanks, dots and dashes.
bool searchKeyAccepted(ClientSearch kind, QChar c);

// The first client block in list order whose name (RechNom, a to z
// upper-cased), code (RechNum) or telephone (RechTel, blanks, dots and
// dashes ignored on both sides) begins with the text becomes the current
// card, after the card shown was written back. False with "Fiche ... non
// trouvée" when none matches; an empty text does nothing.
bool RechNom(ClientPage &page, const QString &name);
bool RechNum(ClientPage &page, const QString &code);
bool RechTel(ClientPage &page, const QString &phone);

// --- The client list window (TFListe) ---

// The rows of the list, one per client block in list order, read from the
// table only when shown. Valid while the table does not change.
class ClientList
{
public:
    enum Column {
        Block,
        Ordinal,
        Name,
        Address1,
        Address2,
        PostalCode,
        Town,
        Phone,
        Fax,
        ColumnCount
    };
    static constexpr int kMinLines = 21;

    explicit ClientList(const RecordTable &clients);
    int rowCount() const { return int(m_starts.size()); }
    // The block number of a row; the row's place (from 1) when its marker
    // holds no number.
    int block(int row) const;
    QString cell(int row, int column) const;
    static QString title(int column);

private:
    const RecordTable *m_table;
    std::vector<qsizetype> m_starts;
};

// Writes the card shown back and lists the clients; nothing when the table
// holds fewer than ClientList::kMinLines lines.
std::optional<ClientList> Liste(ClientPage &page);
// The list's choice: a block number from 0 to count - 1 becomes the current
// card (anything else is ignored).
void showClient(ClientPage &page, int block);

// --- Sorting ---

enum class SortKey { Code, Name, PostalCode, Town };
// Rewrites the client table sorted by the key line (French collation, letter
// case ignored; ties by the other lines, then block order), renumbered from
// 0, every line of every block kept as it was; lines outside blocks go. The
// client shown before stays shown, under its new number.
void Trier(ClientPage &page, SortKey key);

// --- The present-guest picker (TListeCli) ---

// "code name (Ch room)" for each client whose situation is "0", in table order.
QStringList presentGuests(const RecordTable &clients);
// The client code of an entry: its text up to the first blank.
QString guestCode(const QString &entry);
