// The journal and chart of accounts commands of the main window: the
// journal window lists the period, exports it as text or FEC and prints it;
// the accounts dialog puts a field in shape when it is left.
#include "shell/ui/fiche_widget.h"
#include "shell_ui/clean_set.h"
#include "stats/ui/accounts_dialog.h"
#include "stats/ui/journal_window.h"
#include "print/print_job.h"

#include <QAction>
#include <QApplication>
#include <QDateEdit>
#include <QFileDialog>
#include <QFileInfo>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QToolBar>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

QStringList rowsOf(const TJournal &w)
{
    const QAbstractItemModel *m = w.grid()->model();
    QStringList rows;
    for (int r = 0; r < m->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < m->columnCount(); ++c)
            cells << m->index(r, c).data().toString().trimmed();
        rows << cells.join('|');
    }
    return rows;
}

QByteArray contents(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(absent)");
}

} // namespace

// The clean LION set holds one validated invoice of 340,00 (VAT code 1,
// 05/12/2026) and one validated order of 10 x 2,00 without tax (code 2,
// 02/12/2026).
TEST(JournalWindow, ListsThePeriodExportsTextAndFecPrintsAndEditsTheAccounts)
{
    CleanSet h;
    PdfOnly printUi;
    printUi.path = h.path(u"journal.pdf"_s);
    h.form.setPrintUi(printUi);
    ASSERT_TRUE(h.open());
    h.form.fiche().settings().vatRates = {5.5, 10, 20};
    h.form.fiche().company().lines[4] = u"552 100 554 00025"_s;

    QStringList all, december2;
    QDate from, to;
    QByteArray text, fec, emptied;
    QString exportFile;
    bool fecFilter = false;
    h.answer = [&](QDialog &d) {
        if (auto *files = qobject_cast<QFileDialog *>(&d)) {
            if (fecFilter) {
                // The FEC's proposed name lands in the test's own folder.
                files->setDirectory(QFileInfo(h.path(u"journal.txt"_s)).absolutePath());
                files->selectNameFilter(TJournal::kFecFilter);
                emit files->filterSelected(TJournal::kFecFilter);
                exportFile = files->selectedFiles().value(0);
            } else {
                files->selectNameFilter(TJournal::kTextFilter);
                files->selectFile(exportFile);
            }
            return int(QDialog::Accepted);
        }
        auto *w = qobject_cast<TJournal *>(&d);
        EXPECT_NE(w, nullptr);
        if (!w)
            return 0;
        all = rowsOf(*w);
        from = w->from()->date();
        to = w->to()->date();
        QAction *exporter = w->toolBar()->findChild<QAction *>(u"export"_s);
        fecFilter = true;
        exporter->trigger();
        fec = contents(exportFile);
        fecFilter = false;
        exportFile = h.path(u"journal.txt"_s);
        exporter->trigger();
        text = contents(exportFile);

        w->from()->setDate(QDate(2026, 12, 2));
        w->to()->setDate(QDate(2026, 12, 2));
        w->findChild<QPushButton *>(u"ok"_s)->click();
        december2 = rowsOf(*w);
        h.ui.okCancel = {true};
        w->toolBar()->findChild<QAction *>(u"print"_s)->trigger();
        w->from()->setDate(QDate(2026, 12, 3));
        w->findChild<QPushButton *>(u"ok"_s)->click();
        exporter->trigger();
        emptied = contents(exportFile);
        return 0;
    };
    h.form.run(Cmd::Journal);
    EXPECT_EQ(from, QDate(2026, 12, 2));
    EXPECT_EQ(to, QDate(2026, 12, 5));
    // The order, the main courante's "Divers" and the invoice: what the
    // journal's entries give, in its order.
    ASSERT_EQ(all.size(), 8);
    EXPECT_EQ(all[3], u"4|BQ|02/12/2026|512000|Main courante du 02/12/2026|4,00|"_s);
    EXPECT_EQ(all[7], u"8|VE|05/12/2026|445710|Facture 202612001 TVA 5,5 %||17,73"_s);
    EXPECT_EQ(december2, all.mid(0, 5));
    EXPECT_TRUE(exportFile.endsWith(u"journal.txt"_s));
    EXPECT_TRUE(
        text.startsWith("02/12/2026\t607000\tCommande 202612001 HT 10 %\tAC\t\t20,00\t\r\n"));
    EXPECT_EQ(text.count("\r\n"), 8);
    EXPECT_TRUE(emptied.isEmpty());
    const QList<QByteArray> fecLines = fec.split('\n');
    ASSERT_EQ(fecLines.size(), 10);
    EXPECT_TRUE(
        fecLines[4].startsWith("BQ\tBanque\t2\t20261202\t512000\tBanque\t\t\tMC20261202\t"));
    EXPECT_TRUE(fecLines[3].startsWith("AC\tAchats\t1\t20261202\t401000\tFournisseurs\t0001\tBrasserie du Port\t"));
    EXPECT_TRUE(QFile::exists(printUi.path));

    // The accounts dialog: leaving a field completes it, OK stores every account.
    Accounts &accounts = h.form.fiche().settings().accounts;
    accounts = {};
    accounts[8] = u"9"_s;
    QStringList shown;
    h.answer = [&](QDialog &d) {
        auto *dialog = qobject_cast<TCompte *>(&d);
        EXPECT_NE(dialog, nullptr);
        for (int i = 0; i < account::Edited; ++i)
            shown << dialog->field(i)->text();
        auto leave = [&](int i, const QString &typed) {
            dialog->field(i)->setText(typed);
            QFocusEvent out(QEvent::FocusOut);
            QApplication::sendEvent(dialog->field(i), &out);
            return dialog->field(i)->text();
        };
        EXPECT_EQ(leave(0, u"4111"_s), u"411100"_s);
        EXPECT_EQ(leave(2, u""_s), u""_s);
        return int(QDialog::Accepted);
    };
    h.form.run(Cmd::PlanComptable);
    EXPECT_EQ(shown, QStringList({u"411000"_s, u"706000"_s, u"401000"_s, u"445710"_s, u"447100"_s,
                                  u"445660"_s, u"607000"_s}));
    // An emptied account is its default's; the cash account is put in shape
    // like the others.
    QStringList stored;
    for (int i : std::initializer_list<int>{0, 2, 6, account::Caisse})
        stored << accounts[std::size_t(i)];
    EXPECT_EQ(stored, QStringList({u"411100"_s, u""_s, u"607000"_s, u"900000"_s}));
}

