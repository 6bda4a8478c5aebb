#include "invoice_grid.h"

#include "cards/ui/field_validator.h"

#include <QBrush>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpression>

namespace {

QList<GridModel::Column> columns()
{
    QList<GridModel::Column> result;
    const QStringList headings = invoiceHeadings();
    for (int c = 0; c < invoicecol::Count; ++c) {
        const bool right = InvoiceGridModel::isAmountColumn(c);
        result << GridModel::Column{headings[c].trimmed(), right ? Qt::AlignRight : Qt::AlignLeft,
                                    right};
    }
    return result;
}

} // namespace

InvoiceGridModel::InvoiceGridModel(InvoicePage &page, QObject *parent)
    : GridModel(columns(), parent), m_page(page)
{
    setRows(InvoiceCard::kRows, [this](int row, int column) -> QVariant {
        const QString text = m_page.card().lines.cell(row + 1, column);
        return isAmountColumn(column) ? text.trimmed() : text;
    });
}

bool InvoiceGridModel::isAmountColumn(int column)
{
    return column == invoicecol::Quantity || column == invoicecol::Price ||
           column == invoicecol::Amount;
}

Qt::ItemFlags InvoiceGridModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags f = GridModel::flags(index);
    if (!m_readOnly && index.isValid())
        f |= Qt::ItemIsEditable;
    return f;
}

QVariant InvoiceGridModel::data(const QModelIndex &index, int role) const
{
    if (role == Qt::EditRole)
        role = Qt::DisplayRole;
    if (role == Qt::ForegroundRole && index.isValid()) {
        const BadCell here{index.row() + 1, index.column()};
        return m_page.totals().bad.contains(here) ? QVariant(QBrush(Qt::red)) : QVariant();
    }
    return GridModel::data(index, role);
}

bool InvoiceGridModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !index.isValid() || m_readOnly)
        return false;
    LineGrid &grid = m_page.card().lines;
    const int row = index.row() + 1;
    const QString text = value.toString();
    const QString shown = data(index, Qt::DisplayRole).toString();
    if (text == shown || text == grid.cell(row, index.column()))
        return false;
    grid.setCell(row, index.column(), text);
    grid.highest = std::max(grid.highest, row);
    m_page.touch();
    emit dataChanged(index, index);
    return true;
}

InvoiceCellDelegate::InvoiceCellDelegate(InvoicePage &page, std::function<QChar(QChar)> keyRule,
                                         std::function<void()> entered, QObject *parent)
    : QStyledItemDelegate(parent), m_page(page), m_keyRule(std::move(keyRule)),
      m_entered(std::move(entered))
{}

QWidget *InvoiceCellDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &,
                                           const QModelIndex &index) const
{
    auto *edit = new QLineEdit(parent);
    edit->setFrame(false);
    if (index.column() == invoicecol::Date)
        edit->setInputMask(QStringLiteral("99/99/0000;_"));
    else
        edit->setValidator(new FieldValidator(FieldValidator::Text, edit));
    if (InvoiceGridModel::isAmountColumn(index.column()))
        edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // The cell follows the typing; a date not typed at all stays empty.
    const int row = index.row() + 1;
    const int column = index.column();
    connect(edit, &QLineEdit::textEdited, this, [this, edit, row, column] {
        QString text = edit->text();
        if (column == invoicecol::Date && !text.contains(QRegularExpression(QStringLiteral("\\d"))))
            text.clear();
        // A paste reaches no key rule: the invoice is marked here too.
        LineGrid &lines = m_page.card().lines;
        lines.setCell(row, column, text);
        lines.highest = std::max(lines.highest, row);
        m_page.touch();
    });
    return edit;
}

QChar InvoiceCellDelegate::keyChar(const QKeyEvent &event)
{
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return {};
    switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return LineGrid::kEnter;
    case Qt::Key_Tab:
        return LineGrid::kTab;
    case Qt::Key_Backspace:
        return LineGrid::kBackspace;
    default:
        break;
    }
    const QString text = event.text();
    return text.size() == 1 && text[0].isPrint() ? text[0] : QChar();
}

bool InvoiceCellDelegate::eventFilter(QObject *object, QEvent *event)
{
    auto *edit = qobject_cast<QLineEdit *>(object);
    if (edit && event->type() == QEvent::KeyPress) {
        const QChar typed = keyChar(*static_cast<QKeyEvent *>(event));
        if (!typed.isNull()) {
            const QChar key = m_keyRule(typed);
            if (key.isNull())
                return true;
            if (key == LineGrid::kEnter) {
                // The cell already holds what was typed; the rule has
                // reformatted it, so the editor's text is not put back.
                emit closeEditor(edit, QAbstractItemDelegate::NoHint);
                m_entered();
                return true;
            }
            if (key != typed) {
                edit->insert(QString(key));
                return true;
            }
        }
    }
    return QStyledItemDelegate::eventFilter(object, event);
}
