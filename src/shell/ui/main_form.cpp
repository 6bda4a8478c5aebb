#include "main_form.h"

#include "about_box.h"
#include "backup_dialog.h"
#include "billing/invoice_list.h"
#include "billing/invoice_printout.h"
#include "billing/ui/credit_note_commands.h"
#include "billing/ui/facturx_commands.h"
#include "billing/ui/invoice_list_dialog.h"
#include "billing/ui/invoice_page_widget.h"
#include "billing/ui/invoice_parameters_dialog.h"
#include "billing/ui/main_courante_commands.h"
#include "cards/ui/list_dialog.h"
#include "clients/client_exchange.h"
#include "clients/client_printouts.h"
#include "clients/police_form.h"
#include "clients/ui/client_list_dialog.h"
#include "clients/ui/client_page_widget.h"
#include "clients/ui/client_search_dialogs.h"
#include "clients/ui/police_commands.h"
#include "company_dialog.h"
#include "fiche_widget.h"
#include "cards/ui/file_dialogs.h"
#include "help_topics.h"
#include "help_window.h"
#include "print/ui/page_setup.h"
#include "purchasing/ui/order_commands.h"
#include "purchasing/ui/supplier_commands.h"
#include "rooms/journee.h"
#include "rooms/reception.h"
#include "rooms/ui/journee_window.h"
#include "rooms/ui/planning_widget.h"
#include "rooms/ui/room_dialogs.h"
#include "rooms/ui/room_page_widget.h"
#include "stats/ui/journal_commands.h"
#include "stats/ui/stats_commands.h"
#include "stats/ui/tourist_tax_commands.h"
#include "stock/article_printout.h"
#include "stock/ui/article_page_widget.h"
#include "tool_icons.h"
#include "tools/ui/utility_commands.h"
#include "tools/ui/writing_commands.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QShortcut>
#include <QFontMetrics>
#include <QInputDialog>
#include <QLabel>
#include <QMenuBar>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QThread>
#include <QTime>
#include <QTimer>
#include <QToolBar>

#include <malloc.h>

namespace {

// Leaving, the office tools and help need no hotel set.
bool staysWhileOpening(Cmd cmd)
{
    return cmd == Cmd::Quitter || (int(cmd) >= int(Cmd::Calendrier) && int(cmd) <= int(Cmd::APropos));
}

// While the rest of a set is read, its planning and client cards are there:
// the planning moves and a guest's card can be shown.
bool staysWhileCompleting(Cmd cmd)
{
    switch (cmd) {
    case Cmd::Planning:
    case Cmd::Clients:
    case Cmd::Precedent:
    case Cmd::Suivant:
    case Cmd::Premier:
    case Cmd::Dernier:
    case Cmd::BoutonPlanning:
    case Cmd::BoutonClient:
    case Cmd::BoutonPremier:
    case Cmd::BoutonPrecedent:
    case Cmd::BoutonSuivant:
    case Cmd::BoutonDernier:
        return true;
    default:
        return staysWhileOpening(cmd);
    }
}

constexpr int kClockWidth = 50;
// The first panel leaves this much of the window's width to the clock.
constexpr int kHintMargin = 100;

// The printer chosen with "Configurer imprimante" (name and paper) is the
// one each print dialog starts from.
class ConfiguredPrintUi : public PrintUi
{
public:
    ConfiguredPrintUi(PrintUi &inner, const QPrinter *configured)
        : m_inner(inner), m_configured(configured)
    {
    }
    bool hasPrinter() const override { return m_inner.hasPrinter(); }
    bool choosePrinter(QWidget *parent, QPrinter &printer, PrintRange *range) override
    {
        if (m_configured) {
            printer.setPrinterName(m_configured->printerName());
            printer.setPageSize(m_configured->pageLayout().pageSize());
        }
        return m_inner.choosePrinter(parent, printer, range);
    }
    QString choosePdfFile(QWidget *parent, const QString &proposed) override
    {
        return m_inner.choosePdfFile(parent, proposed);
    }
    bool render(const PrintDocument &doc, QPrinter &printer) override { return m_inner.render(doc, printer); }

private:
    PrintUi &m_inner;
    const QPrinter *m_configured;
};

// The filters of the exchange files.
const QStringList kImportFilters = {QStringLiteral("Fichier texte (*.txt)"),
                                    QStringLiteral("Fichier csv (*.csv)")};

} // namespace

