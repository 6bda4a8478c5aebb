#include "main_courante_printout.h"

#include <array>

namespace {

const QString kTitle = QStringLiteral("Main courante");
constexpr int kLeft = 5, kRight = 200;
constexpr int kTitlesY = 10, kHeadRule = 15, kFirstRow = 20, kRowStep = 8, kBottomMargin = 20;
constexpr int kRoomX = 6, kNameX = 21, kNightsX = 86;
// Right edges of nights and the five amounts.
constexpr std::array<int, 6> kNumberEnds = {98, 118, 138, 158, 178, 198};
constexpr std::array<int, 9> kColumnRules = {5, 20, 85, 100, 120, 140, 160, 180, 200};

void Entete5(PrintDocument &doc, const QString &caption)
{
    doc.setFont(PrintFont{QStringLiteral("Arial"), 14});
    doc.text(kLeft, 0, caption);
    doc.setFont(PrintFont{});
    const std::array<std::pair<int, const char16_t *>, 8> titles = {{{kRoomX, u"N° Ch"},
                                                                     {kNameX, u"Nom"},
                                                                     {kNightsX, u"Nuits"},
                                                                     {101, u"Espèces"},
                                                                     {121, u"Chèques"},
                                                                     {141, u"C.B."},
                                                                     {161, u"Divers"},
                                                                     {181, u"Dépenses"}}};
    for (const auto &[x, title] : titles)
        doc.text(x, kTitlesY, QString::fromUtf16(title));
    doc.line(kLeft, kHeadRule, kRight, kHeadRule);
}

void Dessin5(PrintDocument &doc, int bottom)
{
    for (int x : kColumnRules)
        doc.line(x, kHeadRule, x, bottom);
}

} // namespace

PrintDocument ImpJournee(const QString &caption, const QList<DayRow> &rows,
                         const QStringList &totals, const PageMetrics &m)
{
    PrintDocument doc(kTitle, Orientation::Portrait, m);
    const PrintFont body;
    const PrintFont bold{QStringLiteral("Arial"), 10, true};
    // A name stops before the nights column.
    const double nameWidth = kNightsX - kNameX - 1;
    Entete5(doc, caption);
    int y = kFirstRow;
    // One ruled row; a new page only for a row still to come, so that the
    // last page is never left with its heading alone.
    auto printRow = [&](const QString &room, const QString &name, const QStringList &numbers,
                        bool more) {
        doc.text(kRoomX, y, room);
        doc.text(kNameX, y, elidedArial(name, nameWidth, doc.font()));
        for (int i = 0; i < int(kNumberEnds.size()); ++i)
            doc.text(kNumberEnds[std::size_t(i)], y, numbers.value(i), Align::Right);
        doc.line(kLeft, y + 5, kRight, y + 5);
        y += kRowStep;
        if (doc.beyondBottom(y, kBottomMargin) && more) {
            y = kFirstRow;
            doc.newPage();
            Entete5(doc, caption);
        }
    };
    for (qsizetype r = 0; r < rows.size(); ++r) {
        const DayRow &row = rows[r];
        QStringList numbers = {row.nights.trimmed()};
        for (int p = 0; p < kPaymentCount; ++p)
            numbers << row.amounts[p].trimmed();
        doc.setFont(body);
        printRow(row.room.trimmed(), row.name.trimmed(), numbers,
                 r + 1 < rows.size() || !totals.isEmpty());
    }
    if (!totals.isEmpty()) {
        doc.setFont(bold);
        printRow(QString(), QStringLiteral("Total"), totals, false);
        doc.setFont(body);
    }
    // The rules meet the last row's own rule rather than stopping across
    // its text.
    Dessin5(doc,
            y == kFirstRow && rows.isEmpty() && totals.isEmpty() ? kHeadRule : y - kRowStep + 5);
    return doc;
}

PrintJob ImpMainCouranteJob(const MainCourantePage &page)
{
    return {kTitle, Orientation::Portrait, std::nullopt,
            [&page](const PageMetrics &m, const PrintRange &) {
                return ImpJournee(page.caption(), page.rows(), page.totalTexts(), m);
            }};
}
