#include "supplier_dialogs.h"

TFour::TFour(QWidget *parent)
    : ComboQuestionDialog(QStringLiteral("Famile fournisseurs"), QStringLiteral("Famille"), parent)
{}

namespace {

enum Column { Block, Ordinal, Name, Address1, Address2, PostalCode, Town, Phone, Fax };

QVariant listCell(const SupplierListRow &r, int row, int column)
{
    switch (column) {
    case Block:
        return r.block;
    case Ordinal:
        return row + 1;
    case Name:
        return r.name;
    case Address1:
        return r.address1;
    case Address2:
        return r.address2;
    case PostalCode:
        return r.postalCode;
    case Town:
        return r.town;
    case Phone:
        return r.phone;
    case Fax:
        return r.fax;
    }
    return {};
}

} // namespace

TFListe7::TFListe7(QWidget *parent)
    : CardListDialog(QStringLiteral("Liste des fournisseurs"),
                     {{},
                      {{}, Qt::AlignRight},
                      {QStringLiteral("Nom/Société")},
                      {QStringLiteral("Adresse")},
                      {QStringLiteral("Adresse")},
                      {QStringLiteral("C.P.")},
                      {QStringLiteral("Ville")},
                      {QStringLiteral("Téléphone")},
                      {QStringLiteral("Fax")}},
                     {0, 40, 221, 198, 198, 47, 155, 100, 100}, QSize(1000, 480), parent)
{}

void TFListe7::Init(const QList<SupplierListRow> &rows)
{
    setRows(
        int(rows.size()), [rows](int row, int column) { return listCell(rows[row], row, column); },
        [rows](int row) { return rows[row].block; });
}