QString execFileDialog(QFileDialog &dialog)
{
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

TMainForm::TMainForm(Ui &ui, QWidget *parent)
    : QMainWindow(parent), m_ui(ui), m_fiche(ui), m_controller(m_fiche, ui)
{
    setWindowTitle(m_controller.caption);
    m_fiche.setPage(PageId::Clients, &m_clientPage);
    m_fiche.setPage(PageId::Rooms, &m_roomPage);
    m_fiche.setPage(PageId::Planning, &m_planningPage);
    m_fiche.setPage(PageId::Articles, &m_articlePage);
    m_fiche.setPage(PageId::Invoices, &m_invoicePage);
    // "Présent" and "Parti" on the client card record and clear the occupant.
    reception::installSituationHook(m_fiche);
    connect(&m_fiche, &Fiche::titleChanged, this, [this](const QString &caption) {
        m_recordCaption = caption;
        updateTitle();
    });
    buildMenus();
    buildToolBar();
    buildStatusBar();
    buildShortcuts();
    installPageCommands();
    installTouristTax(*this);
    installPoliceForm(*this);
    installCreditNotes(*this);
    installFacturX(*this);
    installJournal(*this);
    installUtilities(*this);
    installWriting(*this);
    installStatistics(*this);
    installMainCourante(*this);
    installSuppliers(*this);
    installOrders(*this);
    showState();
    qApp->installEventFilter(this);
}

void TMainForm::setHandler(Cmd cmd, Handler handler)
{
    m_handlers[std::size_t(cmd)] = std::move(handler);
}

void TMainForm::setPageHandler(PageId page, Cmd cmd, Handler handler)
{
    m_pageHandlers[{page, cmd}] = std::move(handler);
}

void TMainForm::addPage(PageId page, Page &model, std::function<QWidget *()> makeWidget)
{
    m_fiche.setPage(page, &model);
    m_pageWidgets.emplace_back(page, std::move(makeWidget));
}

// What the shared commands do on the pages built here, and the invoice commands.
void TMainForm::installPageCommands()
{
    setPageHandler(PageId::Clients, Cmd::Copier, [this] { m_clientPage.copy(); });
    setPageHandler(PageId::Rooms, Cmd::Copier, [this] { m_roomPage.copy(); });
    setPageHandler(PageId::Articles, Cmd::Copier, [this] { m_articlePage.copy(); });
    setPageHandler(PageId::Clients, Cmd::Coller, [this] {
        m_clientPage.paste();
        if (m_recordWindow)
            m_recordWindow->clientPage()->refresh();
    });
    setPageHandler(PageId::Rooms, Cmd::Coller, [this] {
        m_roomPage.paste();
        if (m_recordWindow)
            m_recordWindow->roomPage()->refresh();
    });
    setPageHandler(PageId::Articles, Cmd::Coller, [this] {
        m_articlePage.paste();
        if (m_recordWindow)
            m_recordWindow->articlePage()->refresh();
    });
    // The room list opens on a table of at least 21 lines.
    setPageHandler(PageId::Rooms, Cmd::Liste, [this] {
        if (m_recordWindow)
            m_recordWindow->roomPage()->Liste();
    });
    // "Li&ste chambres" of the edit menu is the rooms page's F2.
    setHandler(Cmd::Sauvegarde, [this] { editBackupSettings(); });
    setHandler(Cmd::ListeChambres, [this] {
        if (m_recordWindow)
            m_recordWindow->roomPage()->Liste();
    });
    setPageHandler(PageId::Clients, Cmd::Liste, [this] { listClients(); });
    setPageHandler(PageId::Articles, Cmd::Liste, [this] { run(Cmd::ListeArticles); });
    setPageHandler(PageId::Invoices, Cmd::Liste, [this] { run(Cmd::ListeFactures); });
    setPageHandler(PageId::Clients, Cmd::ImprimerFiche, [this] { print(ImpFicheJob(m_clientPage)); });
    setPageHandler(PageId::Articles, Cmd::ImprimerFiche, [this] { print(ImpArtJob(m_articlePage)); });
    setPageHandler(PageId::Invoices, Cmd::ImprimerFiche, [this] { run(Cmd::ImprimerFacture); });
    for (Cmd cmd : {Cmd::ChercherFacture, Cmd::ImprimerFacture, Cmd::ListeFactures,
                    Cmd::NouvelleFacture, Cmd::SupprimerFacture, Cmd::SupprimerLigneFacture,
                    Cmd::ParamFacture})
        setHandler(cmd, [this, cmd] { runInvoiceCommand(cmd); });
}

void TMainForm::buildShortcuts()
{
    // Ctrl+S saves under the set's name; "Enregistrer" keeps asking for one.
    auto *save = new QShortcut(QKeySequence::Save, this);
    connect(save, &QShortcut::activated, this, [this] {
        if (!m_recordWindow || !m_state.enabled(Cmd::Enregistrer))
            return;
        m_controller.saveUnderName();
        showState();
        updateTitle();
    });
    // Ctrl+F looks for a client by name, from any page.
    auto *find = new QShortcut(QKeySequence::Find, this);
    connect(find, &QShortcut::activated, this, [this] {
        if (!m_recordWindow || !m_state.enabled(Cmd::Enregistrer))
            return;
        run(Cmd::Clients);
        run(Cmd::RechercherNom);
    });
}

TMainForm::~TMainForm()
{
    // The record window's pages show page models owned here.
    delete m_recordWindow;
}

TFiche *TMainForm::createRecordWindow()
{
    m_recordWindow = new TFiche(m_fiche, m_clientPage, m_roomPage, m_planningPage, m_articlePage,
                                m_invoicePage, m_ui);
    setCentralWidget(m_recordWindow);
    connect(m_recordWindow, &TFiche::listRequested, this, [this] { run(Cmd::Liste); });
    connect(m_recordWindow, &TFiche::clientCardRequested, this, [this] { run(Cmd::Clients); });
    connect(m_recordWindow->clientPage(), &TClientPage::roomPickerRequested, this,
            &TMainForm::pickRoom);
    // The invoice page's pickers are answered as the commands' dialogs are.
    TInvoicePage *invoices = m_recordWindow->invoicePage();
    invoices->setShowDialog([this](QDialog &dialog) { return m_showDialog(dialog); });
    connect(invoices, &TInvoicePage::gridFocusChanged, this, [this](bool focused) {
        m_state.setEnabled(Cmd::SupprimerLigneFacture,
                           focused && m_fiche.active() == PageId::Invoices);
        showState();
    });
    connect(invoices, &TInvoicePage::printRequested, this, [this] { run(Cmd::ImprimerFacture); });
    for (const auto &[page, make] : m_pageWidgets)
        m_recordWindow->setPageWidget(page, make());
    m_recordCaption.clear();
    updateTitle();
    m_fiche.selectPage(PageId::Planning);
    return m_recordWindow;
}

void TMainForm::showAtStartup()
{
    const QScreen *screen = this->screen();
    if (screen && screen->geometry().width() > 800) {
        resize(800, 600);
        move(screen->availableGeometry().center() - rect().center());
        show();
    } else {
        showMaximized();
    }
}

void TMainForm::start(const QString &startupDir, const QString &fileArgument)
{
    const bool opened = m_controller.start(startupDir, fileArgument);
    // The last set is opened whether or not it is still there: opening
    // reports what is missing.
    if (m_controller.autoOpen())
        m_state.setChecked(Cmd::OuvrirAutomatiquement, true);
    if (m_controller.autoOpen() || opened)
        m_state.Valide();
    m_state.ValidePage(PageId::Planning);
    showState();
    updateTitle();
    showLastBackup();
    if (!m_controller.opening() && m_whenReady)
        m_whenReady();
}

void TMainForm::readSetsInBackground(std::function<void()> whenReady,
                                     std::function<void()> whenPlanning)
{
    m_whenReady = std::move(whenReady);
    m_whenPlanning = std::move(whenPlanning);
    m_controller.reader = [this](MainController::ReadSet read,
                                 std::function<void(FileSet::Opened)> done) {
        auto progress = std::make_shared<std::atomic<int>>(0);
        auto result = std::make_shared<FileSet::Opened>();
        m_openThread = QThread::create([read = std::move(read), progress, result] {
            *result = read(progress.get());
        });
        const int generation = ++m_readGeneration;
        m_openDone = [this, result, done = std::move(done)] {
            m_openThread->wait();
            delete m_openThread;
            m_openThread = nullptr;
            setOpening(nullptr);
            done(std::move(*result));
        };
        // Queued to this window's thread: the tables are handed over there.
        connect(m_openThread, &QThread::finished, this,
                [this, generation] { takeReadSet(generation); });
        setOpening(progress);
        m_openThread->start();
    };
    m_controller.opened = [this](bool ok) { openEnded(ok); };
}

void TMainForm::takeReadSet(int generation)
{
    if (generation != m_readGeneration || !m_openDone)
        return;
    const std::function<void()> done = std::move(m_openDone);
    m_openDone = nullptr;
    done();
    // What the worker freed while it read stays with its own heap until
    // given back.
    if (!m_controller.opening())
        malloc_trim(0);
}

void TMainForm::setOpening(std::shared_ptr<std::atomic<int>> progress)
{
    m_openProgress = std::move(progress);
    const bool on = m_openProgress != nullptr;
    if (!m_openBar) {
        m_openBar = new QProgressBar;
        m_openBar->setObjectName(QStringLiteral("openProgress"));
        m_openBar->setRange(0, FileSet::kOpenSteps);
        m_openBar->setMaximumWidth(200);
        m_openBar->hide();
        statusBar()->addPermanentWidget(m_openBar);
        m_openTimer = new QTimer(this);
        m_openTimer->setInterval(100);
        connect(m_openTimer, &QTimer::timeout, this, [this] {
            // Shown only when the open takes longer than a moment.
            if (!m_openProgress || ++m_openTicks < 3)
                return;
            m_openBar->setValue(m_openProgress->load());
            m_openBar->show();
        });
    }
    m_openTicks = 0;
    if (on) {
        m_openTimer->start();
        m_hintPanel->setText(QStringLiteral("Ouverture..."));
    } else {
        m_openTimer->stop();
        m_openBar->hide();
        m_hintPanel->clear();
    }
    if (m_recordWindow)
        m_recordWindow->setEnabled(!on || m_controller.completing());
    showState();
}

void TMainForm::openEnded(bool ok)
{
    if (ok)
        m_state.Valide();
    m_state.ValidePage(m_fiche.active());
    showState();
    updateTitle();
    if (m_controller.completing()) {
        if (m_whenPlanning)
            m_whenPlanning();
    } else if (m_whenReady) {
        m_whenReady();
    }
}

void TMainForm::showLastBackup()
{
    const QString text = m_controller.lastBackupText();
    m_backupPanel->setText(text);
    m_backupPanel->setVisible(!text.isEmpty());
}

void TMainForm::editBackupSettings()
{
    TSauvegarde dialog(this);
    dialog.Init(m_controller.backupSettings);
    if (m_showDialog(dialog) != QDialog::Accepted)
        return;
    m_controller.backupSettings = dialog.Result();
    m_controller.saveBackupSettings();
    showLastBackup();
}

// ---- Building ---------------------------------------------------------------

QAction *TMainForm::makeAction(Cmd cmd, const QString &text, QStringView hint)
{
    auto *action = new QAction(text, this);
    action->setStatusTip(longHint(hint).toString());
    action->setCheckable(isCheckable(cmd));
    connect(action, &QAction::triggered, this, [this, cmd] { run(cmd); });
    m_actions[std::size_t(cmd)] = action;
    return action;
}

void TMainForm::addItems(QMenu *menu, std::span<const MenuItem> items)
{
    for (const MenuItem &item : items) {
        if (item.isSeparator()) {
            menu->addSeparator();
        } else if (!item.submenu.empty()) {
            QMenu *submenu = menu->addMenu(item.caption.toString());
            m_actions[std::size_t(item.cmd)] = submenu->menuAction();
            submenu->menuAction()->setStatusTip(item.hint.toString());
            addItems(submenu, item.submenu);
        } else {
            QAction *action = makeAction(item.cmd, item.caption.toString(), item.hint);
            if (!item.shortcut.isEmpty())
                action->setShortcuts(QKeySequence::listFromString(item.shortcut.toString()));
            menu->addAction(action);
        }
    }
}

void TMainForm::buildMenus()
{
    for (const Menu &entry : ::menuBar()) {
        QMenu *menu = QMainWindow::menuBar()->addMenu(entry.caption.toString());
        menu->setProperty("helpContext", entry.helpContext);
        addItems(menu, entry.items);
    }
}

void TMainForm::buildToolBar()
{
    QToolBar *bar = addToolBar(QStringLiteral("Outils"));
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setIconSize(QSize(24, 24));
    bar->toggleViewAction()->setVisible(false);
    setContextMenuPolicy(Qt::NoContextMenu);
    for (const ToolButton &button : ::toolBar()) {
        QAction *action = makeAction(button.cmd, shortHint(button.hint).toString(), button.hint);
        action->setToolTip(shortHint(button.hint).toString());
        action->setIcon(toolIcon(button.cmd, style()));
        bar->addAction(action);
    }
}

void TMainForm::buildStatusBar()
{
    m_hintPanel = new QLabel;
    m_clockPanel = new QLabel;
    for (QLabel *panel : {m_hintPanel, m_clockPanel})
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_clockPanel->setAlignment(Qt::AlignCenter);
    m_clockPanel->setFixedWidth(kClockWidth);
    // The panel keeps its width: the time's font shrinks until it fits.
    QFont font = m_clockPanel->font();
    const int room = kClockWidth - 2 * m_clockPanel->frameWidth() - 2;
    while (font.pointSizeF() > 5 &&
           QFontMetrics(font).horizontalAdvance(QStringLiteral("00:00:00")) > room)
        font.setPointSizeF(font.pointSizeF() - 0.5);
    m_clockPanel->setFont(font);
    m_readOnlyPanel = new QLabel(QStringLiteral("Lecture seule"));
    m_readOnlyPanel->setObjectName(QStringLiteral("readOnly"));
    m_readOnlyPanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_readOnlyPanel->setStyleSheet(QStringLiteral("color: #b00020;"));
    m_readOnlyPanel->hide();
    m_backupPanel = new QLabel;
    m_backupPanel->setObjectName(QStringLiteral("lastBackup"));
    m_backupPanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_backupPanel->hide();
    statusBar()->addWidget(m_hintPanel);
    statusBar()->addWidget(m_readOnlyPanel);
    statusBar()->addWidget(m_clockPanel);
    statusBar()->addPermanentWidget(m_backupPanel);
    m_hintPanel->setFixedWidth(qMax(0, width() - kHintMargin));

    m_clock = new QTimer(this);
    m_clock->setInterval(1000);
    connect(m_clock, &QTimer::timeout, this, &TMainForm::tick);
    m_clock->start();
    tick();
}

void TMainForm::tick()
{
    m_clockPanel->setText(QTime::currentTime().toString(QStringLiteral("HH:mm:ss")));
}

void TMainForm::setStatusText(const QString &text)
{
    m_hintPanel->setText(text);
}

bool TMainForm::event(QEvent *event)
{
    // The hints of menus and buttons go to the first panel, not over both.
    if (event->type() == QEvent::StatusTip) {
        setStatusText(static_cast<QStatusTipEvent *>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

void TMainForm::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    m_hintPanel->setFixedWidth(qMax(0, width() - kHintMargin));
}

bool TMainForm::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->key() == Qt::Key_F1 &&
        watched->isWidgetType()) {
        contextHelp(static_cast<QWidget *>(watched)->window());
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

// The main window opens the help on its page; a dialog or a tool window on
// its own subject. A modal dialog blocks every other window, the help
// window included: its help is a window of its own, closed with it.
void TMainForm::contextHelp(QWidget *keyWindow)
{
    QWidget *window = keyWindow ? keyWindow : QApplication::activeModalWidget();
    if (!window)
        window = QApplication::activeWindow();
    if (!window || window == m_help)
        return;
    if (window == this) {
        help().showTopic(help::pageTopic(int(m_fiche.active())));
        return;
    }
    QStringView topic;
    for (const QMetaObject *meta = window->metaObject(); meta && topic.isEmpty(); meta = meta->superClass())
        topic = help::windowTopic(QString::fromLatin1(meta->className()));
    if (topic.isEmpty())
        topic = help::kContentsPage;
    if (window->isModal()) {
        auto *own = new THelp(window);
        own->setAttribute(Qt::WA_DeleteOnClose);
        own->showTopic(topic);
    } else {
        help().showTopic(topic);
    }
}

void TMainForm::closeEvent(QCloseEvent *event)
{
    // A set being read is let finish and dropped: the one open stays the
    // one the save prompt is about.
    if (m_openThread)
        m_openThread->wait();
    // The rest of the set open is handed over: the save prompt is about
    // the whole set.
    if (m_controller.completing())
        takeReadSet(m_readGeneration);
    if (m_controller.FormCloseQuery())
        event->accept();
    else
        event->ignore();
}

// ---- State ------------------------------------------------------------------

void TMainForm::showState()
{
    for (int i = 0; i < kCmdCount; ++i) {
        QAction *action = m_actions[std::size_t(i)];
        if (!action)
            continue;
        // While a set is read only leaving, help and the tools stay.
        const bool waits =
            m_openProgress &&
            !(m_controller.completing() ? staysWhileCompleting(Cmd(i)) : staysWhileOpening(Cmd(i)));
        action->setEnabled(!waits && m_state.enabled(Cmd(i)));
        if (action->isCheckable())
            action->setChecked(m_state.checked(Cmd(i)));
    }
}

void TMainForm::updateTitle()
{
    // The record window is maximised inside the frame: its caption joins the frame's.
    QString title = m_controller.caption;
    if (!m_recordCaption.isEmpty())
        title += QStringLiteral(" - [") + m_recordCaption + u']';
    // A set another program holds can be read here, not saved: say so from
    // the start rather than at the first save.
    const bool readOnly = m_controller.readOnly() && !m_recordCaption.isEmpty();
    if (readOnly)
        title += QStringLiteral(" (lecture seule)");
    setWindowTitle(title);
    if (m_readOnlyPanel) {
        const QString reason = m_controller.readOnlyReason();
        m_readOnlyPanel->setText(reason.isEmpty() ? QStringLiteral("Lecture seule")
                                                  : QStringLiteral("Lecture seule : ") + reason);
        m_readOnlyPanel->setVisible(readOnly);
    }
}

// ---- Commands ---------------------------------------------------------------

void TMainForm::selectPage(PageId page)
{
    m_fiche.selectPage(page);
    m_state.ValidePage(page);
}

void TMainForm::choose(Cmd selection)
{
    const int number = m_state.select(selection);
    if (!m_recordWindow)
        return;
    // A subsystem's own selections.
    if (const Handler &handler = m_handlers[std::size_t(selection)]) {
        handler();
        m_recordWindow->Premier();
        return;
    }
    const SelectionGroup group = selectionItem(selection)->group;
    if (group == SelectionGroup::Rooms) {
        m_recordWindow->roomPage()->SetChambre(number);
    } else if (group == SelectionGroup::Articles) {
        m_recordWindow->articlePage()->SetArt(number, m_showDialog);
    } else if (group == SelectionGroup::Invoices) {
        // Mode 1 asks for the client; a cancelled box keeps the code offered.
        QString code;
        if (number == 1) {
            const QString offered = m_invoicePage.card().client;
            code = m_ui.askText(QStringLiteral("Sélectionner factures"),
                                QStringLiteral("Code client"), offered)
                       .value_or(offered);
        }
        m_invoicePage.SetFact(number, code);
    } else if (group == SelectionGroup::Clients) {
        // Modes 2 to 4 ask for their text; a cancelled box keeps the text offered.
        std::optional<QString> answer;
        if (const auto question = selectionQuestion(m_clientPage, number))
            answer = ask(question->caption, question->prompt, question->offered);
        SetSel(m_clientPage, number, answer);
    }
    m_recordWindow->Premier();
}

void TMainForm::runReception(bool (*command)(QWidget *, Fiche &, const ShowDialog &))
{
    if (command(this, m_fiche, m_showDialog)) {
        afterReception();
        // A foreign guest's arrival ends with the offer of the police form.
        if (command == runArrival)
            police::offerAfterArrival(m_clientPage.card(), m_fiche.company(), m_ui,
                                      [this](const PrintJob &job) { return print(job); });
    }
}

// The day at a glance; a guest chosen in it is shown on the client page,
// with the arrival or departure offered where the list says so.
void TMainForm::showJournee()
{
    reception::commitCards(m_fiche);
    TJournee window(m_fiche.set(), this);
    window.Init(
        m_fiche.today(),
        [this](int block, TJournee::Action action) {
            m_fiche.page(PageId::Clients).writeBack();
            m_fiche.set().setPosition(Table::Clients, block);
            run(Cmd::Clients);
            if (action == TJournee::Action::Arrival)
                runReception(runArrival);
            else if (action == TJournee::Action::Departure)
                runReception(runDeparture);
            showState();
        },
        [this](const journee::Day &day) { print(journee::ImpJourneeJob(day, m_fiche.company().lines[0])); });
    m_showDialog(window);
}

// The operations show both cards again themselves; the planning draws the
// tables as they are now.
void TMainForm::afterReception()
{
    m_planningPage.PlanningSemaines();
    emit m_fiche.cardChanged(PageId::Planning);
}

// The "..." beside "Chambre": a free room for the card's stay.
void TMainForm::pickRoom()
{
    TListeCh dialog(this);
    dialog.Init(reception::ChambresLibres(m_fiche));
    m_showDialog(dialog);
    const QString room = dialog.Result();
    if (room.isEmpty())
        return;
    m_clientPage.card().room = room;
    m_clientPage.touch();
    emit m_fiche.cardChanged(PageId::Clients);
}

// The invoice commands of the menus; the page shows what they leave.
void TMainForm::runInvoiceCommand(Cmd cmd)
{
    switch (cmd) {
    case Cmd::ChercherFacture:
        if (const auto answer = m_ui.askText(QStringLiteral("Chercher facture"),
                                             QStringLiteral("Numéro de facture"),
                                             QStringLiteral("F")))
            m_invoicePage.ChercheFact(*answer);
        break;
    case Cmd::NouvelleFacture:
        m_invoicePage.NouvFact();
        m_state.ValidePage(PageId::Invoices);
        if (m_recordWindow)
            m_recordWindow->invoicePage()->focusFirstField();
        break;
    case Cmd::SupprimerFacture:
        if (!m_ui.askOkCancel(QStringLiteral("Confirmer suppression de la facture ?")))
            return;
        m_invoicePage.SupFact();
        break;
    case Cmd::SupprimerLigneFacture:
        m_invoicePage.SupLigne1();
        break;
    case Cmd::ParamFacture:
        // The currency label and the payment list follow at once.
        TParF::run(this, m_fiche.settings(), m_fiche.lists(), m_ui, m_showDialog);
        break;
    case Cmd::ImprimerFacture:
        // The invoice as it stands on screen, computed afresh and written
        // back (when valid) first: the paper and the file say the same.
        m_invoicePage.Calculef();
        m_invoicePage.EcritFact();
        emit m_fiche.cardChanged(PageId::Invoices);
        print(ImpFactJob(m_invoicePage, m_fiche));
        return;
    case Cmd::ListeFactures: {
        m_invoicePage.EcritFact();
        InvoiceList rows(m_fiche.set().table(Table::Invoices));
        TFListeFactures dialog(this);
        dialog.Init(rows);
        dialog.setWindowState(Qt::WindowMaximized);
        m_showDialog(dialog);
        if (dialog.chosen() >= 0)
            m_invoicePage.showInvoice(dialog.chosen());
        break;
    }
    default:
        return;
    }
    emit m_fiche.cardChanged(PageId::Invoices);
}

// A one-line question; nothing when cancelled.
std::optional<QString> TMainForm::ask(const QString &title, const QString &label,
                                      const QString &offered)
{
    QInputDialog dialog(this);
    dialog.setWindowTitle(title);
    dialog.setLabelText(label);
    dialog.setTextValue(offered);
    dialog.setOkButtonText(QStringLiteral("OK"));
    dialog.setCancelButtonText(QStringLiteral("Annuler"));
    if (m_showDialog(dialog) != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

QString TMainForm::askText(const QString &title, const QString &label)
{
    return ask(title, label).value_or(QString());
}

void TMainForm::searchClient(ClientSearch kind)
{
    TRechCli dialog(kind, this);
    dialog.Init();
    m_showDialog(dialog);
    const QString text = dialog.Result();
    switch (kind) {
    case ClientSearch::Name:
        RechNom(m_clientPage, text);
        break;
    case ClientSearch::Code:
        RechNum(m_clientPage, text);
        break;
    case ClientSearch::Phone:
        RechTel(m_clientPage, text);
        break;
    }
}

void TMainForm::sortClients()
{
    if (m_fiche.active() != PageId::Clients)
        return;
    TTri dialog(this);
    dialog.Init();
    m_showDialog(dialog);
    if (const std::optional<SortKey> key = dialog.Result())
        Trier(m_clientPage, *key);
}

// The list window opens on a client table of at least 21 lines.
void TMainForm::listClients()
{
    const std::optional<ClientList> list = Liste(m_clientPage);
    if (!list)
        return;
    TFListe dialog(this);
    dialog.Init(*list);
    dialog.setWindowState(Qt::WindowMaximized);
    m_showDialog(dialog);
    showClient(m_clientPage, dialog.Result());
}

void TMainForm::importClients()
{
    QFileDialog dialog(this, QStringLiteral("Importer"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(kImportFilters);
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    proposeIn(dialog, FileKind::Spreadsheet);
    const QString path = m_chooseFile(dialog);
    if (!path.isEmpty())
        documentFolders().remember(FileKind::Spreadsheet, path);
    if (path.isEmpty() || !Importer(m_clientPage, path))
        return;
    // The import shows the client page, at the first client imported: all
    // clients are selected again without moving from it.
    m_state.Valide();
    m_state.ValidePage(PageId::Clients);
    SetSel(m_clientPage, m_state.select(Cmd::TousLesClients));
}

void TMainForm::exportClients()
{
    QFileDialog dialog(this, QStringLiteral("Exporter"));
    proposeExport(dialog, QStringLiteral("Clients"));
    const QString path = m_chooseFile(dialog);
    if (const QString problem = fileNameProblem(path); !path.isEmpty() && !problem.isEmpty()) {
        m_ui.inform(problem);
        return;
    }
    documentFolders().remember(FileKind::Spreadsheet, path);
    // The filter chooses the format, unless the name typed ends with a
    // suffix of its own.
    const PageId shown = m_fiche.active();
    Exporter(m_clientPage, path, chosenExportFormat(dialog));
    // Off the client page, the export shows it.
    if (m_fiche.active() != shown)
        m_state.ValidePage(m_fiche.active());
}

void TMainForm::pageSetup()
{
    TMPage dialog(this);
    dialog.Init(m_fiche.settings());
    // Centred on the screen rather than on the window.
    dialog.adjustSize();
    if (const QScreen *screen = dialog.screen())
        dialog.move(screen->availableGeometry().center() - dialog.rect().center());
    if (m_showDialog(dialog) == QDialog::Accepted)
        dialog.Result(m_fiche.settings());
}

bool TMainForm::print(const PrintJob &job)
{
    ConfiguredPrintUi printUi(*m_printUi, m_printer.get());
    return printDocument(this, job, m_ui, printUi);
}

void TMainForm::run(Cmd cmd)
{
    const Cmd op = operationOf(cmd);
    // A command reached otherwise than by its menu (a key, a double click)
    // waits for the tables it needs as its menu item does.
    if (m_controller.completing() && !staysWhileCompleting(op))
        return;
    if (const std::optional<PageId> page = pageSelectedBy(op)) {
        selectPage(*page);
    } else if (selectionItem(op)) {
        choose(op);
    } else if (const auto onPage = m_pageHandlers.find({m_fiche.active(), op});
               onPage != m_pageHandlers.end()) {
        onPage->second();
    } else if (const Handler &handler = m_handlers[std::size_t(op)]) {
        handler();
        // The report windows' passes leave much freed memory behind: it
        // goes back to the system once they are closed.
        if (int(op) >= int(Cmd::StatsClients) && int(op) <= int(Cmd::Journal))
            malloc_trim(0);
    } else {
        switch (op) {
        case Cmd::Nouveau:
            if (m_controller.Nouveau1Click()) {
                m_state.Valide();
                m_state.ValidePage(PageId::Planning);
            }
            break;
        case Cmd::Ouvrir:
            if (m_controller.OpenItemClick())
                m_state.Valide();
            break;
        case Cmd::Enregistrer:
            m_controller.SaveItemClick();
            break;
        case Cmd::EnregistrerSous:
            m_controller.SaveAs();
            break;
        case Cmd::ConfigurerImprimante:
            setupPrinter();
            break;
        case Cmd::Quitter:
            close();
            break;
        case Cmd::ListeArticles:
            if (m_recordWindow)
                m_recordWindow->articlePage()->Liste(m_showDialog);
            break;
        case Cmd::RechercherArticle:
            if (m_recordWindow)
                m_recordWindow->articlePage()->RechArt(m_showDialog);
            break;
        case Cmd::ListeClients:
            listClients();
            break;
        case Cmd::RechercherNom:
            searchClient(ClientSearch::Name);
            break;
        case Cmd::RechercherCodeClient:
            searchClient(ClientSearch::Code);
            break;
        case Cmd::RechercherTelephone:
            searchClient(ClientSearch::Phone);
            break;
        case Cmd::TrierClients:
            sortClients();
            break;
        case Cmd::Importer:
            importClients();
            break;
        case Cmd::Exporter:
            exportClients();
            break;
        case Cmd::MiseEnPage:
            pageSetup();
            break;
        case Cmd::ImprimerListeClients:
            print(ImpCliJob(m_clientPage));
            break;
        case Cmd::EnveloppeCourante:
            // The job asks for an envelope once a printer is to print it.
            if (m_fiche.active() == PageId::Clients)
                print(ImpEnvJob(m_clientPage.card(), m_fiche.company(), m_fiche.settings()));
            break;
        case Cmd::RechercherChambreClient: {
            TRChb dialog(this);
            dialog.Init();
            m_showDialog(dialog);
            RechChambre(m_fiche, dialog.Result());
            break;
        }
        case Cmd::RechercherChambre:
            m_roomPage.RechNum(askText(QStringLiteral("Recherche numéro de chambre"),
                                       QStringLiteral("N° chambre")));
            break;
        case Cmd::RechercherOccupant:
            m_roomPage.RechNom(
                askText(QStringLiteral("Recherche par occupant"), QStringLiteral("Début nom")));
            break;
        case Cmd::TrierChambres:
            if (m_recordWindow)
                m_recordWindow->roomPage()->Trier3();
            break;
        case Cmd::ArriveeClient:
            runReception(runArrival);
            break;
        case Cmd::DepartClient:
            runReception(runDeparture);
            break;
        case Cmd::Journee:
            showJournee();
            break;
        case Cmd::ImprimerJournee:
            reception::commitCards(m_fiche);
            print(journee::ImpJourneeJob(journee::Journee(m_fiche.set(), m_fiche.today()),
                                         m_fiche.company().lines[0]));
            break;
        case Cmd::Reservation:
            runReception(runReservation);
            break;
        case Cmd::TransfertChambre:
            runReception(runTransfer);
            break;
        case Cmd::FermerChambre:
            runReception(runClosing);
            break;
        case Cmd::LibererChambre:
            if (reception::Liberation(m_fiche))
                afterReception();
            break;
        case Cmd::Premier:
            m_recordWindow->Premier();
            break;
        case Cmd::Dernier:
            m_recordWindow->Dernier();
            break;
        case Cmd::Precedent:
            m_recordWindow->Precedent();
            break;
        case Cmd::Suivant:
            m_recordWindow->Suivant();
            break;
        case Cmd::NouvelleFiche:
            m_recordWindow->Ajout();
            m_state.Valide();
            break;
        case Cmd::SupprimerFiche:
            m_controller.deleteCard();
            break;
        case Cmd::Societe:
            TPsoc::run(this, m_fiche.company());
            break;
        case Cmd::Categories:
            TListe::run(this, m_fiche.lists().categories, kCategoriesEditor);
            break;
        case Cmd::FamillesArticles:
            TListe::run(this, m_fiche.lists().articleFamilies, kArticleFamiliesEditor);
            if (m_recordWindow)
                m_recordWindow->articlePage()->refresh();
            break;
        case Cmd::OuvrirAutomatiquement:
            m_controller.Ouvrirautomatiquement1Click();
            m_state.setChecked(cmd, m_controller.autoOpen());
            break;
        case Cmd::AideIndex:
            help().showContents();
            break;
        case Cmd::AideRecherche:
            help().showSearch(QString());
            break;
        case Cmd::AideUtiliser:
            help().showHelpOnHelp();
            break;
        case Cmd::APropos:
            TAPropos::run(this);
            break;
        default:
            // The commands of the pages and tools still to come.
            break;
        }
    }
    showState();
    updateTitle();
}

THelp &TMainForm::help()
{
    if (!m_help)
        m_help = new THelp(this);
    return *m_help;
}

QPrinter &TMainForm::printer()
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

void TMainForm::setupPrinter()
{
    QPrintDialog dialog(&printer(), this);
    dialog.setWindowTitle(QStringLiteral("Configurer imprimante"));
    dialog.setOptions({});
    // The dialog chooses the printer and its paper; it prints nothing.
    if (auto *buttons = dialog.findChild<QDialogButtonBox *>())
        if (QPushButton *ok = buttons->button(QDialogButtonBox::Ok))
            ok->setText(QStringLiteral("OK"));
    dialog.exec();
}
