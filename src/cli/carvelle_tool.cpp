// carvelle-tool: checks or repairs a hotel file set from the command line,
// with the same reading, repair passes and saving as the program, and reads
// it for those who never open the window (the day at a glance, the invoices,
// their printouts).

#include "backup_commands.h"
#include "billing/facturx.h"
#include "billing/invoice.h"
#include "billing/invoice_list.h"
#include "billing/invoice_page.h"
#include "billing/invoice_printout.h"
#include "billing/main_courante.h"
#include "clients/client_page.h"
#include "print/ui/facturx_pdf.h"
#include "print/ui/renderer.h"
#include "rooms/journee.h"
#include "rooms/nights.h"
#include "stats/journal.h"
#include "stats/statistics.h"
#include "stats/tourist_tax.h"
#include "store/codec.h"
#include "store/fiche.h"
#include "store/file_names.h"
#include "store/file_set.h"
#include "store/passes.h"
#include "store/set_lock.h"
#include "store/settings.h"
#include "store/text.h"
#include "store/whole_file.h"
#include "tool_help.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPrinter>
#include <QTextStream>

#include <memory>
#include <optional>

namespace {

int usage()
{
    err() << toolHelp();
    return 2;
}

// Reads "--from JJ/MM/AAAA" and "--to JJ/MM/AAAA", either or both, from
// args[first] on: 0 when they read, else the exit code, said.
int readPeriod(const QStringList &args, int first, QDate &from, QDate &to)
{
    if ((args.size() - first) % 2 != 0)
        return usage();
    for (int i = first; i < args.size(); i += 2) {
        if (args[i] != u"--from" && args[i] != u"--to")
            return usage();
        const QDate d = QDate::fromString(args[i + 1], QStringLiteral("dd/MM/yyyy"));
        if (!d.isValid()) {
            err() << "'" << args[i + 1] << "' n'est pas une date correcte\n";
            return 2;
        }
        (args[i] == u"--from" ? from : to) = d;
    }
    return 0;
}

QString plural(int n, const char *one, const char *many)
{
    return QStringLiteral("%1 %2").arg(n).arg(QString::fromUtf8(n == 1 ? one : many));
}

// The settings of the current folder's Carvelle.ini; false, said, when it
// cannot be read.
bool readSettings(Settings &settings)
{
    QString error;
    ChargeIni(settings, QDir::currentPath(), QDir::currentPath(), &error);
    if (!error.isEmpty()) {
        // A refused rate too: no figure is printed from settings that are wrong.
        err() << error << '\n';
        return false;
    }
    return true;
}

int decimalsOf(const Settings &settings)
{
    return settings.decimals >= 0 && settings.decimals <= 2 ? settings.decimals : 2;
}

// The client file as spelt on disk, where its lock and journal are.
QString clientFileOf(const QString &path)
{
    const QFileInfo info(path);
    const QString found = findFileNoCase(info.absolutePath(), info.fileName());
    return found.isEmpty() ? path : found;
}

// Opens a set to read it, without waiting for the program that has it
// open: the set is read between two of its saves. A save that was
// interrupted is finished first when the set's lock can be had, and the
// lock is let go once the set is read. False, said, when it cannot be
// opened.
bool openToRead(FileSet &set, const QString &path)
{
    const QString client = clientFileOf(path);
    std::optional<SetLock> lock;
    if (QFileInfo::exists(FileSet::journalPath(client)))
        lock.emplace(setLockPath(client));
    const bool held = lock && lock->tryLock();
    if (!set.Charge(path, QDir::currentPath(), held)) {
        err() << set.errorMessage() << " : " << QDir::toNativeSeparators(path) << '\n';
        return false;
    }
    return true;
}

// One line per table; returns whether the table needs (or had) a repair.
bool report(const FileSet &set, Table t, int leading)
{
    const TableInfo &info = tableInfo(t);
    const RecordTable &table = set.table(t);
    const passes::Report &r = set.openReport(t);
    QString line = QStringLiteral("%1 %2 %3")
                       .arg(QString::fromLatin1(info.name).leftJustified(14))
                       .arg(QFileInfo(set.fileName(t)).fileName().leftJustified(16))
                       .arg(plural(int(table.size()), "ligne", "lignes").rightJustified(15));
    if (info.markerWidth > 0)
        line += QStringLiteral("  ") + plural(set.count(t), "fiche", "fiches").rightJustified(12);
    passes::Report all = r;
    all.leadingLinesDropped = leading;
    const QString repairs = all.describe();
    line += QStringLiteral("  ") + (repairs.isEmpty() ? QStringLiteral("correct") : repairs);
    out() << line << '\n';
    return all.changed();
}

} // namespace

