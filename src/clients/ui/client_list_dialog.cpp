#include "client_list_dialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

void ClientListModel::setList(const ClientList &list)
{
    beginResetModel();
    m_list = list;
    endResetModel();
}

int ClientListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() || !m_list ? 0 : m_list->rowCount();
}

int ClientListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ClientList::ColumnCount;
}

QVariant ClientListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || !m_list)
        return {};
    if (role == Qt::TextAlignmentRole)
        return int(index.column() == ClientList::Ordinal ? Qt::AlignRight : Qt::AlignLeft) |
               Qt::AlignVCenter;
    if (role != Qt::DisplayRole)
        return {};
    return m_list->cell(index.row(), index.column());
}

QVariant ClientListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    return ClientList::title(section);
}

TFListe::TFListe(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Liste des clients"));
    m_model = new ClientListModel(this);
    m_view = new QTableView;
    m_view->setModel(m_model);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setWordWrap(false);
    m_view->verticalHeader()->hide();
    // Fixed row heights: the view never measures the rows it does not show.
    m_view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_view->verticalHeader()->setDefaultSectionSize(m_view->fontMetrics().height() + 6);
    m_view->setColumnHidden(ClientList::Block, true);
    QHeaderView *header = m_view->horizontalHeader();
    header->setHighlightSections(false);
    static constexpr int widths[ClientList::ColumnCount] = {0,  40,  200, 180, 140,
                                                            60, 140, 110, 110};
    for (int c = ClientList::Ordinal; c < ClientList::ColumnCount; ++c)
        header->resizeSection(c, widths[c]);
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
    resize(1000, 560);
}

void TFListe::Init(const ClientList &list)
{
    m_model->setList(list);
    m_result = -1;
    if (m_model->rowCount() > 0)
        m_view->selectRow(0);
    m_view->setFocus();
}

void TFListe::choose(int row)
{
    if (row < 0 || row >= m_model->rowCount())
        return;
    m_result = m_model->block(row);
    accept();
}

bool TFListe::eventFilter(QObject *watched, QEvent *event)
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

int TFListe::run(QWidget *parent, const ClientList &list)
{
    TFListe dialog(parent);
    dialog.Init(list);
    dialog.setWindowState(Qt::WindowMaximized);
    dialog.exec();
    return dialog.Result();
}
