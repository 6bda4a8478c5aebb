#pragma once

#include "store/block_lines.h"
#include "store/fiche.h"
#include "store/page.h"

#include <QByteArrayView>
#include <QList>
#include <QString>

#include <functional>
#include <limits>
#include <optional>
#include <span>
#include <type_traits>

// What differs between the pages' moves and additions.
struct CardRules
{
    // More cards than this and "Le fichier est plein" refuses a new one.
    int maxCount = std::numeric_limits<int>::max();
    // On a table of fewer than two cards, "Dernier" and "Suivant" do
    // nothing, not even write the card back.
    bool lastNeedsTwo = false;
};

// A page of numbered cards, one block of one table per card: the client,
// room, article and supplier pages derive from it, and the orders and
// invoices for their moves. It keeps which table and page it stands for and
// does what they all do the same way: the four moves, the browsing through a
// family or selection, the first-match search, the opening of the list
// window, adding and removing a card and the next free code. The card on
// screen is written back before any of them reads another card, so an edit
// is never lost nor read over. A page derived from it keeps only its fields,
// its block layout and its own rules.
class CardPage : public Page
{
public:
    enum class Step { First, Last, Next, Previous };

    using Rules = CardRules;

    CardPage(Fiche &fiche, Table table, PageId id, Rules rules = {});

    Fiche &fiche() { return m_fiche; }
    bool modified() const;
    // Every edit of a field of the card goes through here.
    void touch();

    // The moves, through the cards browsed while a family or selection is
    // chosen, through every card otherwise.
    void first() override { step(Step::First); }
    void last() override { step(Step::Last); }
    void next() override { step(Step::Next); }
    void previous() override { step(Step::Previous); }
    // The moves among the cards browsed, by block number: the card shown is
    // written back first and the card reached read after; without a card to
    // go to, the position stays.
    virtual void browse(Step step);

    // A new card one past the last block: it is counted once it is written,
    // so a card left empty leaves no hole behind it.
    void add() override;
    void remove() override;

    // Makes a block current (from the list window): writes back, moves,
    // reads, and tells the widgets.
    void showBlock(int block);
    // Makes a block current, reads it and tells the widgets, without
    // writing back.
    void show(int block);

    // The first block in table order whose line `offset` matches becomes
    // current, after the card shown was written back. False, with
    // `notFound` told, when none does.
    template <typename Match> bool findFirst(int offset, Match &&match, const QString &notFound)
    {
        writeBack();
        qint64 found = -1;
        forEachBlockField(table(), offset, [&](qsizetype, qint64 n, QByteArrayView field) {
            if (!match(field))
                return false;
            found = n;
            return true;
        });
        if (found < 0) {
            m_fiche.ui().inform(notFound);
            return false;
        }
        show(int(found));
        return true;
    }

    // Writes the card back before the list window opens; false when the
    // table holds fewer than `minLines` lines (then nothing is written).
    bool openList(int minLines);
    // The block number of a list row: its marker's, or the row's place
    // (from 1) when the marker holds none.
    static int listBlock(QByteArrayView marker, int row);

protected:
    FileSet &set() { return m_fiche.set(); }
    const FileSet &set() const { return m_fiche.set(); }
    RecordTable &table() { return set().table(m_table); }
    const RecordTable &table() const { return set().table(m_table); }
    int count() const { return set().count(m_table); }
    int position() const { return set().position(m_table); }

    // Leaving the card shown: writes it back. A page whose card may not be
    // stored yet asks, and false keeps the card on screen.
    virtual bool leaveCard()
    {
        writeBack();
        return true;
    }
    // Whether the moves go through a chosen family or selection, and which
    // blocks it holds (by their start line). Asked after the write-back.
    virtual bool browsing() const { return false; }
    virtual std::function<bool(qsizetype start)> browsed() const { return {}; }

    // Writes the card back and moves to a position, kept within the table.
    void moveTo(int position);
    // Writes the card back; false, with the message, when the table is full.
    bool roomForNew();
    // Reads the empty card that stands one past the last block.
    void openNew();

    // Writes the card's block lines over the current block. A card keeping
    // its place stays where it is; otherwise it goes to the end of the table.
    void store(const QList<QByteArray> &lines, bool keepPlace);
    // The next free code: one more than the largest whole-number code on
    // the first line of a block, at least `first`. Codes that are not whole
    // numbers take no part.
    int nextCode(int first = 10001) const;

    // The list window's rows, one per block in table order; `fill` gives a
    // row its cells from the block's start line.
    template <typename Row, typename Fill> std::optional<QList<Row>> listRows(int minLines, Fill &&fill)
    {
        if (!openList(minLines))
            return std::nullopt;
        const RecordTable &t = table();
        QList<Row> rows;
        for (qsizetype i = 0; i < t.size(); ++i) {
            if (!RecordTable::isStart(t.line(i)))
                continue;
            Row r;
            r.block = listBlock(t.line(i), int(rows.size()));
            fill(r, i);
            rows << r;
        }
        return rows;
    }

    // "Copier" keeps the card's text fields; "Coller" gives them back to the
    // card shown, all but the first (the card's own code or number), and
    // marks it. False, with nothing pasted, while nothing was copied.
    template <typename Card>
    void copyFields(const Card &card, std::type_identity_t<std::span<QString Card::*const>> fields)
    {
        m_clipboard.clear();
        for (QString Card::*field : fields)
            m_clipboard << card.*field;
    }
    template <typename Card>
    bool pasteFields(Card &card, std::type_identity_t<std::span<QString Card::*const>> fields)
    {
        if (m_clipboard.size() != qsizetype(fields.size()))
            return false;
        for (std::size_t i = 1; i < fields.size(); ++i)
            card.*fields[i] = m_clipboard[qsizetype(i)];
        touch();
        return true;
    }

    Fiche &m_fiche;
    // What "Copier" kept for "Coller".
    QStringList m_clipboard;

private:
    void step(Step step);

    Table m_table;
    PageId m_id;
    Rules m_rules;
    // The next free code, kept while the table does not change.
    mutable quint64 m_numberedRevision = ~quint64(0);
    mutable int m_nextCode = 0;
};
