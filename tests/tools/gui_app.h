#pragma once

#include <QGuiApplication>

// Letters lay out their text with fonts, which want an application object;
// the calculator tests in the same program do not, so it is made on demand.
inline void needGuiApplication()
{
    if (QGuiApplication::instance())
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "tools_tests";
    static char *argv[] = {name, nullptr};
    new QGuiApplication(argc, argv);
}
