// The company and list dialogs: what reaches the model through their controls.

#include "cards/ui/list_dialog.h"
#include "shell/ui/company_dialog.h"

#include "typing.h"
#include "widget_lookup.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

void retype(QLineEdit *field, const QString &text)
{
    field->setFocus();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Delete);
    typeText(field, text);
}

Company sampleCompany()
{
    Company company;
    company.lines = {u"Hôtel du Lion"_s, u"3 rue Haute"_s, u""_s,     u"21000 Dijon"_s,
                     u"123 456 789"_s,   u"FR00123"_s,     u"5510Z"_s};
    return company;
}

} // namespace

TEST(CompanyDialog, OkGivesEachFieldToItsLineAndRefusesWhatTheFileCannotHold)
{
    Company company = sampleCompany();
    TPsoc dialog;
    dialog.Init(company);
    auto *town = dialog.findChild<QLineEdit *>(u"companyLine3"_s);
    ASSERT_TRUE(town);
    retype(town, u"21200 Beaune"_s);
    QTest::mouseClick(button<QPushButton>(&dialog, u"OK"_s), Qt::LeftButton);

    EXPECT_TRUE(dialog.apply(company));
    Company expected = sampleCompany();
    expected.lines[3] = u"21200 Beaune"_s;
    EXPECT_EQ(company.lines, expected.lines);

    // Characters the file cannot hold are refused.
    dialog.Init(Company{});
    auto *name = dialog.findChild<QLineEdit *>(u"companyLine0"_s);
    typeText(name, u"Café Ω €"_s);
    EXPECT_EQ(name->text(), u"Café  €"_s);
}

class ListDialog : public ::testing::Test
{
protected:
    void SetUp() override
    {
        dialog.Init({u"Simple"_s, u"Double"_s, u"Suite"_s}, kCategoriesEditor);
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
        entry = dialog.findChild<QLineEdit *>(u"entry"_s);
        list = dialog.findChild<QListWidget *>(u"entries"_s);
        ASSERT_TRUE(entry && list);
    }

    void clickEntry(int row)
    {
        const QRect rect = list->visualItemRect(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    }

    TListe dialog;
    QLineEdit *entry = nullptr;
    QListWidget *list = nullptr;
};

TEST_F(ListDialog, ClickThenEnterReplacesTheEntryAndDeleteInTheListRemovesIt)
{
    clickEntry(1);
    EXPECT_EQ(entry->text(), u"Double"_s);
    retype(entry, u"Double luxe"_s);
    QTest::keyClick(entry, Qt::Key_Return);

    EXPECT_EQ(dialog.Result(), (QStringList{u"Simple"_s, u"Double luxe"_s, u"Suite"_s}));
    EXPECT_TRUE(entry->text().isEmpty());
    EXPECT_EQ(list->currentRow(), -1);
    // The dialog stays open: Enter validates the field, not the window.
    EXPECT_TRUE(dialog.isVisible());

    // Delete in the list removes the selected entry only. (Focusing the list
    // of an active window makes its first entry current, so the key goes
    // straight to the list here.)
    QTest::keyClick(list, Qt::Key_Delete); // nothing selected
    EXPECT_EQ(dialog.Result().size(), 3);
    clickEntry(0);
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Delete);
    EXPECT_EQ(dialog.Result(), (QStringList{u"Double luxe"_s, u"Suite"_s}));
    EXPECT_TRUE(entry->text().isEmpty());
    EXPECT_EQ(list->count(), 2);

    // Delete in the entry field edits the text, it removes nothing.
    clickEntry(1);
    entry->setFocus();
    entry->setCursorPosition(0);
    QTest::keyClick(entry, Qt::Key_Delete);
    EXPECT_EQ(entry->text(), u"uite"_s);
    EXPECT_EQ(dialog.Result(), (QStringList{u"Double luxe"_s, u"Suite"_s}));
}
