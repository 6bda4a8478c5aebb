#include "client_exchange.h"

#include "client_search.h"
#include "store/codec.h"
#include "store/whole_file.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <algorithm>

namespace {

constexpr int kFirstField = 4; // name
constexpr int kLastField = 10; // telephone

QByteArray readAll(const QString &path, Ui &ui)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        ui.inform(f.errorString());
        return {};
    }
    return f.readAll();
}

// Lines end at CR LF, CR or LF; a final line end adds no empty line.
template <typename F> void forEachTextLine(QStringView text, F &&f)
{
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'\n' && text[i] != u'\r')
            continue;
        f(text.sliced(start, i - start));
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        f(text.sliced(start));
}

int import(ClientPage &page, const QString &path, char separator)
{
    Fiche &fiche = page.fiche();
    if (fiche.active() != PageId::Clients)
        return 0;
    FileSet &s = fiche.set();
    RecordTable &t = s.table(Table::Clients);
    // The card shown is kept now: moving after the import must not write it
    // over an imported client.
    page.EcritFiche();
    s.setPageModified(Table::Clients, false);

    const QString content = exchange::decodeImport(readAll(path, fiche.ui()));
    const int before = s.count(Table::Clients);
    int count = before;
    int code = page.numerom();
    bool lossless = true;
    int markers = 0;
    QList<QByteArray> added;
    const QChar sep = QLatin1Char(separator);
    bool full = false;
    forEachTextLine(content, [&](QStringView line) {
        // A blank line (often the last one) is no client.
        if (full || line.trimmed().isEmpty())
            return;
        if ((full = count >= exchange::kMaxClients))
            return;
        ++count;
        added << t.startMarker(count - 1) << QByteArray::number(code++) << "N"
              << "N";
        for (QStringView field : line.split(sep)) {
            bool ok = true, changed = false;
            const QString value = cp1252::withoutMarker(field.left(exchange::kMaxField).toString(), &changed);
            added << cp1252::encode(value, &ok);
            lossless = lossless && ok;
            markers += changed;
        }
        for (int i = 0; i < exchange::kEmptyLinesAfter; ++i)
            added << QByteArray();
        added << t.endMarker(count - 1);
    });
    t.insert(t.size(), added);
    s.setCount(Table::Clients, count);
    if (full)
        fiche.ui().inform(QStringLiteral("Trop de lignes, le fichier a été tronqué"));
    if (!lossless)
        fiche.ui().inform(QStringLiteral(
            "Des caractères sans équivalent Windows-1252 ont été remplacés par « ? »"));
    if (markers)
        fiche.ui().inform(QStringLiteral("%1 commençai%2 par « <BLOC » ou « </BLOC » : une espace a été "
                                         "ajoutée devant.")
                              .arg(markers == 1 ? QStringLiteral("1 champ importé")
                                                : QStringLiteral("%1 champs importés").arg(markers),
                                   markers == 1 ? QStringLiteral("t") : QStringLiteral("ent")));
    return count - before;
}

bool writeRecords(const QString &path, const QList<QByteArray> &records, Ui &ui)
{
    WholeFile f(path);
    bool ok = f.open();
    for (const QByteArray &r : records)
        ok = ok && f.write(r + "\r\n");
    ok = ok && f.commit();
    if (!ok)
        ui.inform(f.errorMessage());
    return ok;
}

bool exportPage(Fiche &fiche, const QString &path, char separator, const DaySheetRecords &daySheet)
{
    QList<QByteArray> records;
    if (fiche.active() == PageId::Clients)
        records = exchange::clientRecords(fiche.set().table(Table::Clients), separator);
    else if (fiche.active() == PageId::MainCourante && daySheet)
        records = daySheet(separator);
    return writeRecords(path, records, fiche.ui());
}

} // namespace

