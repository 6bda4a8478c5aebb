#include "article_page.h"

#include "store/block_lines.h"
#include "store/codec.h"
#include "store/money.h"
#include "store/text.h"

#include <algorithm>
#include <array>
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

ArticlePage::ArticlePage(Fiche &fiche)
    : CardPage(fiche, Table::Articles, PageId::Articles, {.maxCount = kMaxCount}), entryDate(QDate::currentDate())
{
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
    store(blockLines(position()), true);
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

std::function<bool(qsizetype)> ArticlePage::browsed() const
{
    return [&t = table(), wanted = cp1252::encode(selectedFamily)](qsizetype start) {
        return text::upperAZ(blockField(t, start, Family)) == wanted;
    };
}

bool ArticlePage::RechArt(const QString &designation)
{
    if (designation.isEmpty())
        return false;
    const QString wanted = text::upperAZ(designation);
    const QByteArray bytes = cp1252::encode(wanted);
    return findFirst(
        Designation, [&](QByteArrayView line) { return text::upperAZ(line).startsWith(bytes); },
        QStringLiteral("Fiche ") + wanted + QStringLiteral(" non trouvée"));
}

std::optional<QList<ArticleListRow>> ArticlePage::Liste()
{
    const RecordTable &t = table();
    return listRows<ArticleListRow>(kListMinLines, [&t](ArticleListRow &r, qsizetype i) {
        r.code = blockFieldText(t, i, Code);
        r.family = blockFieldText(t, i, Family);
        r.designation = blockFieldText(t, i, Designation);
        r.price = blockFieldText(t, i, Price);
        r.rate = blockFieldText(t, i, Rate);
        r.supplier = blockFieldText(t, i, Supplier);
        r.account = blockFieldText(t, i, Account);
    });
}

namespace {

// The fields "Copier" keeps: the code, then the rest of the card's head.
constexpr std::array<QString ArticleCard::*, 7> kCopied = {
    &ArticleCard::code, &ArticleCard::family,  &ArticleCard::designation, &ArticleCard::price,
    &ArticleCard::rate, &ArticleCard::account, &ArticleCard::supplier};

} // namespace

void ArticlePage::copy()
{
    copyFields(m_card, kCopied);
}

void ArticlePage::paste()
{
    // Nothing copied yet: pasting would only empty the card.
    if (m_clipboard.size() != qsizetype(kCopied.size()))
        return;
    m_card.code = QString::number(Numeroa());
    pasteFields(m_card, kCopied);
}
