#include "article_page.h"

#include "store/block_lines.h"
#include "store/codec.h"
#include "store/money.h"
#include "store/text.h"

#include <algorithm>
#include <limits>

namespace {

// Field lines after the start marker; tagged lines follow them.
enum Line { Code = 1, Family, Designation, Price, Rate, Account, Supplier, FirstTagged };

QByteArray enc(const QString &s)
{
    return cp1252::encodeField(s);
}



MovementRow movementOf(QString rest)
{
    MovementRow r;
    r.date = text::beforeTab(rest);
    r.label = text::beforeTab(rest);
    r.quantity = text::Rset(rest, ArticlePage::kQuantityWidth);
    return r;
}

} // namespace

QList<ArticlePick> articlePicks(const RecordTable &t)
{
    QList<ArticlePick> picks;
    for (qsizetype i = 0; i < t.size(); ++i) {
        if (!RecordTable::isStart(t.line(i)))
            continue;
        const QString code = blockFieldText(t, i, Code);
        picks.append({code.trimmed(), code + u' ' + blockFieldText(t, i, Designation)});
    }
    return picks;
}

ArticlePage::ArticlePage(Fiche &fiche) : entryDate(QDate::currentDate()), m_fiche(fiche) {}

bool ArticlePage::modified() const
{
    return set().pageModified(Table::Articles);
}

void ArticlePage::touch()
{
    set().setPageModified(Table::Articles, true);
}

QList<QByteArray> ArticlePage::blockLines(int number) const
{
    const ArticleCard &c = m_card;
    const RecordTable &t = table();
    QList<QByteArray> lines = {t.startMarker(number), enc(c.code),    enc(c.family),
                               enc(c.designation),    enc(c.price),   enc(c.rate),
                               enc(c.account),        enc(c.supplier)};
    for (const QString &l : c.description)
        lines << "MEM4" + cp1252::encode(l);
    for (const QString &l : c.observations)
        lines << "MEM5" + cp1252::encode(l);
    // Every filled row is written: a short row read from a block edited by
    // hand never cuts off the rows after it.
    auto movement = [&lines](const MovementRow &r) {
        if (!r.isEmpty())
            lines << "DATA" + cp1252::encode(r.date) + '\t' + cp1252::encode(r.label) + '\t' +
                         cp1252::encode(r.quantity);
    };
    std::for_each(c.movements.cbegin(), c.movements.cend(), movement);
    std::for_each(c.moreMovements.cbegin(), c.moreMovements.cend(), movement);
    lines << t.endMarker(number);
    return lines;
}

void ArticlePage::EcritArt()
{
    if (!modified())
        return;
    set().writeCurrent(Table::Articles, blockLines(set().position(Table::Articles)), true);
}

int ArticlePage::Numeroa() const
{
    const RecordTable &t = table();
    if (t.revision() == m_numberedRevision)
        return m_nextCode;
    qint64 largest = 10000;
    for (qsizetype i = 0; i + 1 < t.size(); ++i) {
        if (!RecordTable::isStart(t.line(i)))
            continue;
        // A code that is not a whole number takes no part.
        if (const auto code = wholeNumber(t.line(i + 1), 9); code && *code > largest)
            largest = *code;
    }
    m_numberedRevision = t.revision();
    m_nextCode = int(largest + 1);
    return m_nextCode;
}

void ArticlePage::readBlock(const RecordTable &t, qsizetype start, qsizetype end)
{
    ArticleCard &c = m_card;
    const BlockReader block{t, start, end};
    auto field = [&](int offset) { return block.text(offset); };
    c.code = field(Code);
    c.family = field(Family);
    c.designation = field(Designation);
    c.price = text::Rset(field(Price), kPriceWidth);
    c.rate = text::Rset(field(Rate), kRateWidth);
    c.account = field(Account);
    c.supplier = field(Supplier);

    // Tagged lines come after the fixed fields, up to the end marker.
    int row = 0;
    for (qsizetype i = start + FirstTagged; i < end; ++i) {
        const QByteArrayView l = t.line(i);
        if (l.startsWith("MEM4")) {
            c.description << cp1252::decode(l.sliced(4));
        } else if (l.startsWith("MEM5")) {
            c.observations << cp1252::decode(l.sliced(4));
        } else if (l.startsWith("DATA")) {
            const MovementRow r = movementOf(cp1252::decode(l.sliced(4)));
            if (row < ArticleCard::kMovementRows)
                c.movements[row++] = r;
            else
                c.moreMovements << r;
        }
    }
}