// The day at a glance of a set, read without taking its lock or writing.
int journeeCommand(const QStringList &args)
{
    if (args.size() < 2 || args.size() > 3)
        return usage();
    QDate day = QDate::currentDate();
    if (args.size() == 3) {
        day = QDate::fromString(args[2], QStringLiteral("dd/MM/yyyy"));
        if (!day.isValid()) {
            err() << "'" << args[2] << "' n'est pas une date correcte\n";
            return 2;
        }
    }
    FileSet set;
    if (!openToRead(set, args[1]))
        return 2;
    for (const QString &line : journee::toolLines(journee::Journee(set, day)))
        out() << line << '\n';
    return 0;
}

namespace {

// A field of a tool line: a TAB or a line end inside it would shift the columns.
QString toolField(QString s)
{
    // Read through a const view: a text without them is not copied.
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = std::as_const(s)[i];
        if (c == u'\t' || c == u'\r' || c == u'\n')
            s[i] = u' ';
    }
    return s;
}

} // namespace

// Every invoice of a set, or those dated within a period, with its totals
// as the invoice page computes them; reads the set without its lock.
int invoicesCommand(const QStringList &args)
{
    QString path;
    QDate from, to;
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString &a = args[i];
        if (a == u"--from" || a == u"--to") {
            if (i + 1 >= args.size())
                return usage();
            const QDate d = QDate::fromString(args[++i], QStringLiteral("dd/MM/yyyy"));
            if (!d.isValid()) {
                err() << "'" << args[i] << "' n'est pas une date correcte\n";
                return 2;
            }
            (a == u"--from" ? from : to) = d;
        } else if (path.isEmpty() && !a.startsWith(u"--")) {
            path = a;
        } else {
            return usage();
        }
    }
    if (path.isEmpty())
        return usage();

    Settings settings;
    if (!readSettings(settings))
        return 2;
    const int decimals = decimalsOf(settings);
    FileSet set;
    if (!openToRead(set, path))
        return 2;
    out() << "bloc\tnumero\tdate\tclient\tchambre\tvalidee\tttc1\tht1\ttva1\tttc2\tht2\ttva2"
             "\tttc3\tht3\ttva3\ttotal_ttc\ttotal_tva\ttaux1\ttaux2\ttaux3\ttotal_ht\ttaxe_sejour"
             "\tfigee\n";
    const RecordTable &t = set.table(Table::Invoices);
    const int count = set.count(Table::Invoices);
    for (int n = 0; n < count; ++n) {
        const qsizetype start = t.blockStart(n);
        if (start < 0)
            continue;
        const qsizetype end = t.blockStop(start, n);
        auto raw = [&](int offset) {
            return start + offset < end ? t.text(start + offset) : QString();
        };
        const QString dateText = raw(invoiceline::Date);
        if (from.isValid() || to.isValid()) {
            const QDate d = text::storedDate(dateText);
            if (!d.isValid() || (from.isValid() && d < from) || (to.isValid() && d > to))
                continue;
        }
        const InvoiceTotals totals = blockTotals(t, start, end, settings.vatRates, decimals);
        QStringList fields = {QString::number(n),
                              raw(invoiceline::Number).mid(4).trimmed(),
                              dateText,
                              raw(invoiceline::Client),
                              raw(invoiceline::Room),
                              raw(invoiceline::Validated) == u"Y" ? QStringLiteral("Y")
                                                                  : QStringLiteral("N")};
        for (std::size_t k = 0; k < 3; ++k)
            fields << totals.inclusive[k].format(decimals) << totals.exclusive[k].format(decimals)
                   << totals.vat[k].format(decimals);
        fields << totals.totalText << totals.vatText;
        for (const Money &rate : totals.rates)
            fields << rate.exact();
        fields << totals.exclusiveText << totals.outsideVatText
               << (totals.kept ? QStringLiteral("Y") : QStringLiteral("N"));
        for (QString &f : fields)
            f = toolField(f);
        out() << fields.join(u'\t') << '\n';
    }
    return 0;
}

