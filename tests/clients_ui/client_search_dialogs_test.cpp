// The client search dialogs, the sort key, the guest picker and the client
// list: what they let through and that their Result is what was chosen.
// No dialog is run modally.

#include "clients/clients_fixture.h"
#include "clients/ui/client_list_dialog.h"
#include "clients/ui/client_search_dialogs.h"
#include "widget_lookup.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>

TEST(ClientSearchDialogs, FieldsFilterTheirKeysSortKeyAndGuestPicker)
{
    TRechNum code;
    code.Init();
    code.show(); // Enter reaches only a default button on screen
    auto *field = code.findChild<QLineEdit *>("text");
    QTest::keyClicks(field, "1a2 .3");
    EXPECT_EQ(field->text(), "123");
    QTest::keyClick(field, Qt::Key_Backspace);
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(code.Result(), "12");

    TRechTel phone;
    phone.Init();
    QTest::keyClicks(phone.findChild<QLineEdit *>("text"), "01 43.x-2");
    click(phone, "OK");
    EXPECT_EQ(phone.Result(), "01 43.-2"); // a dash lays a number out too

    TTri sort;
    click(sort, "OK");
    EXPECT_EQ(sort.Result(), SortKey::Code);
    TListeCli picker;
    picker.Init({"10001 Martin (Ch   101)", "10003 Durand (Ch 7)"});
    click(picker, "OK");
    EXPECT_EQ(picker.Result(), ""); // nothing chosen
    auto *list = picker.findChild<QListWidget *>();
    list->setCurrentRow(1);
    click(picker, "OK");
    EXPECT_EQ(picker.Result(), "10003");
}

TEST(ClientListWindow, ShowsTheTableAndEnterGivesTheRowsBlock)
{
    QStringList lines;
    for (int n : {2, 0, 1})
        lines += clientBlock(
            n, {.code = QString::number(10001 + n), .name = "Client " + QString::number(n)});
    ClientTable c(lines);
    TFListe window;
    window.Init(*Liste(c.page));
    auto *view = window.findChild<QTableView *>();
    QAbstractItemModel *model = view->model();
    ASSERT_EQ(model->rowCount(), 3);
    EXPECT_TRUE(view->isColumnHidden(ClientList::Block));
    EXPECT_EQ(model->index(0, ClientList::Name).data().toString(), "Client 2");
    EXPECT_EQ(model->index(2, ClientList::Ordinal).data().toString(), "3");

    view->setCurrentIndex(model->index(1, ClientList::Name));
    QTest::keyClick(view, Qt::Key_Return);
    EXPECT_EQ(window.Result(), 0);
    showClient(c.page, window.Result());
    EXPECT_EQ(c.page.card().name, "Client 0");

    TFListe closed;
    closed.Init(*Liste(c.page));
    click(closed, "Fermer");
    EXPECT_EQ(closed.Result(), -1);
}
