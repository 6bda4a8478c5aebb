#pragma once

#include "clients/client_page.h"
#include "store/ui.h"

#include <QList>
#include <QWidget>

class CardFields;
class GridModel;
class QButtonGroup;
class QLineEdit;

// The client page of the record window: shows the card of its page model and
// reports every edit to it. The model does the work; this page only binds.
class TClientPage : public QWidget
{
    Q_OBJECT
public:
    TClientPage(ClientPage &page, Ui &ui, QWidget *parent = nullptr);

    // The cursor in "Code client" (the page shown) or in "Nom Prénom" (a new card).
    void focusFirstField();
    void focusName();

public slots:
    // Shows the card again, after the model changed it. Never marks it modified.
    void refresh();

signals:
    // The "..." button beside "Chambre": the room picker fills the room.
    void roomPickerRequested();

private:
    QWidget *buildClientGroup();
    QWidget *buildHistoryGroup();
    QWidget *buildHistoryPanel();
    void addHistory();

    ClientPage &m_page;
    Ui &m_ui;
    CardFields *m_fields = nullptr;

    QLineEdit *m_code = nullptr;
    QLineEdit *m_name = nullptr;
    QButtonGroup *m_situation = nullptr;
    QLineEdit *m_entryAmount = nullptr;
    GridModel *m_history = nullptr;
    QList<HistoryRow> m_shownHistory;
};