void ArticlePage::LitArt()
{
    m_card = ArticleCard();
    entryDate = QDate::currentDate();
    entryLabel.clear();
    entryQuantity.clear();
    m_card.code = QString::number(Numeroa());

    const RecordTable &t = table();
    const int pos = set().position(Table::Articles);
    const qsizetype start = t.blockStart(pos);
    if (start >= 0) {
        const qsizetype end = t.blockStop(start, pos);
        readBlock(t, start, end);
    } else {
        // A new card: the usual rate until one is typed.
        m_card.rate = text::Rset(u"1", kRateWidth);
    }
    if (m_card.account.isEmpty())
        m_card.account = kDefaultAccount;
    if (m_card.code.isEmpty())
        m_card.code = QString::number(Numeroa());
    m_priceEntered = m_card.price;
    m_rateEntered = m_card.rate;
    // Reading never changes the count: a card is counted once written.
    set().setPageModified(Table::Articles, false);
}

void ArticlePage::enterPrice()
{
    m_priceEntered = m_card.price;
    m_card.price = m_card.price.trimmed();
}

bool ArticlePage::leavePrice()
{
    const QString typed = m_card.price.trimmed();
    if (!typed.isEmpty()) {
        // A price is never rounded: one with more decimals than the amounts
        // (four at most) is kept as typed, as invoice lines keep it.
        Money value;
        const Money::Read read = Money::read(typed, value);
        if (read != Money::Read::Ok || value > moneylimit::kPrice || value < -moneylimit::kPrice) {
            m_fiche.ui().inform(
                read == Money::Read::NotNumber
                    ? text::realError(typed)
                    : QStringLiteral("'%1' : le prix va de -1 000 000 000 à 1 000 000 000, avec "
                                     "quatre décimales au plus")
                          .arg(typed));
            if (m_card.price != m_priceEntered)
                touch();
            return false;
        }
        const int d = m_fiche.decimals();
        m_card.price =
            text::Rset(value.rounded(d) == value ? value.format(d) : value.exact(), kPriceWidth);
    } else {
        m_card.price.clear();
    }
    if (m_card.price != m_priceEntered)
        touch();
    m_priceEntered = m_card.price;
    return true;
}

void ArticlePage::enterRate()
{
    m_rateEntered = m_card.rate;
    m_card.rate = m_card.rate.trimmed();
}

void ArticlePage::leaveRate()
{
    m_card.rate = text::Rset(m_card.rate, kRateWidth);
    if (m_card.rate != m_rateEntered)
        touch();
    m_rateEntered = m_card.rate;
}

bool ArticlePage::addMovement()
{
    if (entryLabel.trimmed().isEmpty() || entryQuantity.trimmed().isEmpty())
        return true;
    QString error;
    const auto quantity = text::parseReal(entryQuantity, &error);
    if (!quantity) {
        m_fiche.ui().inform(error);
        return false;
    }
    entryQuantity = text::Rset(text::formatAmount(*quantity, m_fiche.decimals()), kQuantityWidth);
    auto row = std::find_if(m_card.movements.begin(), m_card.movements.end(),
                            [](const MovementRow &r) { return r.date.isEmpty(); });
    if (row == m_card.movements.end()) {
        // Said rather than dropped: the entry row keeps the movement.
        m_fiche.ui().inform(QStringLiteral("Les %1 lignes de mouvements sont remplies : "
                                           "le mouvement n'est pas ajouté.")
                                .arg(ArticleCard::kMovementRows));
        return false;
    }
    *row = {text::dateText(entryDate), entryLabel, entryQuantity};
    entryLabel.clear();
    entryQuantity.clear();
    set().SetSauve();
    touch();
    return true;
}

void ArticlePage::SetArt(int mode, const std::optional<QString> &family)
{
    browseMode = mode;
    if (mode == 2 && family)
        selectedFamily = text::upperAZ(*family);
}

void ArticlePage::familyMove(Step step)
{
    EcritArt();
    const RecordTable &t = table();
    const qint64 current = set().position(Table::Articles);
    const QByteArray wanted = cp1252::encode(selectedFamily);
    const bool upward = step == Step::First || step == Step::Next;
    const qint64 none = upward ? std::numeric_limits<qint64>::max() : -1;
    qint64 best = none;
    forEachNumberedBlock(t, [&](qsizetype start, qint64 n) {
        bool better = false;
        switch (step) {
        case Step::First:
            better = n < best;
            break;
        case Step::Last:
            better = n > best;
            break;
        case Step::Next:
            better = n > current && n < best;
            break;
        case Step::Previous:
            better = n < current && n > best;
            break;
        }
        if (better && text::upperAZ(blockField(t, start, Family)) == wanted)
            best = n;
        return false;
    });
    if (best != none)
        set().setPosition(Table::Articles, int(best));
    LitArt();
}

