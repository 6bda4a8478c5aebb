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
        } else {
            EXPECT_EQ(filesIn(dir.path()), before); // a sound set is not touched
        }
    }
}
