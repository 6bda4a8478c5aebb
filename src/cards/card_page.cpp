#include "card_page.h"

#include <algorithm>

CardPage::CardPage(Fiche &fiche, Table table, PageId id, Rules rules)
    : m_fiche(fiche), m_table(table), m_id(id), m_rules(rules)
{}

bool CardPage::modified() const
{
    return set().pageModified(m_table);
}

void CardPage::touch()
{
    set().setPageModified(m_table, true);
}

void CardPage::step(Step step)
{
    if ((step == Step::Last || step == Step::Next) && m_rules.lastNeedsTwo && count() < 2)
        return;
    if (browsing()) {
        browse(step);
        return;
    }
    switch (step) {
    case Step::First:
        moveTo(0);
        break;
    case Step::Last:
        moveTo(count() - 1);
        break;
    case Step::Next:
        moveTo(position() + 1);
        break;
    case Step::Previous:
        moveTo(position() - 1);
        break;
    }
}

void CardPage::browse(Step step)
{
    if (!leaveCard())
        return;
    const auto qualifies = browsed();
    const RecordTable &t = table();
    // Block numbers are walked through the table's marker index from the
    // first candidate on, so a move stops at the nearest qualifying block;
    // it reaches the blocks the plain moves reach, 0 to count - 1.
    const qint64 numbers = count();
    const bool upward = step == Step::First || step == Step::Next;
    qint64 n = step == Step::First  ? 0
               : step == Step::Last ? numbers - 1
               : upward             ? position() + 1
                                    : position() - 1;
    for (; qualifies && n >= 0 && n < numbers; n += upward ? 1 : -1) {
        const qsizetype start = t.blockStart(n);
        if (start >= 0 && qualifies(start)) {
            set().setPosition(m_table, int(n));
            break;
        }
    }
    read();
}

void CardPage::moveTo(int position)
{
    if (!leaveCard())
        return;
    set().setPosition(m_table, std::clamp(position, 0, std::max(count() - 1, 0)));
    read();
}

void CardPage::show(int block)
{
    set().setPosition(m_table, block);
    read();
    emit m_fiche.cardChanged(m_id);
}

void CardPage::showBlock(int block)
{
    moveTo(block);
    emit m_fiche.cardChanged(m_id);
}

bool CardPage::roomForNew()
{
    writeBack();
    if (count() > m_rules.maxCount) {
        m_fiche.ui().inform(QStringLiteral("Le fichier est plein"));
        return false;
    }
    return true;
}

void CardPage::openNew()
{
    set().setPosition(m_table, count());
    read();
}

void CardPage::add()
{
    if (roomForNew())
        openNew();
}

void CardPage::remove()
{
    set().deleteCurrent(m_table);
    read();
}

void CardPage::store(const QList<QByteArray> &lines, bool keepPlace)
{
    RecordTable &t = table();
    const bool numbered = t.revision() == m_numberedRevision;
    const qsizetype start = t.blockStart(position());
    // -1: no code that counts.
    const qint64 before =
        start >= 0 && start + 1 < t.size() && !RecordTable::isEnd(t.line(start + 1))
            ? wholeNumber(t.line(start + 1), 9).value_or(-1)
            : -1;
    set().writeCurrent(m_table, lines, keepPlace);
    // The next code follows the code written without reading every code
    // again, unless this card held the largest code and gave it up.
    const qint64 after = wholeNumber(lines.value(1), 9).value_or(-1);
    if (numbered && !(before >= 0 && before + 1 == m_nextCode && after != before)) {
        if (after + 1 > m_nextCode)
            m_nextCode = int(after + 1);
        m_numberedRevision = t.revision();
    }
}

int CardPage::nextCode(int first) const
{
    const RecordTable &t = table();
    if (t.revision() == m_numberedRevision)
        return m_nextCode;
    qint64 largest = first - 1;
    for (qsizetype i = 0; i + 1 < t.size(); ++i) {
        if (!RecordTable::isStart(t.line(i)))
            continue;
        if (const auto code = wholeNumber(t.line(i + 1), 9); code && *code > largest)
            largest = *code;
    }
    m_numberedRevision = t.revision();
    m_nextCode = int(largest + 1);
    return m_nextCode;
}

bool CardPage::openList(int minLines)
{
    if (table().size() < minLines)
        return false;
    writeBack();
    return true;
}

int CardPage::listBlock(QByteArrayView marker, int row)
{
    const auto n = RecordTable::markerNumber(marker);
    return n ? int(*n) : row + 1;
}