void ArticlePage::FamArtFirst()
{
    familyMove(Step::First);
}

void ArticlePage::FamArtLast()
{
    familyMove(Step::Last);
}

void ArticlePage::FamArtNext()
{
    familyMove(Step::Next);
}

void ArticlePage::FamArtPrev()
{
    familyMove(Step::Previous);
}

void ArticlePage::moveTo(int position)
{
    EcritArt();
    const int count = set().count(Table::Articles);
    set().setPosition(Table::Articles, std::clamp(position, 0, std::max(count - 1, 0)));
    LitArt();
}

void ArticlePage::first()
{
    browseMode == 2 ? FamArtFirst() : moveTo(0);
}

void ArticlePage::last()
{
    browseMode == 2 ? FamArtLast() : moveTo(set().count(Table::Articles) - 1);
}

void ArticlePage::next()
{
    browseMode == 2 ? FamArtNext() : moveTo(set().position(Table::Articles) + 1);
}

void ArticlePage::previous()
{
    browseMode == 2 ? FamArtPrev() : moveTo(set().position(Table::Articles) - 1);
}

bool ArticlePage::RechArt(const QString &designation)
{
    if (designation.isEmpty())
        return false;
    // The card shown keeps its edits before another article is read.
    EcritArt();
    const QString wanted = text::upperAZ(designation);
    const QByteArray bytes = cp1252::encode(wanted);
    const RecordTable &t = table();
    qint64 found = -1;
    forEachNumberedBlock(t, [&](qsizetype start, qint64 n) {
        if (!text::upperAZ(blockField(t, start, Designation)).startsWith(bytes))
            return false;
        found = n;
        return true;
    });
    if (found < 0) {
        m_fiche.ui().inform(QStringLiteral("Fiche ") + wanted + QStringLiteral(" non trouvée"));
        return false;
    }
    set().setPosition(Table::Articles, int(found));
    LitArt();
    emit m_fiche.cardChanged(PageId::Articles);
    return true;
}

std::optional<QList<ArticleListRow>> ArticlePage::Liste()
{
    if (table().size() < kListMinLines)
        return std::nullopt;
    EcritArt();
    const RecordTable &t = table();
    QList<ArticleListRow> rows;
    rows.reserve(set().count(Table::Articles));
    for (qsizetype i = 0; i < t.size(); ++i) {
        const QByteArrayView l = t.line(i);
        if (!RecordTable::isStart(l))
            continue;
        // A marker without a number gives its row's place (counted from 1).
        const auto n = RecordTable::markerNumber(l);
        ArticleListRow r;
        r.block = n ? int(*n) : int(rows.size() + 1);
        r.code = blockFieldText(t, i, Code);
        r.family = blockFieldText(t, i, Family);
        r.designation = blockFieldText(t, i, Designation);
        r.price = blockFieldText(t, i, Price);
        r.rate = blockFieldText(t, i, Rate);
        r.supplier = blockFieldText(t, i, Supplier);
        r.account = blockFieldText(t, i, Account);
        rows << r;
    }
    return rows;
}

void ArticlePage::showArticle(int block)
{
    moveTo(block);
    emit m_fiche.cardChanged(PageId::Articles);
}

void ArticlePage::copy()
{
    const ArticleCard &c = m_card;
    m_clipboard = {c.code, c.family, c.designation, c.price, c.rate, c.account, c.supplier};
}

void ArticlePage::paste()
{
    // Nothing copied yet: pasting would only empty the card.
    if (m_clipboard.size() != 7)
        return;
    ArticleCard &c = m_card;
    c.code = QString::number(Numeroa());
    c.family = m_clipboard[1];
    c.designation = m_clipboard[2];
    c.price = m_clipboard[3];
    c.rate = m_clipboard[4];
    c.account = m_clipboard[5];
    c.supplier = m_clipboard[6];
    touch();
}

void ArticlePage::add()
{
    EcritArt();
    FileSet &s = set();
    if (s.count(Table::Articles) > kMaxCount) {
        m_fiche.ui().inform(QStringLiteral("Le fichier est plein"));
        return;
    }
    // The new card stands one past the last block; it is counted once it
    // is written, so a card left empty leaves no hole behind it.
    s.setPosition(Table::Articles, s.count(Table::Articles));
    LitArt();
}

void ArticlePage::remove()
{
    set().deleteCurrent(Table::Articles);
    LitArt();
}
