#include "fiche_widget.h"

#include "billing/ui/invoice_page_widget.h"
#include "clients/ui/client_page_widget.h"
#include "rooms/ui/planning_widget.h"
#include "rooms/ui/room_page_widget.h"
#include "stock/ui/article_page_widget.h"
#include "store/fiche.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QStackedWidget>
#include <QTextEdit>
#include <QVBoxLayout>

namespace {

// The pages still to come show their title.
QWidget *titlePage(const QString &title)
{
    auto *page = new QWidget;
    auto *label = new QLabel(title, page);
    QFont font = label->font();
    font.setPointSize(font.pointSize() * 2);
    font.setBold(true);
    label->setFont(font);
    label->setAlignment(Qt::AlignCenter);
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(label);
    return page;
}

} // namespace

TFiche::TFiche(Fiche &fiche, ClientPage &clients, RoomPage &rooms, PlanningPage &planning,
               ArticlePage &articles, InvoicePage &invoices, Ui &ui, QWidget *parent)
    : QWidget(parent), m_fiche(fiche)
{
    // Holds the focus on pages without fields, so that the keys still reach it.
    setFocusPolicy(Qt::StrongFocus);

    m_clientPage = new TClientPage(clients, ui);
    m_roomPage = new TRoomPage(rooms, fiche, ui);
    m_planningPage = new TPlanningPage(planning);
    m_articlePage = new TArticlePage(articles);
    m_invoicePage = new TInvoicePage(invoices, fiche);
    m_pages = {m_planningPage,
               m_clientPage,
               m_roomPage,
               m_invoicePage,
               titlePage(QStringLiteral("Main courante")),
               m_articlePage,
               titlePage(QStringLiteral("Fournisseurs")),
               titlePage(QStringLiteral("Commandes"))};
    m_stack = new QStackedWidget;
    for (QWidget *page : m_pages)
        m_stack->addWidget(page);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_stack);

    connect(&m_fiche, &Fiche::pageSelected, this, &TFiche::showPage);
    connect(&m_fiche, &Fiche::cardChanged, this, &TFiche::refreshPage);
    // A guest double-clicked in the planning: the main window shows the
    // client page on that card, as its command does.
    connect(m_planningPage, &TPlanningPage::clientCardRequested, this, &TFiche::clientCardRequested);
    m_stack->setCurrentIndex(int(m_fiche.active()));

    // Fields of every page forward these keys: watching the application
    // sees them before any field (a note, a grid) takes Page Down for itself.
    qApp->installEventFilter(this);
}

TFiche::~TFiche()
{
    qApp->removeEventFilter(this);
}

PageId TFiche::shownPage() const
{
    return PageId(m_stack->currentIndex());
}

void TFiche::setPageWidget(PageId page, QWidget *widget)
{
    QWidget *&slot = m_pages[std::size_t(page)];
    m_stack->insertWidget(int(page), widget);
    m_stack->removeWidget(slot);
    delete slot;
    slot = widget;
    m_stack->setCurrentIndex(int(m_fiche.active()));
}

void TFiche::showPage(PageId page)
{
    m_stack->setCurrentIndex(int(page));
    focusPage(page);
}

// A card page puts the cursor in its first field; the others leave the focus
// on the window so that its keys still work.
void TFiche::focusPage(PageId page)
{
    QWidget *widget = m_pages[std::size_t(page)];
    if (page == PageId::Clients)
        m_clientPage->focusFirstField();
    else if (page == PageId::Rooms)
        m_roomPage->focusFirstField();
    else if (page == PageId::Articles)
        m_articlePage->focusFirstField();
    else if (page == PageId::Invoices)
        m_invoicePage->focusFirstField();
    else if (widget->focusProxy())
        widget->setFocus();
    else
        setFocus();
}

// The room, article and invoice pages follow their cards by themselves; the
// others are told here.
// No refresh marks a card modified.
void TFiche::refreshPage(PageId page)
{
    if (page == PageId::Clients)
        m_clientPage->refresh();
    else if (page == PageId::Planning)
        m_planningPage->refresh();
}

void TFiche::focusCard()
{
    if (shownPage() == PageId::Clients)
        m_clientPage->focusName();
    else if (shownPage() != PageId::Planning)
        focusPage(shownPage());
}

void TFiche::Premier()
{
    m_fiche.Premier();
    focusCard();
}

void TFiche::Dernier()
{
    m_fiche.Dernier();
    focusCard();
}

void TFiche::Precedent()
{
    m_fiche.Precedent();
    focusCard();
}

void TFiche::Suivant()
{
    m_fiche.Suivant();
    focusCard();
}

void TFiche::Ajout()
{
    m_fiche.Ajout();
    focusCard();
}

bool TFiche::runKey(Cmd cmd)
{
    switch (cmd) {
    case Cmd::Suivant:
        Suivant();
        return true;
    case Cmd::Precedent:
        Precedent();
        return true;
    case Cmd::Premier:
        Premier();
        return true;
    case Cmd::Dernier:
        Dernier();
        return true;
    case Cmd::Liste:
        emit listRequested();
        return true;
    default:
        return false;
    }
}

bool TFiche::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && watched->isWidgetType()) {
        auto *widget = static_cast<QWidget *>(watched);
        if (widget == this || isAncestorOf(widget)) {
            const auto *key = static_cast<QKeyEvent *>(event);
            const bool inText = qobject_cast<QTextEdit *>(widget) || qobject_cast<QPlainTextEdit *>(widget);
            if (runKey(recordKey(key->key(), key->modifiers(), inText)))
                return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
