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

PrintDocument ImpJournee(const QString &caption, const QList<DayRow> &rows, const PageMetrics &m)
{
    PrintDocument doc(kTitle, Orientation::Portrait, m);
    const PrintFont body;
    // A name stops before the nights column.
    const double nameWidth = kNightsX - kNameX - 1;
    Entete5(doc, caption);
    int y = kFirstRow;
    for (qsizetype r = 0; r < rows.size(); ++r) {
        const DayRow &row = rows[r];
        doc.setFont(body);
        doc.text(kRoomX, y, row.room.trimmed());
        doc.text(kNameX, y, elidedArial(row.name.trimmed(), nameWidth, body));
        doc.text(kNumberEnds[0], y, row.nights.trimmed(), Align::Right);
        for (int p = 0; p < kPaymentCount; ++p)
            doc.text(kNumberEnds[p + 1], y, row.amounts[p].trimmed(), Align::Right);
        doc.line(kLeft, y + 5, kRight, y + 5);
        y += kRowStep;
        // A new page only for a row still to come: the last page is never
        // left with its heading alone.
        if (doc.beyondBottom(y, kBottomMargin) && r + 1 < rows.size()) {
            y = kFirstRow;
            doc.newPage();
            Entete5(doc, caption);
        }
    }
    // The rules meet the last row's own rule rather than stopping across
    // its text.
    Dessin5(doc, rows.isEmpty() ? kHeadRule : y - kRowStep + 5);
    return doc;
}

PrintJob ImpMainCouranteJob(const MainCourantePage &page)
{
    return {kTitle, Orientation::Portrait, std::nullopt, [&page](const PageMetrics &m, const PrintRange &) {
                return ImpJournee(page.caption(), page.rows(), m);
            }};
}
