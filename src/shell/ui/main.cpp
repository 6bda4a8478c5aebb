#include "main_form.h"
#include "splash.h"
#include "widget_ui.h"

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tolvenar"));

    // Standard buttons and dialogs in French: "Oui", "Non", "Annuler".
    QTranslator qtFrench;
    if (qtFrench.load(QStringLiteral("qtbase_fr"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtFrench);
    // Decimal comma and dd/MM/yyyy dates whatever the system's locale.
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));

    TSplash splash;
    splash.showNow();

    WidgetUi ui;
    TMainForm form(ui);
    ui.setWindow(&form);
    form.createRecordWindow();

    form.showAtStartup();
    // The settings, company and list files are read here, once. Reading them
    // again each time the record window becomes active would throw away what
    // the settings dialogs changed during the run.
    form.start(QDir::currentPath());

    splash.close();
    return app.exec();
}
