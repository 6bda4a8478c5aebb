#pragma once

#include "billing/invoice_page.h"
#include "cards/ui/question_dialogs.h"

#include <QWidget>

class CardFields;
class InvoiceGridModel;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QModelIndex;
class QPushButton;
class QTableView;

// The invoice page of the record window: the header, the 63 invoice lines,
// the observations and the totals of its page model. Every edit is reported
// to the model, whose rules do the work: the grid's keys, the article pick,
// the totals, creation and validation. A validated invoice is shown with
// its grid read-only and "Valider" off.
class TInvoicePage : public QWidget
{
    Q_OBJECT
public:
    TInvoicePage(InvoicePage &page, Fiche &fiche, QWidget *parent = nullptr);

    // The cursor in "Code client".
    void focusFirstField();
    // How the pickers (articles, present guests) are shown: modally unless
    // a test answers them.
    void setShowDialog(ShowDialog show) { m_show = std::move(show); }

    // The grid's key rule at the grid's current cell: the key the cell
    // receives, QChar() when dropped.
    QChar gridKey(QChar key);

public slots:
    // Shows the invoice again, after the model changed it. Never marks it modified.
    void refresh();

signals:
    // The grid took or lost the focus: "Supprimer ligne" follows it.
    void gridFocusChanged(bool focused);
    // "Imprimer": the main window prints the invoice shown.
    void printRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *buildHeader();
    QWidget *buildAddress();
    QWidget *buildGrid();
    QWidget *buildFooter();
    void showTotals();
    // After Enter: the new totals, and the grid's cursor where the rule put it.
    void afterEnter();
    void followCursor();
    void gridClicked(const QModelIndex &index);
    void pickClient();
    void create();
    void validate();

    InvoicePage &m_page;
    Fiche &m_fiche;
    CardFields *m_fields = nullptr;
    ShowDialog m_show = [](QDialog &dialog) { return dialog.exec(); };

    QLineEdit *m_client = nullptr;
    QComboBox *m_payment = nullptr;
    QCheckBox *m_vatSwitch = nullptr;
    InvoiceGridModel *m_grid = nullptr;
    QTableView *m_view = nullptr;
    QLabel *m_total = nullptr;
    QLabel *m_currency = nullptr;
    QList<QWidget *> m_vatWidgets;
    QLabel *m_vat = nullptr;
    QLabel *m_status = nullptr;
    QPushButton *m_validate = nullptr;
};
