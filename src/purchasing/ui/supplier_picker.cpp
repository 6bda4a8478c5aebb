#include "supplier_picker.h"

#include "purchasing/supplier_page.h"

#include <QListWidget>

TListeFour::TListeFour(QWidget *parent)
    : PickListDialog(QStringLiteral("Liste des fournisseurs"), 360, 420, parent)
{}

void TListeFour::Init(const RecordTable &suppliers)
{
    m_list->clear();
    for (const SupplierPick &pick : suppliers::picks(suppliers)) {
        auto *item = new QListWidgetItem(pick.entry, m_list);
        item->setData(Qt::UserRole, pick.code);
    }
}

QString TListeFour::Result() const
{
    const QListWidgetItem *item = chosen();
    return item ? item->data(Qt::UserRole).toString() : QString();
}
