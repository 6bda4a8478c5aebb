#include "client_exchange.h"

#include "client_search.h"
#include "store/codec.h"
#include "store/whole_file.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QStringDecoder>

#include <algorithm>
#include <optional>
#include <utility>

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

// The columns of the clients' spreadsheet, with the block line each comes
// from and goes back to.
struct ClientColumn
{
    QStringView heading;
    int offset;
    CellType type = CellType::Text;
};
constexpr ClientColumn kClientColumns[] = {
    {u"Code client", 1},         {u"Nom/Société", 4},        {u"Adresse", 5},
    {u"Adresse (suite)", 6},     {u"Code postal", 7},        {u"Ville", 8},
    {u"Pays", 9},                {u"Téléphone", 10},         {u"Fax", 11},
    {u"E-mail", 12},             {u"Créé le", 13, CellType::Date},
    {u"Nb. séjours", 18, CellType::Integer}, {u"Total dû", 21, CellType::Amount}};
constexpr int kCodeOffset = 1;
// What a positional record fills: its fields, then blank lines, from line 4.
constexpr int kImportedLines = (kLastField - kFirstField + 1) + exchange::kEmptyLinesAfter;

// One line of a ";" file, fields in double quotes allowed ("" for a quote).
QStringList splitQuoted(QStringView line, QChar sep)
{
    QStringList out;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (quoted) {
            if (c == u'"' && i + 1 < line.size() && line[i + 1] == u'"')
                field += u'"', ++i;
            else if (c == u'"')
                quoted = false;
            else
                field += c;
        } else if (c == u'"' && field.isEmpty()) {
            quoted = true;
        } else if (c == sep) {
            out << field;
            field.clear();
        } else {
            field += c;
        }
    }
    out << field;
    return out;
}

// The block line of each column of a header line, -1 for a column that goes
// nowhere; nothing when the line is not the spreadsheet's header.
std::optional<QList<int>> headerOffsets(const QStringList &fields)
{
    QList<int> offsets;
    int known = 0;
    for (const QString &field : fields) {
        int offset = -1;
        for (const ClientColumn &column : kClientColumns)
            if (field.trimmed() == column.heading)
                offset = column.offset;
        known += offset >= 0;
        offsets << offset;
    }
    if (known < 2 || offsets.value(0) < 0)
        return std::nullopt;
    return offsets;
}

QString duplicateKey(QStringView name, QStringView postalCode, QStringView phone)
{
    return name.trimmed().toString() + u'\t' + postalCode.trimmed().toString() + u'\t' +
           phone.trimmed().toString();
}

// -1 when the person cancelled.
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
    const QChar sep = QLatin1Char(separator);
    // Each record as the block lines it fills, from line 4.
    QList<QStringList> records;
    std::optional<QList<int>> offsets;
    bool first = true;
    forEachTextLine(content, [&](QStringView line) {
        // A blank line (often the last one) is no client.
        if (line.trimmed().isEmpty())
            return;
        if (std::exchange(first, false) && (offsets = headerOffsets(splitQuoted(line, sep))))
            return;
        QStringList fields;
        if (!offsets) {
            for (QStringView field : line.split(sep))
                fields << field.toString();
        } else {
            fields = QStringList(kImportedLines);
            const QStringList cells = splitQuoted(line, sep);
            for (qsizetype i = 0; i < cells.size() && i < offsets->size(); ++i) {
                const int at = offsets->at(i) - kFirstField;
                if (offsets->at(i) != kCodeOffset && at >= 0 && at < kImportedLines)
                    fields[at] = cells[i];
            }
        }
        records << fields;
    });

    // Clients already there are added again only when the person says so.
    QSet<QString> present;
    for (qsizetype i = 0; i < t.size(); ++i)
        if (RecordTable::isStart(t.line(i)))
            present.insert(duplicateKey(cp1252::decode(clientField(t, i, kFirstField)),
                                        cp1252::decode(clientField(t, i, 7)),
                                        cp1252::decode(clientField(t, i, kLastField))));
    auto isPresent = [&](const QStringList &f) {
        return present.contains(duplicateKey(f.value(0), f.value(3), f.value(6)));
    };
    const auto already = std::count_if(records.begin(), records.end(), isPresent);
    if (already > 0) {
        const QString count = already == 1 ? QStringLiteral("1 client de ce fichier est déjà")
                                           : QStringLiteral("%1 clients de ce fichier sont déjà").arg(already);
        switch (fiche.ui().askYesNoCancel(
            count + QStringLiteral(" dans le dossier (même nom, code postal et téléphone).\r\n"
                                   "Oui : les ajouter à nouveau.\r\nNon : ne pas les ajouter.\r\n"
                                   "Annuler : ne rien importer."))) {
        case Ui::Answer::Cancel:
            return -1;
        case Ui::Answer::No:
            records.removeIf(isPresent);
            break;
        case Ui::Answer::Yes:
            break;
        }
    }

    const int before = s.count(Table::Clients);
    int count = before;
    int code = page.numerom();
    bool lossless = true;
    int markers = 0;
    QList<QByteArray> added;
    bool full = false;
    for (const QStringList &fields : std::as_const(records)) {
        if ((full = count >= exchange::kMaxClients))
            break;
        ++count;
        added << t.startMarker(count - 1) << QByteArray::number(code++) << "N"
              << "N";
        for (const QString &field : fields) {
            bool ok = true, changed = false;
            const QString value = cp1252::withoutMarker(field.left(exchange::kMaxField), &changed);
            added << cp1252::encode(value, &ok);
            lossless = lossless && ok;
            markers += changed;
        }
        if (!offsets)
            for (int i = 0; i < exchange::kEmptyLinesAfter; ++i)
                added << QByteArray();
        added << t.endMarker(count - 1);
    }
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

