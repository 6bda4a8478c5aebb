#pragma once

#include "billing/invoice_page.h"
#include "clients/client_page.h"
#include "clients/client_search.h"
#include "rooms/planning.h"
#include "rooms/room_page.h"
#include "rooms/ui/reception_commands.h"
#include "commands/command_host.h"
#include "commands/commands.h"
#include "print/ui/renderer.h"
#include "shell/main_controller.h"
#include "stock/article_page.h"
#include "store/fiche.h"

#include <QMainWindow>

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

class QAction;
class QFileDialog;
class QLabel;
class QPrinter;
class QTimer;
class QThread;
class QProgressBar;
class TFiche;
class THelp;

// How the import and export commands ask for a file: the file chosen in the
// dialog, empty when cancelled. The filter chosen is read from the dialog.
using ChooseFile = std::function<QString(QFileDialog &)>;
QString execFileDialog(QFileDialog &dialog);

// The main window: the menus, the tool bar and the status bar around the
// record window. Every command runs one operation of the record window or
// of the main controller, then shows the command state again.
class TMainForm : public QMainWindow, public CommandHost
{
    Q_OBJECT
public:
    // Every message box and file dialog goes through `ui`.
    explicit TMainForm(Ui &ui, QWidget *parent = nullptr);
    ~TMainForm() override;

    // Creates the record window, maximised inside the main window, on the
    // planning page.
    TFiche *createRecordWindow();
    // Shows the window: 800 x 600 on a screen wider than that, else maximised.
    void showAtStartup();
    // Start-up once the window is shown: reads the settings files, opens
    // the file named on the command line or else reopens the last set when
    // asked to, and applies the planning page's state.
    void start(const QString &startupDir, const QString &fileArgument = {});
    // Sets are read on a worker thread from now on: the window stays drawn
    // and answers while a large set is read, a progress bar shows in the
    // status bar when it takes more than a moment, and the commands and
    // the record window wait until the set is there. `whenReady` is called
    // each time an open ends (and once at start-up when nothing is opened);
    // `whenPlanning` when the planning of a set read in two parts is there,
    // before the rest of it.
    void readSetsInBackground(std::function<void()> whenReady = {},
                              std::function<void()> whenPlanning = {});

    // Runs a command as its menu item or button does.
    void run(Cmd cmd) override;

    // Progress texts of long passes go to the first status panel.
    void setStatusText(const QString &text);

    Fiche &fiche() override { return m_fiche; }
    Ui &ui() override { return m_ui; }
    QWidget *dialogParent() override { return this; }
    int showDialog(QDialog &dialog) override { return m_showDialog(dialog); }
    bool print(const PrintJob &job) override;
    void setHandler(Cmd cmd, Handler handler) override;
    void setPageHandler(PageId page, Cmd cmd, Handler handler) override;
    void addPage(PageId page, Page &model, std::function<QWidget *()> makeWidget) override;
    void keep(std::shared_ptr<void> part) override { m_parts.push_back(std::move(part)); }

    ClientPage &clientPage() { return m_clientPage; }
    RoomPage &roomPage() { return m_roomPage; }
    PlanningPage &planningPage() { return m_planningPage; }
    ArticlePage &articlePage() { return m_articlePage; }
    InvoicePage &invoicePage() { return m_invoicePage; }
    MainController &controller() { return m_controller; }
    CommandState &state() override { return m_state; }
    TFiche *recordWindow() const { return m_recordWindow; }
    QAction *action(Cmd cmd) const { return m_actions[std::size_t(cmd)]; }
    // The printer all printouts use, as set up by "Configurer imprimante".
    QPrinter &printer();

    // How the commands show their dialogs: modally, unless a test answers
    // them in place of the person.
    void setShowDialog(ShowDialog show) { m_showDialog = std::move(show); }
    void setChooseFile(ChooseFile choose) { m_chooseFile = std::move(choose); }
    // What printing asks (print dialog, PDF file); it must outlive the window.
    void setPrintUi(PrintUi &printUi) { m_printUi = &printUi; }

protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    // F1, wherever the focus is: the help on what is on screen.
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void buildMenus();
    void buildToolBar();
    void buildStatusBar();
    QAction *makeAction(Cmd cmd, const QString &text, QStringView hint);
    void addItems(QMenu *menu, std::span<const MenuItem> items);
    void showState();
    void updateTitle();
    // The status bar's panel on the last backup, and "Paramètres › Sauvegarde...".
    void showLastBackup();
    void editBackupSettings();
    void buildShortcuts();
    void installPageCommands();
    void selectPage(PageId page);
    void choose(Cmd selection);
    void runReception(bool (*command)(QWidget *, Fiche &, const ShowDialog &));
    void afterReception();
    void showJournee();
    void pickRoom();
    void runInvoiceCommand(Cmd cmd);
    std::optional<QString> ask(const QString &title, const QString &label,
                               const QString &offered = {});
    QString askText(const QString &title, const QString &label);
    void searchClient(ClientSearch kind);
    void sortClients();
    void listClients();
    void importClients();
    void exportClients();
    void pageSetup();
    void setupPrinter();
    THelp &help();
    // `keyWindow`: the window the key was typed in.
    void contextHelp(QWidget *keyWindow);
    void tick();
    void setOpening(std::shared_ptr<std::atomic<int>> progress);
    void openEnded(bool ok);
    // Hands over the set the worker read; nothing when that read was
    // already handed over.
    void takeReadSet(int generation);

    Ui &m_ui;
    Fiche m_fiche;
    ClientPage m_clientPage{m_fiche};
    RoomPage m_roomPage{m_fiche};
    PlanningPage m_planningPage{m_fiche};
    ArticlePage m_articlePage{m_fiche};
    InvoicePage m_invoicePage{m_fiche, m_clientPage};
    ShowDialog m_showDialog = execModal;
    ChooseFile m_chooseFile = execFileDialog;
    PrintUi m_systemPrintUi;
    PrintUi *m_printUi = &m_systemPrintUi;
    MainController m_controller;
    CommandState m_state;
    std::array<QAction *, kCmdCount> m_actions{};
    TFiche *m_recordWindow = nullptr;
    QLabel *m_hintPanel = nullptr;
    QLabel *m_clockPanel = nullptr;
    QLabel *m_readOnlyPanel = nullptr;
    QLabel *m_backupPanel = nullptr;
    QTimer *m_clock = nullptr;
    // While a set is read: the worker, its progress and the bar showing it.
    QThread *m_openThread = nullptr;
    std::shared_ptr<std::atomic<int>> m_openProgress;
    QProgressBar *m_openBar = nullptr;
    QTimer *m_openTimer = nullptr;
    int m_openTicks = 0;
    std::function<void()> m_whenReady;
    std::function<void()> m_whenPlanning;
    std::function<void()> m_openDone;
    int m_readGeneration = 0;
    THelp *m_help = nullptr;
    std::unique_ptr<QPrinter> m_printer;
    QString m_recordCaption;
    std::array<Handler, kCmdCount> m_handlers;
    std::map<std::pair<PageId, Cmd>, Handler> m_pageHandlers;
    std::vector<std::pair<PageId, std::function<QWidget *()>>> m_pageWidgets;
    // Declared last: the subsystems' page models go before the pages they
    // were given to.
    std::vector<std::shared_ptr<void>> m_parts;
};
