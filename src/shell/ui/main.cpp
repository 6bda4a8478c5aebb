#include "main_form.h"
#include "splash.h"
#include "widget_ui.h"

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {

// The standard file dialogs write dates and sizes in the system's locale:
// it is made French for this program (its own texts are French whatever it
// is). LC_ALL would override the categories set here, so its value moves to
// LANG, where it still sets everything else.
void frenchSystemLocale()
{
    const QByteArray all = qgetenv("LC_ALL");
    if (!all.isEmpty()) {
        qputenv("LANG", all);
        qunsetenv("LC_ALL");
    }
    for (const char *category : {"LC_TIME", "LC_NUMERIC", "LC_MEASUREMENT", "LC_MESSAGES"})
        qputenv(category, "fr_FR.UTF-8");
}

} // namespace

int main(int argc, char *argv[])
{
    frenchSystemLocale();
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
