#include "article_printout.h"

#include <algorithm>

namespace {

const QString kTitle = QStringLiteral("Fiche article");
// Continuation pages start below their heading line.
constexpr int kContinuedTop = 15;
constexpr int kBottomMargin = 10;
constexpr int kLine = 5;

struct Placed
{
    int page;
    int x, y;
    QString text;
};

// Lays a column of lines out from `y` down, going on to the next pages
// when a line would pass the foot of one.
class Column
{
public:
    Column(const PrintDocument &doc, QList<Placed> &out) : m_doc(doc), m_out(out) {}

    // Puts the texts of one line at their x positions.
    void put(int y, const QList<std::pair<int, QString>> &texts)
    {
        // On the first page a line keeps its place (or comes after the line
        // above it); on the next pages lines follow one another.
        if (m_page == 0)
            m_y = std::max(m_y, y);
        if (m_doc.beyondBottom(m_y, kBottomMargin)) {
            ++m_page;
            m_y = kContinuedTop;
        }
        for (const auto &[x, text] : texts)
            m_out.append({m_page, x, m_y, text});
        m_y += kLine;
    }
    int page() const { return m_page; }

private:
    const PrintDocument &m_doc;
    QList<Placed> &m_out;
    int m_page = 0;
    int m_y = 0;
};

} // namespace

PrintDocument ImpArt(const ArticleCard &c, const PageMetrics &m)
{
    PrintDocument doc(kTitle, Orientation::Portrait, m);
    doc.setFont(PrintFont{});
    const struct
    {
        int x, y;
        const char16_t *label;
        int vx;
        const QString &value;
    } fields[] = {
        {5, 5, u"Code article", 35, c.code},        {55, 5, u"Famille", 75, c.family},
        {5, 10, u"Désignation", 35, c.designation}, {5, 15, u"Prix", 35, c.price},
        {5, 20, u"Taux TVA", 35, c.rate},           {5, 25, u"Compte", 35, c.account},
        {5, 30, u"Fournisseur", 35, c.supplier},
    };
    for (const auto &f : fields) {
        doc.text(f.x, f.y, QString::fromUtf16(f.label));
        doc.text(f.vx, f.y, f.value);
    }

    QList<Placed> placed;
    // Movements from row 1 down to the first row without a date.
    Column movements(doc, placed);
    QList<MovementRow> rows = c.movements + c.moreMovements;
    for (int n = 0; n < rows.size() && !rows[n].date.isEmpty(); ++n)
        movements.put(45 + kLine * n,
                      {{5, rows[n].date}, {35, rows[n].label}, {60, rows[n].quantity}});
    // The notes beside them; a long description pushes the observations down
    // rather than printing over them.
    Column notes(doc, placed);
    for (int k = 0; k < c.description.size(); ++k)
        notes.put(10 + kLine * k, {{120, c.description[k]}});
    for (int k = 0; k < c.observations.size(); ++k)
        notes.put(40 + kLine * k, {{120, c.observations[k]}});

    const int pages = std::max(movements.page(), notes.page()) + 1;
    for (int p = 0; p < pages; ++p) {
        if (p > 0) {
            doc.newPage();
            doc.text(5, 5, QString::fromUtf16(u"Code article"));
            doc.text(35, 5, c.code);
            doc.text(55, 5, c.designation);
        }
        for (const Placed &item : std::as_const(placed))
            if (item.page == p)
                doc.text(item.x, item.y, item.text);
    }
    return doc;
}

PrintJob ImpArtJob(const ArticlePage &page)
{
    return {kTitle, Orientation::Portrait, std::nullopt,
            [&page](const PageMetrics &m, const PrintRange &) { return ImpArt(page.card(), m); }};
}