namespace {

// The tool asks nothing: what the model would tell goes to stderr.
class ToolUi : public Ui
{
public:
    void inform(const QString &text) override { err() << text << '\n'; }
    Answer askYesNoCancel(const QString &) override { return Answer::Cancel; }
    bool askOkCancel(const QString &) override { return false; }
    QString chooseOpenFile() override { return {}; }
    QString chooseSaveFile(const QString &) override { return {}; }
};

// The record window without its window: the settings files of the current
// folder, the set opened read-only and the invoice page over it, so that an
// invoice prints exactly as the page prints it.
struct InvoicePrinter
{
    ToolUi ui;
    Fiche fiche{ui};
    ClientPage clients{fiche};
    InvoicePage invoices{fiche, clients};

    bool open(const QString &path)
    {
        fiche.loadSettingsFiles(QDir::currentPath());
        return openToRead(fiche.set(), path);
    }
    void show(int block)
    {
        fiche.set().setPosition(Table::Invoices, block);
        invoices.LitFact();
    }
    // The invoice shown, on A4, into a PDF file, whole or not at all;
    // false, said, when it could not be written.
    bool print(const QString &pdf)
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setPageSize(QPageSize(QPageSize::A4));
        const PrintJob job = ImpFactJob(invoices, fiche);
        printer.setPageOrientation(QPageLayout::Portrait);
        QString error;
        if (renderPdf(job.layout(pageMetrics(printer), {}), printer, pdf, &error))
            return true;
        err() << error << '\n';
        return false;
    }
    // The invoice shown as a Factur-X PDF and/or its XML alone: 0 when
    // written, 2 (said) when the invoice cannot be one or a file failed.
    int facturX(const QString &pdf, const QString &xmlPath)
    {
        QString error;
        const std::optional<QByteArray> xml = facturx::xmlOf(invoices, fiche, &error);
        if (xml && !xmlPath.isEmpty() && !WholeFile::write(xmlPath, *xml, &error))
            return err() << error << '\n', 2;
        if (xml && !pdf.isEmpty() &&
            !writeFacturXPdf(ImpFactJob(invoices, fiche), *xml, pdf, &error))
            return err() << error << '\n', 2;
        if (!xml)
            err() << error << '\n';
        return xml ? 0 : 2;
    }
};

// The block whose number line is "NUMF" + number, or -1.
int invoiceBlock(const RecordTable &t, const QString &number)
{
    bool ok = true;
    const QByteArray line = "NUMF" + cp1252::encode(number, &ok);
    for (qsizetype i = ok ? t.indexOf(line) : -1; i >= 0; i = t.indexOf(line, i + 1))
        if (const auto n = i > 0 ? t.startNumber(t.line(i - 1)) : std::nullopt)
            return int(*n);
    return -1;
}

} // namespace

// Opens the set and shows the invoice numbered `number`: 0 when shown, else
// the exit code (2 the set could not be read, 1 no such invoice).
int showInvoice(InvoicePrinter &p, const QString &set, const QString &number)
{
    if (!p.open(set))
        return 2;
    const int block = invoiceBlock(p.fiche.set().table(Table::Invoices), number);
    if (block < 0) {
        err() << "Aucune facture n° " << number << '\n';
        return 1;
    }
    p.show(block);
    return 0;
}

