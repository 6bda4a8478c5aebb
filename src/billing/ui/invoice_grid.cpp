#include "invoice_grid.h"

#include "cards/ui/card_fields.h"
#include "cards/ui/field_validator.h"

#include <QApplication>
#include <QBrush>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableView>
#include <QVBoxLayout>

namespace {

QList<GridModel::Column> columns(const QStringList &headings, const QList<int> &amountColumns)
{
    QList<GridModel::Column> result;
    for (qsizetype c = 0; c < headings.size(); ++c) {
        const bool right = amountColumns.contains(int(c));
        result << GridModel::Column{headings[c].trimmed(), right ? Qt::AlignRight : Qt::AlignLeft,
                                    right};
    }
    return result;
}

LineGridAccess invoiceAccess(InvoicePage &page)
{
    return {[&page]() -> LineGrid & { return page.card().lines; },
            [&page]() -> const QList<BadCell> & { return page.totals().bad; },
            [&page] { page.touch(); }};
}

// A cell's new text from its editor: the row now counts as edited.
void storeCell(const LineGridAccess &page, int row, int column, const QString &text)
{
    LineGrid &lines = page.lines();
    lines.setCell(row, column, text);
    lines.highest = std::max(lines.highest, row);
    page.touch();
}

} // namespace

LineGridModel::LineGridModel(LineGridAccess page, const QStringList &headings,
                             QList<int> amountColumns, QObject *parent)
    : GridModel(columns(headings, amountColumns), parent), m_page(std::move(page)),
      m_amountColumns(std::move(amountColumns))
{
    setRows(m_page.lines().rows(), [this](int row, int column) -> QVariant {
        const QString text = m_page.lines().cell(row + 1, column);
        return isAmount(column) ? text.trimmed() : text;
    });
}

void LineGridModel::reload()
{
    GridModel::reload(m_page.lines().rows());
}

void LineGridModel::setHeading(int column, const QString &title)
{
    if (m_headings.value(column) == title)
        return;
    m_headings[column] = title;
    emit headerDataChanged(Qt::Horizontal, column, column);
}

Qt::ItemFlags LineGridModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags f = GridModel::flags(index);
    if (!m_readOnly && index.isValid())
        f |= Qt::ItemIsEditable;
    return f;
}

QVariant LineGridModel::data(const QModelIndex &index, int role) const
{
    if (role == Qt::EditRole)
        role = Qt::DisplayRole;
    if (role == Qt::ForegroundRole && index.isValid()) {
        const BadCell here{index.row() + 1, index.column()};
        return m_page.bad().contains(here) ? QVariant(QBrush(Qt::red)) : QVariant();
    }
    return GridModel::data(index, role);
}

QVariant LineGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && m_headings.contains(section))
        return m_headings.value(section);
    return GridModel::headerData(section, orientation, role);
}

bool LineGridModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !index.isValid() || m_readOnly)
        return false;
    const int row = index.row() + 1;
    const QString text = value.toString();
    const QString shown = data(index, Qt::DisplayRole).toString();
    if (text == shown || text == m_page.lines().cell(row, index.column()))
        return false;
    storeCell(m_page, row, index.column(), text);
    emit dataChanged(index, index);
    return true;
}

InvoiceGridModel::InvoiceGridModel(InvoicePage &page, QObject *parent)
    : LineGridModel(invoiceAccess(page), invoiceHeadings(),
                    {invoicecol::Quantity, invoicecol::Price, invoicecol::Amount}, parent)
{}

bool InvoiceGridModel::isAmountColumn(int column)
{
    return column == invoicecol::Quantity || column == invoicecol::Price ||
           column == invoicecol::Amount;
}

LineCellDelegate::LineCellDelegate(LineGridAccess page, std::function<bool(int)> isAmount,
                                   int dateColumn, std::function<QChar(QChar)> keyRule,
                                   std::function<void()> entered, QObject *parent)
    : QStyledItemDelegate(parent), m_page(std::move(page)), m_isAmount(std::move(isAmount)),
      m_dateColumn(dateColumn), m_keyRule(std::move(keyRule)), m_entered(std::move(entered))
{}

QWidget *LineCellDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &,
                                        const QModelIndex &index) const
{
    auto *edit = new QLineEdit(parent);
    edit->setFrame(false);
    const int row = index.row() + 1;
    const int column = index.column();
    const bool isDate = column == m_dateColumn;
    if (isDate)
        edit->setInputMask(QStringLiteral("99/99/0000;_"));
    else
        edit->setValidator(new FieldValidator(FieldValidator::Text, edit));
    if (m_isAmount(column))
        edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // The cell follows the typing (a paste reaches no key rule: the card is
    // marked here too); a date not typed at all stays empty.
    connect(edit, &QLineEdit::textEdited, this, [this, edit, row, column, isDate] {
        QString text = edit->text();
        if (isDate && !text.contains(QRegularExpression(QStringLiteral("\\d"))))
            text.clear();
        storeCell(m_page, row, column, text);
    });
    return edit;
}

