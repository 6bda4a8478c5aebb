#include "planning_widget.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace {

constexpr int kRowHeight = 16;
constexpr int kFontPixels = 11;

struct LegendEntry
{
    const char16_t *label;
    CellState state;
};
constexpr LegendEntry kLegend[] = {{u"Fermée", CellState::Closed},
                                   {u"Occupée", CellState::Occupied},
                                   {u"Réservée", CellState::Reserved},
                                   {u"Confirmée", CellState::Confirmed},
                                   {u"Conflit", CellState::Conflict}};

// Every column (W - 100) / 29, the room column what is left less 44 pixels.
std::pair<int, int> columnWidths(int width)
{
    const int day = std::max(1, (width - 100) / (PlanningGrid::kDays + 1));
    const int room = std::max(1, width - (PlanningGrid::kDays + 1) * day - 44);
    return {room, day};
}

// Draws over the cell colours what the grid's lines cannot say: a red
// outline around the days of an overdue guest, and a frame down today's
// column.
class PlanningDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override
    {
        QStyledItemDelegate::paint(painter, option, index);
        if (index.column() < 1)
            return;
        const QRect r = option.rect;
        auto overdue = [&](int column) {
            return column >= 1 &&
                   index.siblingAtColumn(column).data(PlanningGridModel::OverdueRole).toBool();
        };
        const auto *model = static_cast<const PlanningGridModel *>(index.model());
        if (index.column() == model->todayColumn()) {
            painter->fillRect(r.left(), r.top(), 2, r.height(), PlanningGridModel::kToday);
            painter->fillRect(r.right() - 1, r.top(), 2, r.height(), PlanningGridModel::kToday);
        }
        if (overdue(index.column())) {
            // One outline around the run of days: its ends close it.
            const QColor red(255, 0, 0);
            painter->fillRect(r.left(), r.top(), r.width(), 2, red);
            painter->fillRect(r.left(), r.bottom() - 1, r.width(), 2, red);
            if (!overdue(index.column() - 1))
                painter->fillRect(r.left(), r.top(), 2, r.height(), red);
            if (!overdue(index.column() + 1))
                painter->fillRect(r.right() - 1, r.top(), 2, r.height(), red);
        }
    }
};

} // namespace

const QColor PlanningGridModel::kToday(0, 0, 128);
const QColor PlanningGridModel::kTodayText(255, 255, 255);

PlanningGridModel::PlanningGridModel(const PlanningGrid &grid, QObject *parent)
    : QAbstractTableModel(parent), m_grid(grid)
{}

QColor PlanningGridModel::colour(CellState state)
{
    switch (state) {
    case CellState::Occupied:
        return QColor(0, 128, 128);
    case CellState::Reserved:
        return QColor(0, 255, 0);
    case CellState::Confirmed:
        return QColor(0, 255, 255);
    case CellState::Closed:
        return QColor(255, 0, 0);
    case CellState::Conflict: // two hold the night: a colour no single state has
        return QColor(255, 0, 255);
    case CellState::Free:
        break;
    }
    return QColor(255, 255, 255);
}

void PlanningGridModel::reload()
{
    beginResetModel();
    endResetModel();
}

int PlanningGridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_grid.rowCount();
}

int PlanningGridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : PlanningGrid::kDays + 1;
}

QVariant PlanningGridModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_grid.rowCount())
        return {};
    const int row = index.row();
    if (index.column() == 0) {
        // The room column looks like a header.
        switch (role) {
        case Qt::DisplayRole:
            return m_grid.rooms[row];
        case Qt::BackgroundRole:
            return QColor(Qt::lightGray);
        default:
            return {};
        }
    }
    const int day = index.column() - 1;
    const QString &code = m_grid.cells[std::size_t(row)][std::size_t(day)];
    switch (role) {
    case Qt::BackgroundRole:
        return colour(PlanningGrid::state(code));
    case Qt::ToolTipRole:
        return m_grid.tip(row, day);
    case Qt::UserRole:
        return code;
    case OverdueRole:
        return m_grid.overdue(row, day);
    default:
        return {};
    }
}

