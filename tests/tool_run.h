#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

// Runs carvelle-tool in `folder`, whose Carvelle.ini it reads: its exit code
// (-1 when it crashed), and what it wrote on both outputs in `output`.
inline int runTool(const QString &folder, const QStringList &args, QString *output)
{
    QProcess p;
    p.setWorkingDirectory(folder);
    p.start(QStringLiteral(CARVELLE_TOOL), args);
    p.waitForFinished(60000);
    *output = QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError());
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}
