#include "shell_ui/clean_set.h"
#include "store/table_helpers.h"
#include "tools/ui/blocnotes_window.h"
#include "tools/ui/messages_window.h"
#include "tools/ui/texte_window.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>

#include <gtest/gtest.h>

namespace {

// What the person types in the pad's "Pour" field before closing it.
std::function<int(QDialog &)> noting(const QString &text, bool *shown = nullptr)
{
    return [text, shown](QDialog &d) {
        auto *pad = qobject_cast<TFicheMsg *>(&d);
        if (!pad)
            return int(QDialog::Rejected);
        if (shown)
            *shown = true;
        pad->button(QStringLiteral("+"))->click();
        QTest::keyClicks(pad->field(0), text);
        pad->flag(4)->click();
        return int(QDialog::Accepted);
    };
}

TEST(WritingCommands, MessagesBesideTheSetNeverWrittenReadOnlyNotesInTheStartupFolder)
{
    CleanSet h;
    ASSERT_TRUE(h.open());
    const QString oms = h.path("LION.oms");
    bool shown = false;
    h.answer = noting(QStringLiteral("Mme Roux"), &shown);
    h.form.run(Cmd::Messages);
    ASSERT_TRUE(shown);
    EXPECT_EQ(readFile(oms), QByteArray(" \r\nMme Roux\t\t\t\t\t\t\tFFFFT\r\n"));

    h.form.fiche().setReadOnly(true);
    h.answer = noting(QStringLiteral("perdu"));
    h.form.run(Cmd::Messages);
    EXPECT_EQ(readFile(oms), QByteArray(" \r\nMme Roux\t\t\t\t\t\t\tFFFFT\r\n"));

    // The notepad keeps its text in the folder the program started from.
    const QString before = QDir::currentPath();
    QDir::setCurrent(h.dir.path());
    h.answer = [](QDialog &d) {
        if (auto *notes = qobject_cast<TBlocnotes *>(&d))
            notes->editor()->insertPlainText(QStringLiteral("Réveil 7 h"));
        return int(QDialog::Accepted);
    };
    h.form.run(Cmd::BlocNotes);
    EXPECT_EQ(readFile(h.path("Tolvenar.nte")), QByteArray("R\xe9veil 7 h\r\n"));
    QDir::setCurrent(before);
}

} // namespace

// The letter editor takes the keys of every editor: Ctrl+O opens, Ctrl+S
// saves, each through its dialog.
TEST(LetterEditor, CtrlOAndCtrlSOpenAndSave)
{
    ScriptedUi ui;
    int opens = 0, saves = 0;
    TTexte texte(ui, nullptr,
                 Letter::Files{[&] {
                                   ++opens;
                                   return QString();
                               },
                               [&](const QString &) {
                                   ++saves;
                                   return QString();
                               }});
    texte.show();
    QApplication::setActiveWindow(&texte);
    ui.yesNoCancel = {Ui::Answer::No}; // whatever the letter holds
    QTest::keyClick(texte.editor(), Qt::Key_O, Qt::ControlModifier);
    QTest::keyClick(texte.editor(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(opens, 1);
    EXPECT_EQ(saves, 1);
}
