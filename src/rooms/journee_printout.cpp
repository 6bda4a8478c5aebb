// The printed day: the hotel and the date at the head of every page, then
// the four lists, each under its heading and column titles; a list that
// runs over a page goes on under the same titles.

#include "journee.h"

#include "print/print_job.h"

#include <QLocale>

#include <functional>

namespace journee {

namespace {

constexpr double kLeft = 15, kRight = 195, kLine = 5;
constexpr int kBottomMargin = 15;

struct Column
{
    QString title;
    double x;
    double width;
    Align align = Align::Left;
};

const PrintFont kHeading{QStringLiteral("Arial"), 12, true};
const PrintFont kTitles{QStringLiteral("Arial"), 9, true};
const PrintFont kBody{QStringLiteral("Arial"), 9, false};

class Layout
{
public:
    Layout(PrintDocument &doc, const QString &hotel, QDate day) : m_doc(doc), m_hotel(hotel), m_day(day)
    {
        pageHead();
    }

    // One list: its heading with the count, its column titles, its rows.
    void list(const QString &heading, const QList<Column> &columns, const QList<QStringList> &rows)
    {
        if (m_doc.beyondBottom(int(m_y + 3 * kLine), kBottomMargin))
            newPage();
        m_y += kLine / 2;
        const QString title = QStringLiteral("%1 (%2)").arg(heading).arg(rows.size());
        listHead(title, columns);
        if (rows.isEmpty()) {
            m_doc.setFont(kBody);
            m_doc.text(kLeft, m_y, QStringLiteral("Aucun"));
            m_y += kLine;
        }
        for (const QStringList &row : rows) {
            if (m_doc.beyondBottom(int(m_y + kLine), kBottomMargin)) {
                newPage();
                listHead(title + QStringLiteral(" (suite)"), columns);
            }
            m_doc.setFont(kBody);
            for (qsizetype c = 0; c < columns.size() && c < row.size(); ++c) {
                const Column &col = columns[c];
                const QString shown = elidedArial(row[c], col.width - 1, kBody);
                m_doc.text(col.align == Align::Right ? col.x + col.width - 1 : col.x, m_y, shown, col.align);
            }
            m_y += kLine;
        }
    }

private:
    void pageHead()
    {
        m_doc.setFont(PrintFont{QStringLiteral("Arial"), 14, true});
        m_doc.text(kLeft, 8, m_hotel);
        m_doc.setFont(PrintFont{QStringLiteral("Arial"), 11, false});
        const QString date = QLocale(QLocale::French, QLocale::France).toString(m_day, QStringLiteral("dddd d MMMM yyyy"));
        m_doc.text(kRight, 9, QStringLiteral("Journée du ") + date, Align::Right);
        m_doc.line(kLeft, 16, kRight, 16);
        m_y = 20;
    }
    void newPage()
    {
        m_doc.newPage();
        pageHead();
    }
    void listHead(const QString &title, const QList<Column> &columns)
    {
        m_doc.setFont(kHeading);
        m_doc.text(kLeft, m_y, title);
        m_y += kLine + 1;
        m_doc.setFont(kTitles);
        for (const Column &col : columns)
            m_doc.text(col.align == Align::Right ? col.x + col.width - 1 : col.x, m_y, col.title, col.align);
        m_y += kLine - 1;
        m_doc.line(kLeft, m_y, kRight, m_y);
        m_y += 1;
    }

    PrintDocument &m_doc;
    QString m_hotel;
    QDate m_day;
    double m_y = 0;
};

QString nights(const Guest &g)
{
    return g.nights < 0 ? QString() : QString::number(g.nights);
}

} // namespace

PrintDocument ImpJournee(const Day &day, const QString &hotel, const PageMetrics &metrics)
{
    PrintDocument doc(QStringLiteral("Journée"), Orientation::Portrait, metrics);
    Layout layout(doc, hotel, day.day);
    const Column name{QStringLiteral("Nom"), kLeft, 70};
    const Column room{QStringLiteral("Chambre"), 85, 20};

    QList<QStringList> rows;
    for (const Guest &g : day.arrivals)
        rows << QStringList{g.name, g.room, nights(g), g.leaving, situationText(g)};
    layout.list(QStringLiteral("Arrivées"),
                {name, room, {QStringLiteral("Nuits"), 105, 15, Align::Right}, {QStringLiteral("Départ"), 125, 25},
                 {QStringLiteral("Situation"), 155, 40}},
                rows);
    rows.clear();
    for (const Guest &g : day.departures)
        rows << QStringList{g.name, g.room, g.since, nights(g), g.overdue ? situationText(g) : QString()};
    layout.list(QStringLiteral("Départs"),
                {name, room, {QStringLiteral("Arrivée"), 105, 25}, {QStringLiteral("Nuits"), 130, 15, Align::Right},
                 {QStringLiteral("Situation"), 155, 40}},
                rows);
    rows.clear();
    for (const Guest &g : day.present)
        rows << QStringList{g.name, g.room, g.since, g.leaving, situationText(g)};
    layout.list(QStringLiteral("Présents"),
                {name, room, {QStringLiteral("Arrivée"), 105, 25}, {QStringLiteral("Départ"), 130, 25},
                 {QStringLiteral("Situation"), 155, 40}},
                rows);
    if (!day.noShows.isEmpty()) {
        rows.clear();
        for (const Guest &g : day.noShows)
            rows << QStringList{g.name, g.room, g.since, g.leaving, situationText(g)};
        layout.list(QStringLiteral("Non arrivés"),
                    {name, room, {QStringLiteral("Arrivée"), 105, 25}, {QStringLiteral("Départ"), 130, 25},
                     {QStringLiteral("Situation"), 155, 40}},
                    rows);
    }
    rows.clear();
    for (const FreeRoom &r : day.freeTonight)
        rows << QStringList{r.number, r.category, r.beds, r.price};
    layout.list(QStringLiteral("Chambres libres ce soir"),
                {{QStringLiteral("Chambre"), kLeft, 25}, {QStringLiteral("Catégorie"), 40, 60},
                 {QStringLiteral("Lits"), 100, 15, Align::Right}, {QStringLiteral("Prix"), 120, 25, Align::Right}},
                rows);
    return doc;
}

PrintJob ImpJourneeJob(const Day &day, const QString &hotel)
{
    return {QStringLiteral("Journée"), Orientation::Portrait, std::nullopt,
            [day, hotel](const PageMetrics &m, const PrintRange &) { return ImpJournee(day, hotel, m); }};
}

} // namespace journee
