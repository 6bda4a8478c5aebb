#pragma once

#include "clients/client_page.h"
#include "store/ui.h"

#include <QList>
#include <QWidget>

class HistoryGridModel;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QTableView;
class QToolButton;

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

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLineEdit *textField(QString ClientCard::*field, int digits = 0);
    QDateEdit *dateField(QDate ClientCard::*field);
    QCheckBox *checkField(const QString &label, bool ClientCard::*field);
    QWidget *buildClientGroup();
    QWidget *buildHistoryGroup();
    QWidget *buildHistoryPanel();
    void buildTabOrder();
    QString noteText() const;
    void noteChanged();
    void leaveDue();
    void addHistory();

    ClientPage &m_page;
    Ui &m_ui;

    template <typename W, typename T> struct Binding
    {
        W *widget;
        T ClientCard::*field;
    };
    QList<Binding<QLineEdit, QString>> m_texts;
    QList<Binding<QDateEdit, QDate>> m_dates;
    QList<Binding<QCheckBox, bool>> m_checks;

    QLineEdit *m_code = nullptr;
    QLineEdit *m_name = nullptr;
    QLineEdit *m_room = nullptr;
    QToolButton *m_roomButton = nullptr;
    QSpinBox *m_stays = nullptr;
    QLineEdit *m_birthDate = nullptr;
    QComboBox *m_family = nullptr;
    QLineEdit *m_due = nullptr;
    QButtonGroup *m_situation = nullptr;
    QPlainTextEdit *m_note = nullptr;
    QDateEdit *m_entryDate = nullptr;
    QLineEdit *m_entryLabel = nullptr;
    QLineEdit *m_entryAmount = nullptr;
    QPushButton *m_entryOk = nullptr;
    HistoryGridModel *m_history = nullptr;
    QTableView *m_grid = nullptr;
    // Every widget whose signals a refresh blocks.
    QList<QObject *> m_inputs;
    // Widgets created in the order the Tab key visits them.
    QList<QWidget *> m_tabOrder;
    bool m_filteringNote = false;
};
