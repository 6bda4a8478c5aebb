#include "store/file_set.h"
#include "table_helpers.h"
#include "tool_run.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QString kSets = QStringLiteral(CARVELLE_TEST_DATA "/sets");

QStringList setNames()
{
    return QDir(kSets).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
}

// The set's files in a fresh folder.
void copySet(const QString &from, const QString &to)
{
    for (const QString &f : QDir(from).entryList(QDir::Files))
        ASSERT_TRUE(QFile::copy(from + '/' + f, to + '/' + f));
}

QMap<QString, QByteArray> filesIn(const QString &dir)
{
    QMap<QString, QByteArray> out;
    for (const QString &f : QDir(dir).entryList(QDir::Files))
        if (!f.endsWith(".bak"))
            out[f] = readFile(dir + '/' + f);
    return out;
}

QString expectedDir(const QString &name)
{
    const QString e = kSets + '/' + name + "/expected";
    return QDir(e).exists() ? e : kSets + '/' + name;
}

} // namespace

// Every fixture set, opened and saved: a sound set comes back byte for byte,
// a damaged one exactly as its repair must leave it. The tool checks it
// without touching it and repairs only what needs it.
TEST(FixtureSets, OpenAndSaveAndTheToolGiveTheExpectedFiles)
{
    ASSERT_GE(setNames().size(), 10);
    for (const QString &name : setNames()) {
        SCOPED_TRACE(name.toStdString());
        QTemporaryDir saved, dir;
        copySet(kSets + '/' + name, saved.path());
        FileSet set;
        ASSERT_TRUE(set.Charge(saved.filePath("LION.htl"), saved.path()));
        set.SetSauve();
        ASSERT_TRUE(set.Sauve(set.clientFile())) << qPrintable(set.errorMessage());
        EXPECT_EQ(filesIn(saved.path()), filesIn(expectedDir(name)));

        const bool damaged = QDir(kSets + '/' + name + "/expected").exists() &&
                             name != "cr-lf-endings" && name != "missing-files";
        copySet(kSets + '/' + name, dir.path());
        const auto before = filesIn(dir.path());
        QString output;
        auto tool = [&](const char *command) {
            return runTool(dir.path(), {command, dir.filePath("LION.htl")}, &output);
        };
        EXPECT_EQ(tool("check"), damaged ? 1 : 0) << qPrintable(output);
        EXPECT_EQ(filesIn(dir.path()), before);
        EXPECT_EQ(tool("repair"), damaged ? 1 : 0) << qPrintable(output);
        if (damaged) {
            EXPECT_EQ(filesIn(dir.path()), filesIn(expectedDir(name)));
            EXPECT_TRUE(QFile::exists(dir.filePath("LION.htl.bak")));
            // The repaired set needs nothing more.
            EXPECT_EQ(tool("check"), 0) << qPrintable(output);
            EXPECT_TRUE(output.contains("Rien à réparer."));
        } else {
            EXPECT_EQ(filesIn(dir.path()), before); // a sound set is not touched
        }
    }
}

TEST(FixtureSets, ToolReportsInFrench)
{
    QTemporaryDir dir;
    copySet(kSets + "/missing-start-marker", dir.path());
    QString output;
    EXPECT_EQ(runTool(dir.path(), {"check", dir.filePath("LION.htl")}, &output), 1);
    EXPECT_TRUE(output.contains("clients")) << qPrintable(output);
    EXPECT_TRUE(output.contains("1 marqueur de début ajouté")) << qPrintable(output);
    EXPECT_EQ(runTool(dir.path(), {"check", dir.filePath("ABSENT.htl")}, &output), 2);
    EXPECT_TRUE(output.startsWith("Le fichier n'existe pas")) << qPrintable(output);
    writeFile(dir.filePath("NOTES.htl"), "Courses\r\n");
    EXPECT_EQ(runTool(dir.path(), {"repair", dir.filePath("NOTES.htl")}, &output), 2);
    EXPECT_TRUE(output.startsWith("Le fichier NOTES.htl n'est pas un fichier hôtel Carvelle")) << qPrintable(output);
    EXPECT_EQ(readFile(dir.filePath("NOTES.htl")), "Courses\r\n");
    EXPECT_FALSE(QFile::exists(dir.filePath("NOTES.htl.lck")));
    EXPECT_EQ(runTool(dir.path(), {"verifier"}, &output), 2);
    EXPECT_TRUE(output.contains("Usage")) << qPrintable(output);
}

// The day at a glance without the window: the clean set's three guests of
// room 12, from the 1st to the 5th of December 2026.
TEST(FixtureSets, ToolListsTheDay)
{
    QString output;
    const QString set = kSets + "/clean/LION.htl";
    EXPECT_EQ(runTool(QDir::currentPath(), {"journee", set, "05/12/2026"}, &output), 0)
        << qPrintable(output);
    const QStringList lines = output.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3 + 3 + 2);
    EXPECT_EQ(lines[0], "depart\t10001\tDUPONT Jean\t12\t01/12/2026\t05/12/2026\t0");
    EXPECT_TRUE(lines[3].startsWith("present\t10001\t"));
    EXPECT_EQ(lines[6], "libre\t12\tDouble\t2\t85,00");
    EXPECT_EQ(lines[7], "libre\t7\tDouble\t2\t85,00");
    EXPECT_EQ(runTool(QDir::currentPath(), {"journee", set, "32/12/2026"}, &output), 2);
    EXPECT_TRUE(output.contains("n'est pas une date correcte"));
    EXPECT_EQ(runTool(QDir::currentPath(), {"journee"}, &output), 2);
}