QChar LineCellDelegate::keyChar(const QKeyEvent &event)
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

bool LineCellDelegate::eventFilter(QObject *object, QEvent *event)
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

InvoiceCellDelegate::InvoiceCellDelegate(InvoicePage &page, std::function<QChar(QChar)> keyRule,
                                         std::function<void()> entered, QObject *parent)
    : LineCellDelegate(invoiceAccess(page), &InvoiceGridModel::isAmountColumn, invoicecol::Date,
                       std::move(keyRule), std::move(entered), parent)
{}

LineGridView::LineGridView(LineGridModel *model, LineGridAccess page, int dateColumn,
                           std::function<QChar(QChar)> rule, QWidget *parent)
    : QObject(parent), m_model(model), m_page(std::move(page)), m_rule(std::move(rule)),
      m_view(gridView(model))
{
    m_view->setParent(parent);
    m_view->setObjectName(QStringLiteral("lines"));
    m_view->setSelectionBehavior(QAbstractItemView::SelectItems);
    m_view->setTabKeyNavigation(true);
    m_view->setItemDelegate(new LineCellDelegate(
        m_page, [model](int column) { return model->isAmount(column); }, dateColumn,
        [this](QChar typed) { return key(typed); },
        [this] {
            m_view->setFocus();
            afterEnter();
        },
        m_view));
    m_view->installEventFilter(this);
    // The grid, or a cell being edited in it, has the focus.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) {
        const bool inGrid = now && (now == m_view || m_view->isAncestorOf(now));
        if (inGrid != m_focused) {
            m_focused = inGrid;
            emit focusChanged(inGrid);
        }
    });
    setReadOnly(false);
}

void LineGridView::setReadOnly(bool readOnly)
{
    m_readOnly = readOnly;
    m_model->setReadOnly(readOnly);
    m_view->setEditTriggers(readOnly ? QAbstractItemView::NoEditTriggers
                                     : QAbstractItemView::AnyKeyPressed |
                                           QAbstractItemView::EditKeyPressed |
                                           QAbstractItemView::DoubleClicked);
}

QChar LineGridView::key(QChar typed)
{
    const QModelIndex at = m_view->currentIndex();
    if (!at.isValid() || m_readOnly)
        return typed;
    LineGrid &lines = m_page.lines();
    lines.cursorRow = at.row() + 1;
    lines.cursorColumn = at.column();
    return m_rule(typed);
}

void LineGridView::followCursor()
{
    const LineGrid &lines = m_page.lines();
    m_view->setCurrentIndex(m_model->index(lines.cursorRow - 1, lines.cursorColumn));
}

void LineGridView::afterEnter()
{
    m_model->reload();
    emit entered();
    followCursor();
}

bool LineGridView::eventFilter(QObject *watched, QEvent *event)
{
    // Enter and TAB on the grid itself (no cell being edited) go through
    // the rule too: a TAB the rule turns into Enter completes the line.
    if (watched == m_view && event->type() == QEvent::KeyPress) {
        const QChar typed = LineCellDelegate::keyChar(*static_cast<QKeyEvent *>(event));
        if (typed == LineGrid::kEnter || typed == LineGrid::kTab) {
            const QChar key = this->key(typed);
            if (key == LineGrid::kEnter)
                afterEnter();
            if (key != LineGrid::kTab)
                return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

LinePageFoot linePageFoot(CardFields &fields, QStringList &memo, QLayout *totals)
{
    LinePageFoot foot;
    foot.panel = new QWidget;
    auto *row = new QHBoxLayout(foot.panel);
    row->setContentsMargins(0, 0, 0, 0);

    QPlainTextEdit *note = fields.note(memo);
    note->setMaximumHeight(note->fontMetrics().lineSpacing() * 4 + 10);
    auto *noteColumn = new QVBoxLayout;
    noteColumn->addWidget(buddyLabel(QStringLiteral("Observations"), note));
    noteColumn->addWidget(note);
    row->addLayout(noteColumn, 1);
    row->addLayout(totals);

    foot.status = new QLabel;
    foot.status->setObjectName(QStringLiteral("status"));
    QFont bold = foot.status->font();
    bold.setBold(true);
    foot.status->setFont(bold);
    auto *buttons = new QHBoxLayout;
    foot.create = new QPushButton(QStringLiteral("Créer"));
    foot.validate = new QPushButton(QStringLiteral("Valider"));
    foot.print = new QPushButton(QStringLiteral("Imprimer"));
    for (QPushButton *b : {foot.create, foot.validate, foot.print}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
        fields.addToTabOrder(b);
    }
    auto *actions = new QVBoxLayout;
    actions->addWidget(foot.status);
    actions->addLayout(buttons);
    actions->addStretch();
    row->addLayout(actions);
    return foot;
}

QLabel *totalPanel(const QString &objectName)
{
    auto *panel = new QLabel;
    panel->setObjectName(objectName);
    panel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setMinimumWidth(panel->fontMetrics().horizontalAdvance(QStringLiteral("00000000,00")));
    return panel;
}