// One invoice into a PDF file, as "Imprimer" prints it.
int printInvoiceCommand(const QStringList &args)
{
    if (args.size() != 5 || args[3] != u"-o")
        return usage();
    InvoicePrinter p;
    if (const int code = showInvoice(p, args[1], args[2]))
        return code;
    return p.print(args[4]) ? 0 : 2;
}

// One invoice as an electronic invoice: "-o FICHIER.pdf" the Factur-X PDF,
// "--xml FICHIER.xml" its XML alone, either or both.
int facturxCommand(const QStringList &args)
{
    if (args.size() < 5 || args.size() % 2 == 0)
        return usage();
    QString pdf, xml;
    for (qsizetype i = 3; i + 1 < args.size(); i += 2) {
        if (args[i] == u"-o")
            pdf = args[i + 1];
        else if (args[i] == u"--xml")
            xml = args[i + 1];
        else
            return usage();
    }
    InvoicePrinter p;
    if (const int code = showInvoice(p, args[1], args[2]))
        return code;
    return p.facturX(pdf, xml);
}

namespace {

// The file an invoice is archived in, as the system spells it: "Facture-"
// and its number. A number is typed digits; a character that would not
// make a file name becomes "_".
QByteArray archiveFileName(QString number)
{
    bool ascii = true;
    for (QChar &ch : number) {
        if (!ch.isLetterOrNumber() && ch != u'-' && ch != u'_')
            ch = u'_';
        ascii = ascii && ch.unicode() < 0x80;
    }
    // Most numbers are plain digits: spelt the same in every encoding.
    if (ascii)
        return "Facture-" + number.toLatin1() + ".pdf";
    return QFile::encodeName(QStringLiteral("Facture-%1.pdf").arg(number));
}

} // namespace

// Every validated invoice into its own PDF file in a folder. A file already
// there is left alone only when it is a whole PDF: one cut short or empty (a
// full disk, a killed run) is written again. Ends with the counts written,
// kept and failed; exits 2 when any failed.
//
// With --facturx, an invoice to a business client is written as a Factur-X
// PDF (the others as printed).
int archiveInvoicesCommand(QStringList args)
{
    const bool facturX = args.removeAll(QStringLiteral("--facturx")) > 0;
    if (args.size() != 3)
        return usage();
    // The files already there are judged while the set is read.
    WholePdfsInFolder present(args[2], "Facture-", ".pdf");
    InvoicePrinter p;
    if (!p.open(args[1]))
        return 2;
    const QDir dir(args[2]);
    if (!dir.exists() && !QDir().mkpath(dir.path())) {
        err() << "Impossible de créer le dossier " << QDir::toNativeSeparators(args[2]) << '\n';
        return 2;
    }
    // The invoice's own lines tell whether it is validated and which file
    // it goes to: only an invoice to print is read as a page.
    struct ToArchive
    {
        int block;
        QByteArray name;  // as the system spells it
        qsizetype listed; // where the folder's listing has it, or -1
    };
    std::vector<ToArchive> validated;
    {
        const InvoiceList list(p.fiche.set().table(Table::Invoices));
        const RecordTable &invoices = p.fiche.set().table(Table::Invoices);
        for (int row = 0; row < list.size(); ++row) {
            const InvoiceFacts facts = invoiceFacts(invoices, list.block(row));
            if (!facts.validated)
                continue;
            QString number = facts.number;
            if (number.isEmpty()) {
                // No number of its own: the page proposes the one it prints.
                p.show(list.block(row));
                number = p.invoices.card().number;
            }
            const QByteArray name = archiveFileName(std::move(number));
            validated.push_back({list.block(row), name, present.listed(name)});
        }
    }
    int written = 0, kept = 0, failed = 0;
    // The files the folder did not hold are written while the others are
    // still being judged; of two invoices with one file name the first
    // is written, the second finds it there.
    for (const bool wasListed : {false, true}) {
        for (const ToArchive &v : validated) {
            if ((v.listed >= 0) != wasListed)
                continue;
            if (present.isWhole(v.name, v.listed)) {
                ++kept;
                continue;
            }
            p.show(v.block);
            const QString pdf = dir.filePath(QFile::decodeName(v.name));
            const bool business =
                facturX && facturx::partiesOf(p.invoices, p.fiche).buyer.isBusiness();
            if (business ? p.facturX(pdf, {}) == 0 : p.print(pdf)) {
                ++written;
                present.written(v.name);
            } else {
                ++failed;
            }
        }
    }
    present.remember();
    out() << plural(written, "facture archivée", "factures archivées") << ", "
          << plural(kept, "déjà présente", "déjà présentes") << ", "
          << plural(failed, "en échec", "en échec") << '\n';
    return failed > 0 ? 2 : 0;
}

