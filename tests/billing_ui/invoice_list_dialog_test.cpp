#include "billing/ui/invoice_list_dialog.h"

#include "store/table_helpers.h"
#include "widget_lookup.h"

#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

QStringList block(int n)
{
    const QString num = RecordTable::numberText(n, 5) + ">";
    return {"<BLOC" + num, "NUMF" + QString::number(n), "</BLOC" + num};
}

TEST(InvoiceListDialog, ArrowsReorderAndEveryWayOutGivesTheSelectedBlock)
{
    const RecordTable t = tableOf(block(0) + block(3) + block(5));
    InvoiceList rows(t);
    TFListeFactures dialog;
    dialog.Init(rows);
    QTableView *view = dialog.view();
    auto select = [view](int row) { view->setCurrentIndex(view->model()->index(row, 1)); };

    select(1);
    dialog.downButton()->click();
    EXPECT_EQ(QStringList({cell(&dialog, 1, 1), cell(&dialog, 2, 1)}), (QStringList{"5", "3"}));
    EXPECT_EQ(view->currentIndex().row(), 2);

    // "Fermer" keeps the selection: the entry's block, not its place.
    button<QPushButton>(&dialog, "Fermer")->click();
    EXPECT_EQ(dialog.chosen(), 3);
    dialog.Init(rows);
    select(1);
    QTest::keyClick(view, Qt::Key_Return);
    EXPECT_EQ(dialog.chosen(), 5);
    dialog.Init(rows);
    dialog.show();
    QTest::keyClick(view, Qt::Key_Escape);
    EXPECT_EQ(dialog.chosen(), -1);
}

} // namespace