QVariant PlanningGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 1 || !m_grid.first.isValid())
        return {};
    const bool today = section == todayColumn();
    switch (role) {
    case Qt::DisplayRole: {
        const QDate day = m_grid.day(section - 1);
        return PlanningGrid::weekdayLetter(day) + u'\n' + QString::number(day.day());
    }
    case Qt::BackgroundRole:
        return today ? QVariant(kToday) : QVariant();
    case Qt::ForegroundRole:
        return today ? QVariant(kTodayText) : QVariant();
    default:
        return {};
    }
}

int PlanningGridModel::todayColumn() const
{
    const int c = m_grid.todayColumn();
    return c < 0 ? -1 : c + 1;
}

TPlanningPage::TPlanningPage(PlanningPage &page, QWidget *parent) : QWidget(parent), m_page(page)
{
    m_title = new QLabel;
    m_title->setAlignment(Qt::AlignCenter);
    m_title->setFrameShape(QFrame::Panel);
    m_title->setFrameShadow(QFrame::Raised);
    QFont bold = m_title->font();
    bold.setBold(true);
    m_title->setFont(bold);
    m_title->setMinimumHeight(25);

    m_model = new PlanningGridModel(page.grid(), this);
    m_view = new QTableView;
    m_view->setModel(m_model);
    QFont small = m_view->font();
    small.setPixelSize(kFontPixels);
    m_view->setFont(small);
    m_view->horizontalHeader()->setFont(small);
    m_view->verticalHeader()->hide();
    m_view->verticalHeader()->setMinimumSectionSize(kRowHeight);
    m_view->verticalHeader()->setDefaultSectionSize(kRowHeight);
    m_view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_view->horizontalHeader()->setMinimumSectionSize(1);
    m_view->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_view->horizontalHeader()->setHighlightSections(false);
    m_view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_view->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setSelectionMode(QAbstractItemView::NoSelection);
    m_view->setFocusPolicy(Qt::NoFocus);
    m_view->setCornerButtonEnabled(false);
    m_view->setItemDelegate(new PlanningDelegate(m_view));
    connect(m_view, &QTableView::doubleClicked, this, &TPlanningPage::openClient);

    auto *legend = new QHBoxLayout;
    legend->setSpacing(0);
    for (const LegendEntry &e : kLegend) {
        auto *label = new QLabel(QString::fromUtf16(e.label));
        label->setObjectName(QStringLiteral("legend"));
        label->setFixedSize(100, 25);
        label->setAlignment(Qt::AlignCenter);
        label->setAutoFillBackground(true);
        QPalette p = label->palette();
        p.setColor(QPalette::Window, PlanningGridModel::colour(e.state));
        p.setColor(QPalette::WindowText, Qt::black);
        label->setPalette(p);
        legend->addWidget(label);
    }
    legend->addStretch();

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_title);
    layout->addWidget(m_view, 1);
    layout->addLayout(legend);
    refresh();
}

void TPlanningPage::refresh()
{
    m_title->setText(m_page.grid().title);
    m_model->reload();
    applyWidths();
}

void TPlanningPage::openClient(const QModelIndex &index)
{
    if (index.column() >= 1 && m_page.aimClient(index.row(), index.column() - 1))
        emit clientCardRequested();
}

void TPlanningPage::showEvent(QShowEvent *event)
{
    m_page.PlanningSemaines();
    refresh();
    QWidget::showEvent(event);
}

void TPlanningPage::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    applyWidths();
}

void TPlanningPage::applyWidths()
{
    const auto [room, day] = columnWidths(width());
    m_view->setColumnWidth(0, room);
    for (int c = 1; c <= PlanningGrid::kDays; ++c)
        m_view->setColumnWidth(c, day);
}