// The day sheet of one day as the main courante page builds it: one line
// per room row, then the day's totals in the amount format of the settings.
int daySheetCommand(const QStringList &args)
{
    if (args.size() != 3)
        return usage();
    const QDate day = QDate::fromString(args[2], QStringLiteral("dd/MM/yyyy"));
    if (!day.isValid()) {
        err() << "'" << args[2] << "' n'est pas une date correcte\n";
        return 2;
    }
    ToolUi ui;
    Fiche fiche{ui};
    if (!readSettings(fiche.settings()))
        return 2;
    if (!openToRead(fiche.set(), args[1]))
        return 2;
    MainCourantePage sheet(fiche);
    fiche.set().currentDay = day;
    sheet.LitJour();
    for (const QString &line : sheet.toolLines())
        out() << line << '\n';
    return 0;
}

// Reads the settings and opens the set for a pass over its invoices; false,
// said, when either cannot be read.
bool openForInvoicePass(const QString &path, FileSet &set, InvoicePassSettings &pass)
{
    Settings settings;
    if (!readSettings(settings) || !openToRead(set, path))
        return false;
    pass.vatRates = settings.vatRates;
    pass.decimals = decimalsOf(settings);
    return true;
}

// A window's rows, one line each from column `first` on, cells trimmed.
void printRows(const QList<QStringList> &rows, int first)
{
    for (const QStringList &row : rows) {
        QStringList fields;
        for (const QString &cell : row.mid(first))
            fields << toolField(cell.trimmed());
        out() << fields.join(u'\t') << '\n';
    }
}

// A statistic as its window shows it: one line per row, the ordinal first,
// the amounts trimmed; reads the set without its lock.
int statsCommand(const QStringList &args)
{
    static const QHash<QString, StatKind> kinds = {{QStringLiteral("mois"), StatKind::Mois},
                                                  {QStringLiteral("clients"), StatKind::Clients},
                                                  {QStringLiteral("chambres"), StatKind::Chambres},
                                                  {QStringLiteral("occupation"), StatKind::Occupation}};
    if (args.size() != 3 || !kinds.contains(args[2]))
        return usage();
    FileSet set;
    InvoicePassSettings pass;
    if (!openForInvoicePass(args[1], set, pass))
        return 2;
    printRows(computeStatistic(kinds.value(args[2]), set, pass).sheet.rows, 0);
    return 0;
}