Spreadsheet exchange::clientSheet(const RecordTable &clients)
{
    Spreadsheet sheet{QStringLiteral("Clients"), {}, {}};
    for (const ClientColumn &column : kClientColumns)
        sheet.columns << SheetColumn{column.heading.toString(), column.type};
    for (qsizetype i = 0; i < clients.size(); ++i) {
        if (!RecordTable::isStart(clients.line(i)))
            continue;
        QStringList row;
        for (const ClientColumn &column : kClientColumns)
            row << cp1252::decode(clientField(clients, i, column.offset));
        sheet.rows << row;
    }
    return sheet;
}

bool Importer(ClientPage &page, const QString &path)
{
    Fiche &fiche = page.fiche();
    if (!QFileInfo::exists(path)) {
        fiche.ui().inform(QStringLiteral("Le fichier ") + path + QStringLiteral(" n'existe pas"));
        return false;
    }
    // Clients are imported on the client page, whichever page is shown.
    if (fiche.active() != PageId::Clients)
        fiche.selectPage(PageId::Clients);
    const int first = fiche.set().count(Table::Clients);
    const QString lower = path.toLower();
    int imported = 0;
    for (const auto &[suffix, separator] : {std::pair{u".txt", exchange::kTxt}, std::pair{u".csv", exchange::kCsv}}) {
        if (!lower.contains(QStringView(suffix)))
            continue;
        const int added = import(page, path, separator);
        if (added < 0)
            return false;
        imported += added;
    }
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

QString Exporter(ClientPage &page, const QString &name, ExportFormat filterFormat,
                 const DaySheetRecords &daySheet, const DaySheet &daySheetTable)
{
    page.EcritFiche();
    if (name.isEmpty())
        return {};
    // Only the main courante page exports something of its own (its day
    // sheet); from any other page the clients are exported.
    Fiche &fiche = page.fiche();
    const bool daySheetShown = fiche.active() == PageId::MainCourante && (daySheet || daySheetTable);
    if (!daySheetShown && fiche.active() != PageId::Clients)
        fiche.selectPage(PageId::Clients);
    const ExportFormat format = exportFormatOf(name, filterFormat);
    const QString path = withExportSuffix(name, format);
    if (format == ExportFormat::Txt)
        return ExportTxt(fiche, path, daySheet) ? path : QString();
    const Spreadsheet sheet = daySheetShown ? (daySheetTable ? daySheetTable() : Spreadsheet{})
                                            : exchange::clientSheet(fiche.set().table(Table::Clients));
    const QString error = writeSpreadsheet(sheet, format, path);
    if (!error.isEmpty()) {
        fiche.ui().inform(error);
        return {};
    }
    return path;
}

bool ExportTxt(Fiche &fiche, const QString &path, const DaySheetRecords &daySheet)
{
    return exportPage(fiche, path, exchange::kTxt, daySheet);
}
