#include "gui_app.h"
#include "scripted_ui.h"
#include "store/table_helpers.h"
#include "tools/letter.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTextCursor>

#include <gtest/gtest.h>

#include <deque>

namespace {

class LetterTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { needGuiApplication(); }

    ScriptedUi ui;
    std::deque<QString> opens, saves;
    int openDialogs = 0, saveDialogs = 0;
    QTemporaryDir dir;
    Letter letter{ui, Letter::Files{[this] {
                                        ++openDialogs;
                                        return take(opens);
                                    },
                                    [this](const QString &) {
                                        ++saveDialogs;
                                        return take(saves);
                                    }}};

    static QString take(std::deque<QString> &q)
    {
        if (q.empty())
            return {};
        QString s = q.front();
        q.pop_front();
        return s;
    }
    void type(const QString &text)
    {
        QTextCursor c(&letter.document());
        c.movePosition(QTextCursor::End);
        c.insertText(text);
    }
    QString path(const char *name) const { return dir.filePath(QLatin1String(name)); }
    QString text() { return letter.document().toPlainText(); }
};

TEST_F(LetterTest, OpenAsksBeforeReplacingAnUnsavedLetter)
{
    ASSERT_TRUE(letter.writeTo(path("autre.rtf")));
    ASSERT_TRUE(letter.newLetter());
    type(QStringLiteral("brouillon"));

    // Cancel: no dialog, the letter stays.
    opens = {path("autre.rtf")};
    ui.yesNoCancel = {Ui::Answer::Cancel};
    EXPECT_FALSE(letter.open());
    EXPECT_EQ(ui.shown.last(), QStringLiteral("Enregistrer changements dans Sans titre ?"));
    EXPECT_EQ(openDialogs, 0);
    EXPECT_TRUE(text().endsWith(QStringLiteral("brouillon")));

    // Yes, then the save dialog cancelled: that is a Cancel too.
    ui.yesNoCancel = {Ui::Answer::Yes};
    EXPECT_FALSE(letter.open());
    EXPECT_EQ(saveDialogs, 1);
    EXPECT_EQ(openDialogs, 0);
    EXPECT_TRUE(letter.modified());
    EXPECT_TRUE(text().endsWith(QStringLiteral("brouillon")));

    // No: replaced.
    ui.yesNoCancel = {Ui::Answer::No};
    EXPECT_TRUE(letter.open());
    EXPECT_EQ(letter.fileName(), path("autre.rtf"));
    EXPECT_FALSE(text().contains(QStringLiteral("brouillon")));
    EXPECT_FALSE(letter.modified());
}

TEST_F(LetterTest, FailedSaveKeepsTheLetterAndTheWindow)
{
    type(QStringLiteral("important"));
    saves = {path("absent/lettre.rtf")};
    ui.yesNoCancel = {Ui::Answer::Yes};
    EXPECT_FALSE(letter.close());
    EXPECT_TRUE(letter.modified());
    EXPECT_TRUE(letter.fileName().isEmpty());
    EXPECT_TRUE(ui.shown.last().contains(QStringLiteral("lettre.rtf"))) << ui.shown.last().toStdString();

    // A letter marked read-only is not replaced.
    writeFile(path("gardee.rtf"), "{\\rtf1 gardée}");
    ASSERT_TRUE(QFile::setPermissions(path("gardee.rtf"), QFileDevice::ReadOwner));
    saves = {path("gardee.rtf")};
    ui.yesNoCancel = {Ui::Answer::Yes};
    EXPECT_FALSE(letter.close());
    EXPECT_TRUE(ui.shown.last().endsWith("Permission refusée (fichier en lecture seule)"))
        << ui.shown.last().toStdString();
    EXPECT_EQ(readFile(path("gardee.rtf")), "{\\rtf1 gardée}");

    // New letter after a failed save: the letter is not emptied.
    saves = {path("absent/lettre.rtf")};
    ui.yesNoCancel = {Ui::Answer::Yes};
    EXPECT_FALSE(letter.newLetter());
    EXPECT_TRUE(text().endsWith(QStringLiteral("important")));
}

} // namespace