// The journal lines of a period (Jn, date, account, label, debit, credit),
// or the FEC file of that period; reads the set without its lock.
int journalCommand(const QStringList &args)
{
    if (args.size() < 2)
        return usage();
    QDate from, to;
    QString fec;
    for (int i = 2; i < args.size(); ++i) {
        const QString &a = args[i];
        if (i + 1 >= args.size() || (a != u"--from" && a != u"--to" && a != u"--fec"))
            return usage();
        const QString value = args[++i];
        if (a == u"--fec") {
            fec = value;
            continue;
        }
        const QDate d = QDate::fromString(value, QStringLiteral("dd/MM/yyyy"));
        if (!d.isValid()) {
            err() << "'" << value << "' n'est pas une date correcte\n";
            return 2;
        }
        (a == u"--from" ? from : to) = d;
    }
    Settings settings;
    Company company;
    QString error;
    if (!readSettings(settings) ||
        (!ChargeSoc(company, QDir::currentPath(), &error) && !error.isEmpty())) {
        if (!error.isEmpty())
            err() << error << '\n';
        return 2;
    }
    FileSet set;
    if (!openToRead(set, args[1]))
        return 2;
    JournalSettings js;
    js.accounts = settings.accounts;
    js.vatRates = settings.vatRates;
    js.decimals = decimalsOf(settings);
    QList<JournalLine> lines = journalLines(set, js);
    if (const auto period = journalPeriod(lines))
        lines = linesInPeriod(lines, from.isValid() ? from : period->first, to.isValid() ? to : period->second);
    if (!fec.isEmpty()) {
        if (const QString unbalanced = fecBalanceError(lines, js.decimals); !unbalanced.isEmpty()) {
            err() << unbalanced << '\n';
            return 2;
        }
        QString error;
        if (!WholeFile::write(fec, fecBytes(lines, js.decimals), &error)) {
            err() << error << '\n';
            return 2;
        }
        return 0;
    }
    // The window's columns from "Jn" on, a few thousand lines to a write.
    QString text;
    for (int row = 0; row < lines.size(); ++row) {
        for (int column = 1; column <= 6; ++column) {
            if (column > 1)
                text += u'\t';
            text += toolField(journalCell(lines, row, column, js.decimals).trimmed());
        }
        text += u'\n';
        if (text.size() > 1 << 16 || row + 1 == lines.size()) {
            out() << text;
            text.clear();
        }
    }
    return 0;
}

// Every night that two stays, or a stay and a closure, hold the same room,
// as the nights' model sees them today; reads the set without its lock.
int conflitsCommand(const QStringList &args)
{
    if (args.size() < 2)
        return usage();
    QDate from, to;
    if (const int code = readPeriod(args, 2, from, to))
        return code;
    FileSet set;
    if (!openToRead(set, args[1]))
        return 2;
    const auto held = nights::of(set, QDate::currentDate());
    const auto clashes = held->conflicts(from.isValid() ? from.toJulianDay() : std::numeric_limits<qint64>::min(),
                                         to.isValid() ? to.toJulianDay() : std::numeric_limits<qint64>::max());
    for (const nights::Nights::Conflict &c : clashes)
        out() << toolField(cp1252::decode(c.room)) << '\t' << text::dateText(QDate::fromJulianDay(c.night)) << '\t'
              << toolField(c.a->holder()) << '\t' << toolField(c.b->holder()) << '\n';
    return clashes.empty() ? 0 : 1;
}

// The taxe de séjour collected over a period, one line a validated invoice
// carrying it, then the total line; reads the set without its lock.
int touristTaxCommand(const QStringList &args)
{
    if (args.size() != 6)
        return usage();
    QDate from, to;
    if (const int code = readPeriod(args, 2, from, to))
        return code;
    if (!from.isValid() || !to.isValid())
        return usage();
    FileSet set;
    InvoicePassSettings pass;
    if (!openForInvoicePass(args[1], set, pass))
        return 2;
    printRows(touristTaxSheet(touristTaxReport(set, pass, from, to), pass.decimals).rows, 1);
    return 0;
}

