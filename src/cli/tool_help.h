#pragma once

#include <QString>
#include <QTextStream>

// carvelle-tool's help: every command, what it prints and its exit codes.
// "--help" prints it on the standard output; a usage error on the error
// output.
QString toolHelp();

// The tool's standard output and error, shared by every command.
QTextStream &out();
QTextStream &err();
