#include "room_list_dialog.h"

#include <QAbstractTableModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

// The rows of the room list: a hidden block number, the ordinal, then the
// number, category, designation, beds, price, floor and occupant lines.
class RoomListModel : public QAbstractTableModel
{
public:
    enum Column {
        Block,
        Ordinal,
        Number,
        Category,
        Designation,
        Beds,
        Price,
        Floor,
        Occupant,
        Count
    };

    using QAbstractTableModel::QAbstractTableModel;

    void setRows(const QList<RoomListRow> &rows)
    {
        beginResetModel();
        m_rows = rows;
        endResetModel();
    }
    const RoomListRow &row(int r) const { return m_rows[r]; }

    int rowCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : int(m_rows.size());
    }
    int columnCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : Count;
    }
    QVariant data(const QModelIndex &index, int role) const override
    {
        if (!index.isValid())
            return {};
        const int c = index.column();
        if (role == Qt::TextAlignmentRole)
            return int(c == Ordinal || c == Beds || c == Price || c == Floor ? Qt::AlignRight
                                                                             : Qt::AlignLeft) |
                   Qt::AlignVCenter;
        if (role != Qt::DisplayRole)
            return {};
        const RoomListRow &r = m_rows[index.row()];
        switch (c) {
        case Block:
            return r.block;
        case Ordinal:
            return index.row() + 1;
        case Number:
            return r.number;
        case Category:
            return r.category;
        case Designation:
            return r.designation;
        case Beds:
            return r.beds;
        case Price:
            return r.price;
        case Floor:
            return r.floor;
        case Occupant:
            return r.occupant;
        }
        return {};
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
            return {};
        static const char16_t *const titles[Count] = {
            u"",     u"",     u"Numéro", u"Catégorie", u"Description",
            u"Lits", u"Prix", u"Etage",  u"Occupant"};
        return section >= 0 && section < Count ? QString::fromUtf16(titles[section]) : QVariant();
    }

private:
    QList<RoomListRow> m_rows;
};

TFListe3::TFListe3(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Liste des chambres"));
    m_model = new RoomListModel(this);
    m_view = new QTableView;
    m_view->setModel(m_model);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setWordWrap(false);
    m_view->verticalHeader()->hide();
    m_view->verticalHeader()->setDefaultSectionSize(m_view->fontMetrics().height() + 6);
    m_view->setColumnHidden(RoomListModel::Block, true);
    QHeaderView *header = m_view->horizontalHeader();
    header->setHighlightSections(false);
    header->resizeSection(RoomListModel::Ordinal, 40);
    header->resizeSection(RoomListModel::Number, 70);
    header->resizeSection(RoomListModel::Category, 130);
    header->resizeSection(RoomListModel::Designation, 220);
    header->resizeSection(RoomListModel::Beds, 50);
    header->resizeSection(RoomListModel::Price, 80);
    header->resizeSection(RoomListModel::Floor, 50);
    header->setStretchLastSection(true);
    m_view->installEventFilter(this);
    connect(m_view, &QTableView::doubleClicked, this,
            [this](const QModelIndex &index) { choose(index.row()); });

    auto *close = new QPushButton(QStringLiteral("Fermer"));
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, [this] {
        m_result = -1;
        reject();
    });

    auto *bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_view, 1);
    layout->addLayout(bottom);
    resize(820, 480);
}

void TFListe3::Init(const QList<RoomListRow> &rows)
{
    m_model->setRows(rows);
    m_result = -1;
    if (!rows.isEmpty())
        m_view->selectRow(0);
    m_view->setFocus();
}

void TFListe3::choose(int row)
{
    if (row < 0 || row >= m_model->rowCount())
        return;
    m_result = m_model->row(row).block;
    accept();
}

bool TFListe3::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_view && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            choose(m_view->currentIndex().row());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

int TFListe3::run(QWidget *parent, const QList<RoomListRow> &rows)
{
    TFListe3 dialog(parent);
    dialog.Init(rows);
    dialog.setWindowState(Qt::WindowMaximized);
    dialog.exec();
    return dialog.Result();
}
