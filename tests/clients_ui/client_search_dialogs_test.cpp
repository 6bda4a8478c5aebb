// The client search dialogs, the sort key and the guest picker: what they
// let through and that their Result is what was chosen. No dialog is run
// modally.

#include "clients/ui/client_search_dialogs.h"
#include "widget_lookup.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
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
