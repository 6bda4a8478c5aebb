#include "invoice_list_dialog.h"

#include "cards/ui/grid_model.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

BlockListDialog::BlockListDialog(const QString &title, const QList<GridModel::Column> &columns,
                                 const QList<int> &widths, QSize size, QWidget *parent)
    : CardListDialog(title, QList<GridModel::Column>{{}} + columns, widths, size, parent),
      m_view(findChild<QTableView *>())
{
    auto arrow = [this](Qt::ArrowType type, const QString &tip) {
        auto *b = new QToolButton(this);
        b->setArrowType(type);
        b->setToolTip(tip);
        return b;
    };
    m_up = arrow(Qt::UpArrow, QStringLiteral("Monter"));
    m_down = arrow(Qt::DownArrow, QStringLiteral("Descendre"));
    connect(m_up, &QToolButton::clicked, this, [this] { move(true); });
    connect(m_down, &QToolButton::clicked, this, [this] { move(false); });
    auto *strip = new QHBoxLayout;
    strip->addWidget(m_up);
    strip->addWidget(m_down);
    strip->addStretch();
    static_cast<QVBoxLayout *>(layout())->insertLayout(0, strip);

    // The shared window closes on "Fermer" without a choice; these lists
    // keep the selected block.
    for (QPushButton *b : findChildren<QPushButton *>())
        if (b->text() == u"Fermer")
            connect(b, &QPushButton::clicked, this, [this] {
                const int row = m_view->currentIndex().row();
                m_closedOn = m_rows && row >= 0 && row < m_rows->size() ? m_rows->block(row) : -1;
            });
}

void BlockListDialog::Init(BlockList &rows)
{
    m_rows = &rows;
    m_closedOn = -1;
    setRows(
        rows.size(),
        [this](int row, int column) -> QVariant {
            return column == 0 ? QVariant(m_rows->block(row)) : m_rows->field(row, column - 1);
        },
        [this](int row) { return m_rows->block(row); });
}

void BlockListDialog::move(bool up)
{
    const int row = m_view->currentIndex().row();
    if (!m_rows || !(up ? m_rows->moveUp(row) : m_rows->moveDown(row)))
        return;
    static_cast<GridModel *>(m_view->model())->reload(m_rows->size());
    m_view->selectRow(up ? row - 1 : row + 1);
}

int BlockListDialog::chosen() const
{
    return result() == QDialog::Accepted ? Result() : m_closedOn;
}

TFListeFactures::TFListeFactures(QWidget *parent)
    : BlockListDialog(QStringLiteral("Liste des factures"),
                      {{QStringLiteral("N° de facture")},
                       {QStringLiteral("Date")},
                       {QStringLiteral("Code client")},
                       {QStringLiteral("Séjour du")},
                       {QStringLiteral("Au")},
                       {QStringLiteral("Client")}},
                      {0, 110, 90, 90, 90, 90}, QSize(760, 480), parent)
{}

int TFListeFactures::run(QWidget *parent, InvoiceList &rows)
{
    TFListeFactures dialog(parent);
    dialog.Init(rows);
    dialog.runMaximised();
    return dialog.chosen();
}
