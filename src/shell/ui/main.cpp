#include "main_form.h"
#include "splash.h"
#include "widget_ui.h"
#include "store/process_memory.h"
#include "store/splash_first_ui.h"
#include "store/user_folders.h"

#include <QApplication>
#include <QDate>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>
#include <QTranslator>
#include <QWindow>

#include <cstdio>
#include <memory>

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

// The hotel file to open, as "carvelle LION.htl" or a double click on it
// names it: the first argument that is not an option Qt left over.
QString fileArgument(const QStringList &arguments)
{
    for (const QString &argument : arguments.mid(1))
        if (!argument.startsWith(u'-'))
            return QFileInfo(argument).absoluteFilePath();
    return {};
}

// The installed program writes its demonstration hotel with the generator
// and the settings script installed beside it; a build folder has neither
// there, and offers no demonstration.
std::function<bool(const QString &)> installedDemoWriter()
{
    const QDir helpers(QCoreApplication::applicationDirPath() + QStringLiteral("/../lib/carvelle"));
    const QString generator = helpers.filePath(QStringLiteral("carvelle-generate"));
    const QString settings = helpers.filePath(QStringLiteral("demo-settings.sh"));
    if (!QFileInfo(generator).isExecutable() || !QFileInfo::exists(settings))
        return {};
    return [generator, settings](const QString &folder) {
        const QString today = QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"));
        QProcess generate;
        generate.setStandardOutputFile(QProcess::nullDevice());
        generate.start(generator, {QStringLiteral("--small"), QStringLiteral("--date"), today, folder,
                                   QStringLiteral("DEMO")});
        if (!generate.waitForFinished(60000) || generate.exitStatus() != QProcess::NormalExit ||
            generate.exitCode() != 0)
            return false;
        return QProcess::execute(QStringLiteral("bash"), {settings, folder}) == 0;
    };
}

// For the start-up benchmark (CARVELLE_START_REPORT set): prints "window"
// when the main window is first on screen, "planning" once the planning of
// the set named or reopened is drawn and usable, and "ready" once the whole
// set is there, then quits.
// Each line carries the resident memory and the process's own part of it,
// in KiB. With the value "reports",
// the statistics and the journal are then worked out in their windows, the
// windows closed, and "reports" printed with the memory left.
// Resident memory, then the process's own part of it, in KiB.
void printMemory(const char *what)
{
    const ProcessMemory m = ProcessMemory::now();
    std::printf("%s %ld %ld\n", what, m.residentKiB, m.ownKiB);
    std::fflush(stdout);
}

class StartReport : public QObject
{
public:
    StartReport(TMainForm &form, bool reports)
        : m_form(form), m_window(form.windowHandle()), m_reports(reports)
    {
        m_window->installEventFilter(this);
    }
    void planning()
    {
        QTimer::singleShot(0, this, [] {
            printMemory("planning");
        });
    }
    void ready()
    {
        // After the planning drawn with the set.
        QTimer::singleShot(0, this, [this] {
            printMemory("ready");
            if (m_reports) {
                // Every window is taken as answered without being shown.
                m_form.setShowDialog([](QDialog &) { return int(QDialog::Accepted); });
                m_form.run(Cmd::StatsMois);
                m_form.run(Cmd::Journal);
                printMemory("reports");
            }
            QCoreApplication::quit();
        });
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_window && event->type() == QEvent::Expose && m_window->isExposed() &&
            !m_shown) {
            m_shown = true;
            printMemory("window");
        }
        return false;
    }

private:
    TMainForm &m_form;
    QWindow *m_window;
    bool m_reports;
    bool m_shown = false;
};

} // namespace

int main(int argc, char *argv[])
{
    // Answered before any window: a terminal, or the package's checks, asks.
    for (int i = 1; i < argc; ++i) {
        if (qstrcmp(argv[i], "--version") == 0) {
            std::printf("carvelle %s\n", CARVELLE_VERSION);
            return 0;
        }
        if (qstrcmp(argv[i], "--help") == 0 || qstrcmp(argv[i], "-h") == 0) {
            std::printf("Utilisation : carvelle [FICHIER.htl]\n"
                        "Gestion d'un petit hôtel. Sans fichier, ouvre le dernier dossier hôtel\n"
                        "(\"Paramètres > Ouvrir automatiquement\").\n"
                        "Les réglages sont dans $CARVELLE_HOME, ou $XDG_DATA_HOME/Carvelle,\n"
                        "ou ~/.local/share/Carvelle. Voir man carvelle.\n");
            return 0;
        }
    }
    frenchSystemLocale();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tolvenar"));
    // Lets the desktop show the installed entry's name and icon on the window.
    QGuiApplication::setDesktopFileName(QStringLiteral("carvelle"));

    // Standard buttons and dialogs in French: "Oui", "Non", "Annuler".
    QTranslator qtFrench;
    if (qtFrench.load(QStringLiteral("qtbase_fr"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtFrench);
    // Decimal comma and dd/MM/yyyy dates whatever the system's locale.
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));

    TSplash splash;
    splash.showNow();

    // The splash goes before the first question or message: nothing may
    // cover a dialog waiting for an answer.
    WidgetUi widgets;
    SplashFirstUi ui(widgets, [&splash] { splash.close(); });
    TMainForm form(ui);
    widgets.setWindow(&form);
    form.createRecordWindow();

    form.showAtStartup();
    std::unique_ptr<StartReport> report;
    if (qEnvironmentVariableIsSet("CARVELLE_START_REPORT"))
        report = std::make_unique<StartReport>(
            form, qEnvironmentVariable("CARVELLE_START_REPORT") == u"reports");
    // The window is drawn and answers while the set is read.
    form.readSetsInBackground(
        [&report] {
            if (report)
                report->ready();
        },
        [&report] {
            if (report)
                report->planning();
        });
    // The settings, company and list files are read here, once. Reading them
    // again each time the record window becomes active would throw away what
    // the settings dialogs changed during the run.
    // They live in the per-user folder whatever the folder the program was
    // started from ($CARVELLE_HOME when set); an empty first start there
    // offers the demonstration hotel.
    const QString file = fileArgument(QApplication::arguments());
    const QString folder =
        workFolder(QDir::currentPath(), qEnvironmentVariable("CARVELLE_HOME"), QDir::homePath(),
                   qEnvironmentVariable("XDG_DATA_HOME"));
    if (!QDir().mkpath(folder) || !QDir::setCurrent(folder)) {
        ui.inform(QStringLiteral("Le dossier de travail %1 n'a pas pu être créé.")
                      .arg(QDir::toNativeSeparators(folder)));
        return 1;
    }
    setDocumentFolders(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation),
                       QDir(folder).filePath(QStringLiteral("Carvelle.dossiers")));
    form.controller().demoWriter = installedDemoWriter();
    form.start(folder, file);

    ui.dismiss();
    return app.exec();
}
