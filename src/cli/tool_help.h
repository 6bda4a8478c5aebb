#pragma once

#include <QString>

// carvelle-tool's help: every command, what it prints and its exit codes.
// "--help" prints it on the standard output; a usage error on the error
// output.
QString toolHelp();
