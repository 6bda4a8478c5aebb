#include "client_exchange.h"

#include "client_search.h"
#include "store/codec.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

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

void import(ClientPage &page, const QString &path, char separator)
{
    Fiche &fiche = page.fiche();
    if (fiche.active() != PageId::Clients)
        return;
    FileSet &s = fiche.set();
    RecordTable &t = s.table(Table::Clients);
    // The card shown is kept now: moving after the import must not write it
    // over an imported client.
    page.EcritFiche();
    s.setPageModified(Table::Clients, false);

    const QString content = exchange::decodeImport(readAll(path, fiche.ui()));
    int count = s.count(Table::Clients);
    int code = page.numerom();
    bool lossless = true;
    int markers = 0;
    QList<QByteArray> added;
    const QChar sep = QLatin1Char(separator);
    bool full = false;
    forEachTextLine(content, [&](QStringView line) {
        if (full || (full = count >= exchange::kMaxClients))
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
    if (!added.isEmpty())
        s.setPosition(Table::Clients, count - 1);
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
}

bool writeRecords(const QString &path, const QList<QByteArray> &records, Ui &ui)
{
    QSaveFile f(path);
    bool ok = f.open(QIODevice::WriteOnly);
    for (const QByteArray &r : records)
        ok = ok && f.write(r + "\r\n") == r.size() + 2;
    ok = ok && f.commit();
    if (!ok)
        ui.inform(f.errorString());
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
            r += clientField(clients, i, offset);
        }
        records << r;
    }
    return records;
}

bool Importer(ClientPage &page, const QString &path)
{
    Fiche &fiche = page.fiche();
    if (!QFileInfo::exists(path)) {
        fiche.ui().inform(QStringLiteral("Le ficher ") + path + QStringLiteral("n'existe pas"));
        return false;
    }
    const QString lower = path.toLower();
    if (lower.contains(u".txt"))
        ImportTxt(page, path);
    if (lower.contains(u".csv"))
        ImportCsv(page, path);
    fiche.Dernier();
    fiche.SetSauve();
    return true;
}

void ImportTxt(ClientPage &page, const QString &path)
{
    import(page, path, exchange::kTxt);
}

void ImportCsv(ClientPage &page, const QString &path)
{
    import(page, path, exchange::kCsv);
}

QString Exporter(ClientPage &page, const QString &name, char separator,
                 const DaySheetRecords &daySheet)
{
    page.EcritFiche();
    if (name.isEmpty())
        return {};
    const QString extension =
        separator == exchange::kCsv ? QStringLiteral(".csv") : QStringLiteral(".txt");
    const QString path = name.contains(extension, Qt::CaseInsensitive) ? name : name + extension;
    const bool ok = separator == exchange::kCsv ? ExportCsv(page.fiche(), path, daySheet)
                                                : ExportTxt(page.fiche(), path, daySheet);
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
