#include "client_list_dialog.h"

#include <memory>

namespace {

QList<GridModel::Column> columns()
{
    QList<GridModel::Column> out;
    for (int c = 0; c < ClientList::ColumnCount; ++c)
        out.append(
            {ClientList::title(c), c == ClientList::Ordinal ? Qt::AlignRight : Qt::AlignLeft});
    return out;
}

} // namespace

TFListe::TFListe(QWidget *parent)
    : CardListDialog(QStringLiteral("Liste des clients"), columns(),
                     {0, 40, 200, 180, 140, 60, 140, 110, 110}, QSize(1000, 560), parent)
{}

void TFListe::Init(const ClientList &list)
{
    auto rows = std::make_shared<const ClientList>(list);
    setRows(
        rows->rowCount(), [rows](int row, int column) { return QVariant(rows->cell(row, column)); },
        [rows](int row) { return rows->block(row); });
}

int TFListe::run(QWidget *parent, const ClientList &list)
{
    TFListe dialog(parent);
    dialog.Init(list);
    return dialog.runMaximised();
}