int main(int argc, char **argv)
{
    // Printing needs fonts and a paint engine, hence a GUI application, but
    // never a screen.
    const bool prints = argc > 1 && (qstrcmp(argv[1], "print-invoice") == 0 ||
                                     qstrcmp(argv[1], "facturx") == 0 ||
                                     qstrcmp(argv[1], "archive-invoices") == 0);
    if (prints && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    std::unique_ptr<QCoreApplication> app;
    if (prints)
        app = std::make_unique<QGuiApplication>(argc, argv);
    else
        app = std::make_unique<QCoreApplication>(argc, argv);
    const QStringList args = app->arguments().mid(1);
    if (args.size() == 1 && (args[0] == u"--help" || args[0] == u"-h")) {
        out() << toolHelp();
        return 0;
    }
    if (args.size() == 1 && args[0] == u"--version") {
        out() << QStringLiteral("carvelle-tool " CARVELLE_VERSION "\n");
        return 0;
    }
    if (!args.isEmpty() && args[0] == u"print-invoice")
        return printInvoiceCommand(args);
    if (!args.isEmpty() && args[0] == u"facturx")
        return facturxCommand(args);
    if (!args.isEmpty() && args[0] == u"archive-invoices")
        return archiveInvoicesCommand(args);
    if (!args.isEmpty() && args[0] == u"day-sheet")
        return daySheetCommand(args);
    if (!args.isEmpty() && args[0] == u"journee")
        return journeeCommand(args);
    if (!args.isEmpty() && args[0] == u"conflits")
        return conflitsCommand(args);
    if (!args.isEmpty() && args[0] == u"invoices")
        return invoicesCommand(args);
    if (!args.isEmpty() && args[0] == u"taxe-sejour")
        return touristTaxCommand(args);
    if (!args.isEmpty() && args[0] == u"journal")
        return journalCommand(args);
    if (!args.isEmpty() && args[0] == u"stats")
        return statsCommand(args);
    if (!args.isEmpty() && (args[0] == u"backup" || args[0] == u"restore")) {
        const int code = args[0] == u"backup" ? backupCommand(args) : restoreCommand(args);
        return code < 0 ? usage() : code;
    }
    if (args.size() != 2 || (args[0] != u"check" && args[0] != u"repair"))
        return usage();
    const bool repair = args[0] == u"repair";
    const QString path = args[1];

    // The set's lock first: an interrupted save is finished only while no
    // other program has the set open, and a set in use is never written.
    const QString client = clientFileOf(path);
    SetLock lock(setLockPath(client));
    const bool locked = lock.tryLock();
    if (!locked && lock.error() != SetLock::Error::CannotCreate && repair) {
        err() << lock.message() << '\n';
        if (lock.error() == SetLock::Error::InUse)
            err() << "Fermez-le avant de le réparer.\n";
        return 2;
    }

    FileSet set;
    if (!set.Charge(path, QDir::currentPath(), locked)) {
        err() << set.errorMessage() << " : " << QDir::toNativeSeparators(path) << '\n';
        return 2;
    }
    out() << "Jeu de fichiers : " << QDir::toNativeSeparators(set.clientFile()) << '\n';

    bool needed = false;
    for (Table t : kAllTables) {
        // Compaction happens at every save; counted here so that the report
        // says what the save will drop.
        const int leading = tableInfo(t).markerWidth > 0 ? passes::squeeze(set.table(t)) : 0;
        needed |= report(set, t, leading);
    }
    for (const QString &m : set.messages())
        out() << QString(m).replace(QStringLiteral("\r\n"), QStringLiteral(" ")) << '\n';

    if (!needed) {
        out() << "Rien à réparer.\n";
        return 0;
    }
    if (!repair) {
        out() << "Une réparation est nécessaire : carvelle-tool repair "
              << QDir::toNativeSeparators(path) << '\n';
        return 1;
    }
    set.SetSauve();
    if (!set.Sauve(set.clientFile())) {
        err() << set.errorMessage() << '\n' << "Rien n'a été modifié sur le disque.\n";
        return 2;
    }
    out() << "Jeu de fichiers réparé et enregistré ; l'ancienne version de chaque fichier est "
             "gardée en .bak.\n";
    return 1;
}