QString exchange::decodeImport(QByteArrayView bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.sliced(3));
    const bool ascii =
        std::all_of(bytes.begin(), bytes.end(), [](char c) { return uchar(c) < 0x80; });
    if (!ascii) {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString text = utf8.decode(bytes);
        if (!utf8.hasError())
            return text;
    }
    return cp1252::decode(bytes);
}

QList<QByteArray> exchange::clientRecords(const RecordTable &clients, char separator)
{
    QList<QByteArray> records;
    for (qsizetype i = 0; i < clients.size(); ++i) {
        if (!RecordTable::isStart(clients.line(i)))
            continue;
        QByteArray r;
        for (int offset = kFirstField; offset <= kLastField; ++offset) {
            if (offset > kFirstField)
                r += separator;
            const qsizetype from = r.size();
            r += clientField(clients, i, offset);
            std::replace(r.begin() + from, r.end(), separator, ' ');
        }
        records << r;
    }
    return records;
}

char exchange::exportSeparator(const QString &name, char filterSeparator)
{
    if (name.endsWith(u".csv", Qt::CaseInsensitive))
        return kCsv;
    if (name.endsWith(u".txt", Qt::CaseInsensitive))
        return kTxt;
    return filterSeparator;
}

bool Importer(ClientPage &page, const QString &path)
{
    Fiche &fiche = page.fiche();
    if (!QFileInfo::exists(path)) {
        fiche.ui().inform(QStringLiteral("Le ficher ") + path + QStringLiteral("n'existe pas"));
        return false;
    }
    // Clients are imported on the client page, whichever page is shown.
    if (fiche.active() != PageId::Clients)
        fiche.selectPage(PageId::Clients);
    const int first = fiche.set().count(Table::Clients);
    const QString lower = path.toLower();
    int imported = 0;
    if (lower.contains(u".txt"))
        imported += ImportTxt(page, path);
    if (lower.contains(u".csv"))
        imported += ImportCsv(page, path);
    fiche.ui().inform(imported == 0   ? QStringLiteral("Aucun client importé")
                      : imported == 1 ? QStringLiteral("1 client importé")
                                      : QStringLiteral("%1 clients importés").arg(imported));
    if (imported > 0) {
        // The first client imported is the one to check first.
        fiche.set().setPosition(Table::Clients, first);
        page.LitFiche();
        fiche.SetSauve();
        emit fiche.cardChanged(PageId::Clients);
    }
    return true;
}

int ImportTxt(ClientPage &page, const QString &path)
{
    return import(page, path, exchange::kTxt);
}

int ImportCsv(ClientPage &page, const QString &path)
{
    return import(page, path, exchange::kCsv);
}

QString Exporter(ClientPage &page, const QString &name, char filterSeparator,
                 const DaySheetRecords &daySheet)
{
    page.EcritFiche();
    if (name.isEmpty())
        return {};
    // Only the main courante page exports something of its own (its day
    // sheet); from any other page the clients are exported.
    Fiche &fiche = page.fiche();
    const bool daySheetShown = fiche.active() == PageId::MainCourante && daySheet;
    if (!daySheetShown && fiche.active() != PageId::Clients)
        fiche.selectPage(PageId::Clients);
    const char separator = exchange::exportSeparator(name, filterSeparator);
    const QString extension =
        separator == exchange::kCsv ? QStringLiteral(".csv") : QStringLiteral(".txt");
    const QString path = name.contains(extension, Qt::CaseInsensitive) ? name : name + extension;
    const bool ok = separator == exchange::kCsv ? ExportCsv(fiche, path, daySheet)
                                                : ExportTxt(fiche, path, daySheet);
    return ok ? path : QString();
}

bool ExportTxt(Fiche &fiche, const QString &path, const DaySheetRecords &daySheet)
{
    return exportPage(fiche, path, exchange::kTxt, daySheet);
}

bool ExportCsv(Fiche &fiche, const QString &path, const DaySheetRecords &daySheet)
{
    return exportPage(fiche, path, exchange::kCsv, daySheet);
}
