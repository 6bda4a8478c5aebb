#pragma once

#include "billing/invoice_page.h"
#include "cards/ui/grid_model.h"

#include <QStyledItemDelegate>

#include <functional>

// The invoice lines as the grid shows them: the 63 rows of the invoice on
// the page, editable cell by cell unless the invoice is validated. A cell
// the last totals could not read shows in red. The amount columns are shown
// and edited without the blanks that align them in the file.
class InvoiceGridModel : public GridModel
{
public:
    explicit InvoiceGridModel(InvoicePage &page, QObject *parent = nullptr);

    void setReadOnly(bool readOnly) { m_readOnly = readOnly; }
    // The grid's rows as the invoice holds them now.
    void reload() { GridModel::reload(InvoiceCard::kRows); }

    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    // A cell given back by its editor; marks the invoice only when it changed.
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;

    static bool isAmountColumn(int column);

private:
    InvoicePage &m_page;
    bool m_readOnly = false;
};

// The editor of a cell: a line that refuses what the file cannot hold (the
// date column in its mask), whose text reaches the invoice as it is typed,
// so the key rules see the cell as it stands. Each key first goes through
// `keyRule`, which gives the key the cell receives (QChar() to drop it);
// Enter, as the rule gives it, closes the editor and then calls `entered`.
class InvoiceCellDelegate : public QStyledItemDelegate
{
public:
    InvoiceCellDelegate(InvoicePage &page, std::function<QChar(QChar)> keyRule,
                        std::function<void()> entered, QObject *parent = nullptr);

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;

    // The character a key press stands for in the grid's rules: Enter, TAB,
    // Backspace or a printable character; QChar() for any other key.
    static QChar keyChar(const QKeyEvent &event);

protected:
    bool eventFilter(QObject *object, QEvent *event) override;

private:
    InvoicePage &m_page;
    std::function<QChar(QChar)> m_keyRule;
    std::function<void()> m_entered;
};
