#include "client_printouts.h"

#include "store/text.h"

#include <algorithm>

namespace {

const PrintFont kArial10;
const QString kCardTitle = QStringLiteral("Fiche client");
const QString kListTitle = QStringLiteral("Liste des clients");
const QString kEnvelopeTitle = QStringLiteral("Enveloppe");

PrintDocument begin(const QString &title, Orientation orientation, const PageMetrics &m)
{
    PrintDocument doc(title, orientation, m);
    doc.setFont(kArial10);
    return doc;
}

} // namespace

PrintDocument ImpFiche(const ClientCard &c, const HistoryEntry &entry, const PageMetrics &m)
{
    PrintDocument doc = begin(kCardTitle, Orientation::Portrait, m);
    const struct
    {
        int x, y;
        const char16_t *label;
        int vx;
        QString value;
    } fields[] = {
        {5, 5, u"Code client", 35, c.code},
        {5, 10, u"Nom / Société", 35, c.name},
        {5, 15, u"Adresse", 35, c.address1},
        {5, 20, u"Adresse", 35, c.address2},
        {5, 25, u"Code postal", 35, c.postalCode},
        {5, 30, u"Ville", 35, c.town},
        {5, 35, u"Pays", 35, c.country},
        {5, 40, u"Téléphone", 35, c.phone},
        {5, 45, u"Fax", 35, c.fax},
        {5, 50, u"E.mail", 35, c.email},
        {110, 5, u"Crée le", 135, text::dateText(c.created)},
        {110, 10, u"Dernier passage", 0, {}}, // no value beside it
        {110, 15, u"Pièce d'identité", 135, c.idDocument},
        {110, 20, u"Depuis le", 135, text::dateText(c.since)},
        {165, 20, u"Chambre", 185, c.room},
        {115, 25, u"Départ", 130, text::dateText(c.leaving)},
        {110, 30, u"Nb séjours", 135, QString::number(c.stays)},
        {110, 35, u"Date naiss.", 135, c.birthDate},
        {110, 40, u"Sit. familiale", 135, c.family},
        {110, 45, u"Nationalité", 135, c.nationality},
        {110, 50, u"Profession", 135, c.profession},
    };
    for (const auto &f : fields) {
        doc.text(f.x, f.y, QString::fromUtf16(f.label));
        if (f.vx)
            doc.text(f.vx, f.y, f.value);
    }

    doc.text(5, 60, text::dateText(entry.date));
    doc.text(35, 60, entry.label);
    doc.text(60, 60, entry.amount);

    // The grid from its heading row down to the first row without a date.
    QList<HistoryRow> rows{
        {QStringLiteral("Date"), QStringLiteral("Libellé"), QStringLiteral("Montant")}};
    rows += c.history;
    for (int r = 0; r < rows.size() && !rows[r].date.isEmpty(); ++r) {
        doc.text(5, 70 + 5 * r, rows[r].date);
        doc.text(35, 70 + 5 * r, rows[r].label);
        doc.text(60, 70 + 5 * r, rows[r].amount);
    }
    for (int k = 0; k < c.note.size(); ++k)
        doc.text(120, 70 + 5 * k, c.note[k]);
    return doc;
}

PrintDocument ImpFiche(const ClientPage &page, const PageMetrics &m)
{
    return ImpFiche(page.card(), {page.entryDate, page.entryLabel, page.entryAmount}, m);
}

BlockRange clientBlocks(int from, int to, int count)
{
    return {std::max(from - 1, 0), std::min(to - 1, count - 1)};
}

void Entete1(PrintDocument &doc)
{
    const struct
    {
        int x;
        const char16_t *title;
    } columns[] = {{5, u"Nom/Société"}, {55, u"Adresse"},    {105, u"Adresse"}, {155, u"C.P."},
                   {175, u"Ville"},     {225, u"Téléphone"}, {255, u"Fax"}};
    for (const auto &c : columns)
        doc.text(c.x, 0, QString::fromUtf16(c.title));
    doc.line(5, 5, 300, 5);
}

PrintDocument ImpCli(const RecordTable &clients, BlockRange blocks, const PageMetrics &m)
{
    PrintDocument doc = begin(kListTitle, Orientation::Landscape, m);
    int y = 10;
    Entete1(doc);
    // Block lines printed and their columns.
    const std::pair<int, int> columns[] = {{4, 5},   {5, 55},   {6, 105}, {7, 155},
                                           {8, 175}, {10, 225}, {11, 255}};
    constexpr int kColumns = int(std::size(columns));
    // Each text stops short of the next column (the last one of the page's
    // edge), so that a long address never covers the postal code.
    constexpr double kGap = 1;
    double widths[kColumns];
    for (int i = 0; i < kColumns; ++i)
        widths[i] =
            (i + 1 < kColumns ? columns[i + 1].second : m.widthMm) - columns[i].second - kGap;
    for (int n = blocks.first; n <= blocks.last; ++n) {
        const qsizetype start = clients.blockStart(n);
        if (start < 0)
            continue;
        const qsizetype end = clients.blockEnd(start, n);
        for (int i = 0; i < kColumns; ++i) {
            const auto &[line, x] = columns[i];
            const QString value = start + line < end ? clients.text(start + line) : QString();
            doc.text(x, y, elidedArial(value, widths[i], kArial10));
        }
        y += 5;
        if (doc.beyondBottom(y, 20)) {
            y = 10;
            doc.newPage();
            Entete1(doc);
        }
    }
    return doc;
}

Orientation envelopeOrientation(const Settings &settings)
{
    return settings.envelopeOrientation == 1 ? Orientation::Landscape : Orientation::Portrait;
}

PrintDocument ImpEnv(const ClientCard &card, const Company &company, const Settings &settings,
                     const PageMetrics &m)
{
    PrintDocument doc = begin(kEnvelopeTitle, envelopeOrientation(settings), m);
    const int g = settings.envelopeGuide;
    for (int i = 0; i < 4; ++i)
        doc.text(5, g + 5 + 5 * i, company.lines[i]);
    doc.text(110, g + 50, card.name);
    doc.text(110, g + 55, card.address1);
    doc.text(110, g + 60, card.address2);
    doc.text(110, g + 65, card.postalCode + u' ' + card.town);
    return doc;
}

PrintJob ImpFicheJob(const ClientPage &page)
{
    return {kCardTitle, Orientation::Portrait, std::nullopt,
            [&page](const PageMetrics &m, const PrintRange &) { return ImpFiche(page, m); }};
}

PrintJob ImpCliJob(const RecordTable &clients, int count)
{
    return {kListTitle, Orientation::Landscape, PrintRange{1, count, count},
            [&clients, count](const PageMetrics &m, const PrintRange &r) {
                return ImpCli(clients, clientBlocks(r.from, r.to, count), m);
            }};
}

PrintJob ImpCliJob(ClientPage &page)
{
    page.writeBack();
    const FileSet &set = page.fiche().set();
    return ImpCliJob(set.table(Table::Clients), set.count(Table::Clients));
}

PrintJob ImpEnvJob(const ClientCard &card, const Company &company, const Settings &settings)
{
    return {kEnvelopeTitle, envelopeOrientation(settings), std::nullopt,
            [&](const PageMetrics &m, const PrintRange &) {
                return ImpEnv(card, company, settings, m);
            },
            QStringLiteral("Insérez une enveloppe dans l'imprimante")};
}
