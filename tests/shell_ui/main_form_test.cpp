// The main window: its file commands answer through the scripted message
// boxes, F1 opens the help, and the record window's keys work from inside a
// card's fields.
#include "clean_set.h"
#include "shell/ui/fiche_widget.h"
#include "shell/ui/help_window.h"
#include "store/table_helpers.h"
#include "typing.h"
#include "widget_lookup.h"

#include "clients/ui/client_page_widget.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QLockFile>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextEdit>

#include <gtest/gtest.h>

namespace {

// The clean LION set; its client card's name field.
struct Program : CleanSet
{
    QLineEdit *nameField() const
    {
        return named<QLineEdit>(form.recordWindow()->clientPage(), QStringLiteral("Nom Prénom"));
    }
};

} // namespace

TEST(MainForm, RecordKeysWorkFromTheFieldsOfACard)
{
    Program p;
    ASSERT_TRUE(p.open());
    p.form.run(Cmd::Clients);
    QLineEdit *name = p.nameField();
    ASSERT_NE(name, nullptr);

    // A client typed in the card reaches the table on Page Down.
    QTest::keyClick(name, Qt::Key_A, Qt::ControlModifier);
    typeText(name, "MARTIN Paul");
    QTest::keyClick(name, Qt::Key_PageDown);
    const FileSet &set = p.form.fiche().set();
    EXPECT_EQ(set.position(Table::Clients), 1);
    EXPECT_TRUE(set.table(Table::Clients).block(0).contains("MARTIN Paul"));
    EXPECT_NE(name->text(), "MARTIN Paul");

    QTest::keyClick(name, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(set.position(Table::Clients), 2);
    // Home without Ctrl stays the field's own.
    QTest::keyClick(name, Qt::Key_Home);
    EXPECT_EQ(set.position(Table::Clients), 2);
    QTest::keyClick(name, Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(set.position(Table::Clients), 0);
    EXPECT_EQ(name->text(), "MARTIN Paul");

    // In the card's notes Ctrl+End goes to the end of the text, not to the
    // last card.
    auto *notes = p.form.recordWindow()->clientPage()->findChild<QPlainTextEdit *>();
    auto *richNotes = p.form.recordWindow()->clientPage()->findChild<QTextEdit *>();
    QWidget *memo = notes ? static_cast<QWidget *>(notes) : richNotes;
    ASSERT_NE(memo, nullptr);
    QTest::keyClick(memo, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(set.position(Table::Clients), 0);
}

// F1 opens the help on the page shown.
TEST(MainForm, F1OpensTheHelpOnThePageShown)
{
    Program p;
    ASSERT_TRUE(p.open());
    struct Case
    {
        Cmd page;
        const char *help;
    };
    for (const Case &c : {Case{Cmd::Clients, "qrc:/help/clients.html"},
                          Case{Cmd::Factures, "qrc:/help/factures.html"},
                          Case{Cmd::Fournisseurs, "qrc:/help/achats.html#fournisseurs"}}) {
        p.form.run(c.page);
        p.form.activateWindow();
        QApplication::setActiveWindow(&p.form);
        QTest::keyClick(p.nameField() && c.page == Cmd::Clients
                            ? static_cast<QWidget *>(p.nameField())
                            : p.form.recordWindow(),
                        Qt::Key_F1);
        THelp *help = p.form.findChild<THelp *>();
        ASSERT_NE(help, nullptr);
        EXPECT_EQ(help->page(), QUrl(c.help));
        help->close();
    }
}

// F1 in a dialog opens the help on that dialog, in a window of its own that
// the dialog does not block.
TEST(MainForm, F1InADialogOpensItsOwnHelp)
{
    Program p;
    ASSERT_TRUE(p.open());
    QUrl shown;
    p.answer = [&](QDialog &d) {
        d.setModal(true); // as it runs
        QTest::keyClick(&d, Qt::Key_F1);
        if (auto *help = d.findChild<THelp *>())
            shown = help->page();
        return int(QDialog::Rejected);
    };
    p.form.run(Cmd::EtatTaxeSejour);
    EXPECT_EQ(shown, QUrl("qrc:/help/outils.html#taxe-sejour"));
}

// Ctrl+S writes the set under its name; a set another program holds says
// "lecture seule" from the moment it opens.
TEST(MainForm, CtrlSSavesAndReadOnlyShowsFromTheStart)
{
    Program p;
    ASSERT_TRUE(p.open());
    p.form.show();
    p.form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&p.form));
    p.form.run(Cmd::Clients);
    p.nameField()->setText("RAPIDE");
    QTest::keyClick(p.nameField(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(p.ui.saveDialogs, 0);
    EXPECT_TRUE(readFile(p.path("LION.htl")).contains("RAPIDE"));

    Program second;
    writeFile(second.path("LION.htl"), readFile(p.path("LION.htl")));
    QLockFile held(second.path("LION.htl.lck"));
    ASSERT_TRUE(held.tryLock(0));
    second.ui.okCancel = {true};
    ASSERT_TRUE(second.open());
    EXPECT_EQ(second.form.windowTitle(), "Carvelle - [LION.htl] (lecture seule)");
    auto *panel = second.form.findChild<QLabel *>(QStringLiteral("readOnly"));
    ASSERT_NE(panel, nullptr);
    EXPECT_FALSE(panel->isHidden());
    EXPECT_EQ(panel->text(), "Lecture seule : ouvert par un autre programme Carvelle");

    // Ctrl+F asks for a name on the client page, whatever page is shown.
    second.form.show();
    second.form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&second.form));
    second.form.run(Cmd::Planning);
    int asked = 0;
    second.answer = [&](QDialog &d) {
        ++asked;
        return d.result();
    };
    QTest::keyClick(second.form.recordWindow(), Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(second.form.recordWindow()->shownPage(), PageId::Clients);
}

// "Paramètres › Sauvegarde...": what the dialog says reaches the settings
// kept beside the settings file, and the status bar.
TEST(MainForm, TheBackupDialogReachesItsSettingsAndTheStatusBar)
{
    Program p;
    auto *panel = p.form.findChild<QLabel *>(QStringLiteral("lastBackup"));
    ASSERT_NE(panel, nullptr);
    EXPECT_TRUE(panel->isHidden());
    p.answer = [&](QDialog &d) {
        named<QCheckBox>(&d, QStringLiteral("backupOn"))->setChecked(true);
        named<QLineEdit>(&d, QStringLiteral("backupFolder"))->setText(p.path("cle"));
        d.accept();
        return d.result();
    };
    p.form.run(Cmd::Sauvegarde);
    const backup::Settings kept = backup::loadSettings(p.dir.path());
    EXPECT_TRUE(kept.on);
    EXPECT_EQ(kept.folder, p.path("cle"));
    EXPECT_FALSE(panel->isHidden());
    EXPECT_EQ(panel->text(), "Aucune sauvegarde");
}
