// The main courante page in the main window: the day and its moves, the
// entry row and its keys, the Delete key on the sheet, the totals under it,
// printing and the export of the day sheet.
#include "billing/ui/main_courante_page_widget.h"
#include "shell/ui/fiche_widget.h"
#include "shell_ui/clean_set.h"
#include "store/table_helpers.h"
#include "widget_lookup.h"
#include "xlsx_reader.h"

#include <QDateEdit>
#include <QFileDialog>
#include <QLineEdit>
#include <QTableView>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// The clean LION set: rooms 12 (block 0) and 7 (block 1); on 02/12/2026
// room 12 holds DUPONT Jean for one night and room 7 "Divers" 4,00.
struct Page
{
    CleanSet h;
    TMainCourantePage *widget = nullptr;

    Page()
    {
        EXPECT_TRUE(h.open());
        h.form.show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&h.form));
        h.form.run(Cmd::MainCourante);
        widget = qobject_cast<TMainCourantePage *>(
            h.form.recordWindow()->pageWidget(PageId::MainCourante));
        EXPECT_NE(widget, nullptr);
        day()->setDate(QDate(2026, 12, 2));
    }
    QDateEdit *day() const { return named<QDateEdit>(widget, u"day"_s); }
    QLineEdit *field(int column) const { return named<QLineEdit>(widget, u"entry%1"_s.arg(column)); }
    QString sheet(int row, int column) const { return cell(widget, row, column); }
    // A row of the sheet, or the totals' row (-1), its cells joined by '|'.
    QString row(int r) const
    {
        QAbstractItemModel *m =
            named<QTableView>(widget, r < 0 ? u"totals"_s : u"sheet"_s)->model();
        QStringList cells;
        for (int c = 0; c < m->columnCount(); ++c)
            cells << m->data(m->index(std::max(r, 0), c)).toString();
        return cells.join('|');
    }
};

TEST(MainCourantePage, MovesFromDayToDayAndTheEntryRowPostsOnEnter)
{
    Page p;
    EXPECT_EQ(QStringList({p.row(0), p.row(1), p.row(-1)}),
              QStringList({u"12|DUPONT Jean|1|||||"_s, u"7||0||||4,00|"_s,
                           u"Total||1|0,00|0,00|0,00|4,00|0,00"_s}));
    EXPECT_FALSE(p.h.form.action(Cmd::MainCourante)->isEnabled());

    p.h.form.run(Cmd::Suivant);
    EXPECT_EQ(p.day()->date(), QDate(2026, 12, 3));
    EXPECT_EQ(p.sheet(0, 1), QString());
    button<QToolButton>(p.widget, u"Jour précédent"_s)->click();
    EXPECT_EQ(p.sheet(0, 1), u"DUPONT Jean"_s);

    // The entry row posts on Enter and tells what is wrong. Leaving the room fills in its occupant (the room found whatever its blanks).
    p.field(0)->setFocus();
    QTest::keyClicks(p.field(0), u" 12"_s);
    QTest::keyClick(p.field(0), Qt::Key_Tab);
    EXPECT_EQ(p.field(1)->text(), u"DUPONT Jean"_s);
    QTest::keyClicks(p.field(3), u"80.5"_s);
    QTest::keyClicks(p.field(5), u"x"_s);
    QTest::keyClick(p.field(5), Qt::Key_Return);
    EXPECT_EQ(p.h.ui.shown.last(), u"CB : 'x' n'est pas une valeur en virgule flottante correcte"_s);
    EXPECT_TRUE(p.field(5)->hasFocus());
    EXPECT_EQ(p.sheet(0, 3), QString());
    EXPECT_EQ(p.field(3)->text(), u"80,5"_s);

    // Posted once the room is typed as the sheet shows it.
    p.field(5)->clear();
    p.field(0)->setText(u"12"_s);
    QTest::keyClick(p.field(5), Qt::Key_Return);
    EXPECT_EQ(p.sheet(0, 3) + "/" + p.row(-1).section('|', 3, 3), u"80,50/80,50"_s);
    EXPECT_EQ(p.field(3)->text(), QString());
    EXPECT_TRUE(p.field(0)->hasFocus());

    // A row clicked comes into the entry row; Delete on the sheet clears it.
    QTableView *sheet = named<QTableView>(p.widget, u"sheet"_s);
    const QModelIndex seven = sheet->model()->index(1, 0);
    QTest::mouseClick(sheet->viewport(), Qt::LeftButton, {}, sheet->visualRect(seven).center());
    EXPECT_EQ(p.field(0)->text(), u"7"_s);
    EXPECT_EQ(p.field(6)->text(), u"4,00"_s);
    sheet->setFocus();
    QTest::keyClick(sheet, Qt::Key_Delete);
    EXPECT_EQ(p.row(1) + "/" + p.row(-1).section('|', 6, 6), u"7|||||||/0,00"_s);
}

TEST(MainCourantePage, PrintsAndExportsTheDayShown)
{
    Page p;
    PdfOnly printUi;
    printUi.path = p.h.path(u"journee.pdf"_s);
    p.h.form.setPrintUi(printUi);
    // From another page, the print menu shows the sheet it prints.
    p.h.form.run(Cmd::Clients);
    p.h.ui.okCancel = {true};
    p.h.form.run(Cmd::ImprimerMainCourante);
    EXPECT_EQ(p.h.form.recordWindow()->shownPage(), PageId::MainCourante);
    ASSERT_TRUE(QFile::exists(printUi.path));
    const QString printed = pdfText(printUi.path);
    EXPECT_TRUE(printed.contains(u"Main courante du 02/12/2026"_s)) << qPrintable(printed);
    EXPECT_TRUE(printed.contains(u"DUPONT Jean"_s));

    const QString exported = p.h.path(u"jour"_s);
    // The ".csv" in Windows-1252, then the workbook (the first filter).
    int filter = 2;
    p.h.answer = [&](QDialog &d) {
        auto *files = qobject_cast<QFileDialog *>(&d);
        EXPECT_NE(files, nullptr);
        if (!files)
            return 0;
        files->selectNameFilter(files->nameFilters().value(filter));
        files->selectFile(exported);
        return int(QDialog::Accepted);
    };
    p.h.form.run(Cmd::Exporter);
    EXPECT_EQ(p.h.form.recordWindow()->shownPage(), PageId::MainCourante);
    EXPECT_EQ(readFile(exported + u".csv"_s),
              QByteArray("Date;N\xb0 Ch;Nom;Nuits;Esp\xe8""ces;Ch\xe8ques;CB;Divers;D\xe9penses\r\n"
                         "02/12/2026;12;DUPONT Jean;1;;;;;\r\n"
                         "02/12/2026;7;;0;;;;4,00;\r\n"));
    filter = 0;
    p.h.form.run(Cmd::Exporter);
    const XlsxSheet sheet = readXlsx(exported + u".xlsx"_s);
    ASSERT_EQ(sheet.rows.size(), 3);
    EXPECT_EQ(std::tuple(sheet.rows[1][0].kind, sheet.rows[2][1].kind, sheet.rows[2][7].kind),
              std::tuple(XlsxCell::Date, XlsxCell::Text, XlsxCell::Number));
    EXPECT_EQ(sheet.rows[1][0].date(), QDate(2026, 12, 2));
    EXPECT_EQ(sheet.rows[2][7].number, 4);
}

} // namespace
