#include "card_list_dialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

CardListDialog::CardListDialog(const QString &title, const QList<GridModel::Column> &columns,
                               const QList<int> &widths, QSize size, QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(title);
    m_model = new GridModel(columns, this);
    m_view = gridView(m_model);
    m_view->setColumnHidden(0, true);
    QHeaderView *header = m_view->horizontalHeader();
    for (int c = 1; c < widths.size(); ++c)
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
    resize(size);
}

void CardListDialog::setRows(int count, GridModel::Cell cell, std::function<int(int row)> block)
{
    m_model->setRows(count, std::move(cell));
    m_block = std::move(block);
    m_result = -1;
    if (count > 0)
        m_view->selectRow(0);
    m_view->setFocus();
}

int CardListDialog::runMaximised()
{
    setWindowState(Qt::WindowMaximized);
    exec();
    return Result();
}

void CardListDialog::choose(int row)
{
    if (row < 0 || row >= m_model->rowCount())
        return;
    m_result = m_block(row);
    accept();
}

bool CardListDialog::eventFilter(QObject *watched, QEvent *event)
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