TEST(JournalWindow, FecNamedFromTheSiretRefusedUnbalancedAndPrintTitle)
{
    TJournal w;
    TJournal::Journal j;
    JournalLine l;
    l.date = QDate(2026, 3, 1);
    l.code = u"VE"_s;
    l.debit = 100;
    l.entry = 1;
    j.lines = {l}; // unbalanced: no file
    j.company.lines[4] = u"552100554 00025"_s;
    QString proposed;
    QStringList told;
    const QString path = QDir::temp().filePath(u"carvelle-journal-unbalanced.txt"_s);
    QFile::remove(path);
    TStats::Actions actions;
    actions.showDialog = [&](QDialog &d) {
        auto *files = qobject_cast<QFileDialog *>(&d);
        EXPECT_NE(files, nullptr);
        files->selectNameFilter(TJournal::kFecFilter);
        emit files->filterSelected(TJournal::kFecFilter);
        proposed = QFileInfo(files->selectedFiles().value(0)).fileName();
        files->selectFile(path);
        return int(QDialog::Accepted);
    };
    QString printed;
    QStringList firstPage;
    actions.print = [&](const PrintJob &job) {
        printed = job.title;
        for (const PrintItem &item : job.layout(a4Metrics(300, false), {}).pages().value(0))
            if (item.kind == PrintItem::Kind::Text)
                firstPage << item.text;
        return true;
    };
    actions.today = QDate(2026, 12, 6);
    j.company.lines[0] = u"Hôtel du Lion"_s;
    w.Init(j, actions, [&](const QString &t) { told << t; });
    w.SpeedButton8Click();
    EXPECT_EQ(printed, u"Journal au 06/12/2026"_s);
    // Its title, the hotel, the page, the totals of the journal and the period.
    for (const QString &text : {u"Journal du 01/03/2026 au 01/03/2026"_s, u"Hôtel du Lion"_s,
                                u"Page 1/1"_s, u"Total Ventes (VE)"_s, u"Total de la période"_s})
        EXPECT_TRUE(firstPage.contains(text)) << qPrintable(text);
    w.SaveBtnClick();
    EXPECT_EQ(proposed, u"552100554FEC20260301.txt"_s);
    ASSERT_EQ(told.size(), 1);
    EXPECT_TRUE(told[0].contains(u"n'est pas équilibrée"_s));
    EXPECT_FALSE(QFile::exists(path));
}
