#pragma once

#include "billing/invoice_page.h"
#include "cards/ui/grid_model.h"

#include <QHash>
#include <QObject>
#include <QStyledItemDelegate>

#include <functional>

class CardFields;
class QLabel;
class QLayout;
class QPushButton;
class QTableView;

// What the widgets of a line grid (invoice lines, order lines) need of
// their page: the grid, the cells its last totals could not read, and how
// to mark the card modified.
struct LineGridAccess
{
    std::function<LineGrid &()> lines;
    std::function<const QList<BadCell> &()> bad;
    std::function<void()> touch;
};

// The lines as the grid shows them: every row of the page's grid, editable
// cell by cell unless read-only. A cell the last totals could not read
// shows in red. The amount columns are shown and edited without the blanks
// that align them in the file.
class LineGridModel : public GridModel
{
public:
    LineGridModel(LineGridAccess page, const QStringList &headings, QList<int> amountColumns,
                  QObject *parent = nullptr);

    void setReadOnly(bool readOnly) { m_readOnly = readOnly; }
    // The grid's rows as the page holds them now.
    void reload();
    bool isAmount(int column) const { return m_amountColumns.contains(column); }
    // A heading that follows the card ("Montant H.T." or "Montant TTC").
    void setHeading(int column, const QString &title);

    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    // A cell given back by its editor; marks the card only when it changed.
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;

private:
    LineGridAccess m_page;
    QList<int> m_amountColumns;
    QHash<int, QString> m_headings;
    bool m_readOnly = false;
};

// The invoice lines.
class InvoiceGridModel : public LineGridModel
{
public:
    explicit InvoiceGridModel(InvoicePage &page, QObject *parent = nullptr);
    static bool isAmountColumn(int column);
};

// The editor of a cell: a line that refuses what the file cannot hold (a
// date column in its mask), whose text reaches the page as it is typed, so
// the key rules see the cell as it stands. Each key first goes through
// `keyRule`, which gives the key the cell receives (QChar() to drop it);
// Enter, as the rule gives it, closes the editor and then calls `entered`.
class LineCellDelegate : public QStyledItemDelegate
{
public:
    LineCellDelegate(LineGridAccess page, std::function<bool(int column)> isAmount, int dateColumn,
                     std::function<QChar(QChar)> keyRule, std::function<void()> entered,
                     QObject *parent = nullptr);

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;

    // The character a key press stands for in the grid's rules: Enter, TAB,
    // Backspace or a printable character; QChar() for any other key.
    static QChar keyChar(const QKeyEvent &event);

protected:
    bool eventFilter(QObject *object, QEvent *event) override;

private:
    LineGridAccess m_page;
    std::function<bool(int)> m_isAmount;
    int m_dateColumn;
    std::function<QChar(QChar)> m_keyRule;
    std::function<void()> m_entered;
};

class InvoiceCellDelegate : public LineCellDelegate
{
public:
    InvoiceCellDelegate(InvoicePage &page, std::function<QChar(QChar)> keyRule,
                        std::function<void()> entered, QObject *parent = nullptr);
};

// A line grid's view with its rules wired: each key typed in a cell or on
// the grid goes through the page's rule at the cursor's cell, Enter shows
// the line's new cells and puts the cursor where the rule left it, and the
// grid's focus is reported so that "Supprimer ligne" can follow it.
class LineGridView : public QObject
{
    Q_OBJECT
public:
    LineGridView(LineGridModel *model, LineGridAccess page, int dateColumn,
                 std::function<QChar(QChar)> rule, QWidget *parent);

    QTableView *view() const { return m_view; }
    // A validated card: nothing is edited.
    void setReadOnly(bool readOnly);
    // The rule at the view's current cell: the key the cell receives.
    QChar key(QChar typed);
    // The cursor where the page's grid has it.
    void followCursor();

signals:
    // Enter completed a line: the page's totals changed.
    void entered();
    void focusChanged(bool focused);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void afterEnter();

    LineGridModel *m_model;
    LineGridAccess m_page;
    std::function<QChar(QChar)> m_rule;
    QTableView *m_view;
    bool m_readOnly = false;
    bool m_focused = false;
};

// The foot of a page of lines (invoice, order): the observations on the
// left, the page's totals beside them, and on the right the status above
// the buttons "Créer", "Valider" and "Imprimer" (in the Tab order).
struct LinePageFoot
{
    QWidget *panel = nullptr;
    QLabel *status = nullptr;
    QPushButton *create = nullptr;
    QPushButton *validate = nullptr;
    QPushButton *print = nullptr;
};
LinePageFoot linePageFoot(CardFields &fields, QStringList &memo, QLayout *totals);
// A total: right-aligned in a sunken panel, wide enough for large amounts.
QLabel *totalPanel(const QString &objectName);
