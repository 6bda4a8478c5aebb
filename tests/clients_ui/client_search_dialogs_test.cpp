// The phone search box and the guest picker: what they let through and that
// their Result is what was chosen. No dialog is run modally.

#include "clients/ui/client_search_dialogs.h"
#include "widget_lookup.h"

#include <QLineEdit>
#include <QListWidget>

TEST(ClientSearchDialogs, ThePhoneKeepsItsLayoutAndTheGuestPickerGivesTheCodeChosen)
{
    TRechTel phone;
    phone.Init();
    QTest::keyClicks(phone.findChild<QLineEdit *>("text"), "01 43.x-2");
    click(phone, "OK");
    EXPECT_EQ(phone.Result(), "01 43.-2"); // a dash lays a number out too

    TListeCli picker;
    picker.Init({"10001 Martin (Ch   101)", "10003 Durand (Ch 7)"});
    click(picker, "OK");
    EXPECT_EQ(picker.Result(), ""); // nothing chosen
    picker.findChild<QListWidget *>()->setCurrentRow(1);
    click(picker, "OK");
    EXPECT_EQ(picker.Result(), "10003");
}
