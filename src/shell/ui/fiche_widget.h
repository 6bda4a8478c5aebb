#pragma once

#include "commands/commands.h"
#include "store/page.h"

#include <QWidget>

#include <array>

class ArticlePage;
class InvoicePage;
class ClientPage;
class Fiche;
class PlanningPage;
class QStackedWidget;
class RoomPage;
class TArticlePage;
class TClientPage;
class TInvoicePage;
class TPlanningPage;
class TRoomPage;
class Ui;

// The record window: the eight pages of the record window model, one shown
// at a time and without tabs (the menus and tool bar switch them). Its keys,
// typed in any of its fields, move between cards.
class TFiche : public QWidget
{
    Q_OBJECT
public:
    TFiche(Fiche &fiche, ClientPage &clients, RoomPage &rooms, PlanningPage &planning,
           ArticlePage &articles, InvoicePage &invoices, Ui &ui, QWidget *parent = nullptr);
    ~TFiche() override;

    PageId shownPage() const;
    // The widget of a page that a subsystem brings; the window owns it.
    void setPageWidget(PageId page, QWidget *widget);
    QWidget *pageWidget(PageId page) const { return m_pages[std::size_t(page)]; }
    TClientPage *clientPage() const { return m_clientPage; }
    TRoomPage *roomPage() const { return m_roomPage; }
    TPlanningPage *planningPage() const { return m_planningPage; }
    TArticlePage *articlePage() const { return m_articlePage; }
    TInvoicePage *invoicePage() const { return m_invoicePage; }

    // The record commands, leaving the cursor in the card's first field.
    void Premier();
    void Dernier();
    void Precedent();
    void Suivant();
    void Ajout();

signals:
    // F2: the list window of the page shown.
    void listRequested();
    // The planning asks for the card of the guest it shows (its position is
    // already the client page's).
    void clientCardRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showPage(PageId page);
    void refreshPage(PageId page);
    void focusCard();
    void focusPage(PageId page);
    bool runKey(Cmd cmd);

    Fiche &m_fiche;
    QStackedWidget *m_stack = nullptr;
    TClientPage *m_clientPage = nullptr;
    TRoomPage *m_roomPage = nullptr;
    TPlanningPage *m_planningPage = nullptr;
    TArticlePage *m_articlePage = nullptr;
    TInvoicePage *m_invoicePage = nullptr;
    std::array<QWidget *, kPageCount> m_pages{};
};
