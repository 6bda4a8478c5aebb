#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

#include <functional>

// Runs carvelle-tool in `folder`, whose Carvelle.ini it reads: its exit code
// (-1 when it crashed), and what it wrote on both outputs in `output`.
// `inChild` runs in the tool's process before it starts (a file-size limit
// standing in for a full disk, another user).
inline int runTool(const QString &folder, const QStringList &args, QString *output,
                   const std::function<void()> &inChild = {})
{
    QProcess p;
    p.setWorkingDirectory(folder);
    if (inChild)
        p.setChildProcessModifier(inChild);
    p.start(QStringLiteral(CARVELLE_TOOL), args);
    p.waitForFinished(60000);
    *output = QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError());
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}
