#include <QProcess>

#include <gtest/gtest.h>

namespace {

struct ToolRun
{
    int code = -1;
    QString out, err;
};

ToolRun tool(const QStringList &args)
{
    QProcess p;
    p.start(CARVELLE_TOOL, args);
    p.waitForFinished();
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

} // namespace

TEST(ToolHelp, HelpOnTheStandardOutputAndUsageErrorsOnTheErrorOutput)
{
    for (const QString &option : QStringList{"--help", "-h"}) {
        const ToolRun run = tool({option});
        EXPECT_EQ(run.code, 0) << option.toStdString();
        EXPECT_TRUE(run.err.isEmpty());
        EXPECT_TRUE(run.out.contains("carvelle-tool check FICHIER.htl"));
        EXPECT_TRUE(run.out.contains("Code de sortie"));
    }
    // A usage error still goes to the error output, with code 2.
    for (const QStringList &args : {QStringList{}, QStringList{"aide"}, QStringList{"check"},
                                    QStringList{"--help", "LION.htl"}}) {
        const ToolRun run = tool(args);
        EXPECT_EQ(run.code, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(run.out.isEmpty());
        EXPECT_TRUE(run.err.startsWith("Usage : carvelle-tool"));
    }
}
