#include "room_list_dialog.h"

namespace {

enum Column { Block, Ordinal, Number, Category, Designation, Beds, Price, Floor, Occupant };

QVariant cell(const RoomListRow &r, int row, int column)
{
    switch (column) {
    case Block:
        return r.block;
    case Ordinal:
        return row + 1;
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

} // namespace

TFListe3::TFListe3(QWidget *parent)
    : CardListDialog(QStringLiteral("Liste des chambres"),
                     {{},
                      {{}, Qt::AlignRight},
                      {QStringLiteral("Numéro")},
                      {QStringLiteral("Catégorie")},
                      {QStringLiteral("Description")},
                      {QStringLiteral("Lits"), Qt::AlignRight},
                      {QStringLiteral("Prix"), Qt::AlignRight},
                      {QStringLiteral("Etage"), Qt::AlignRight},
                      {QStringLiteral("Occupant")}},
                     {0, 40, 70, 130, 220, 50, 80, 50}, QSize(820, 480), parent)
{}

void TFListe3::Init(const QList<RoomListRow> &rows)
{
    setRows(
        int(rows.size()), [rows](int row, int column) { return cell(rows[row], row, column); },
        [rows](int row) { return rows[row].block; });
}

int TFListe3::run(QWidget *parent, const QList<RoomListRow> &rows)
{
    TFListe3 dialog(parent);
    dialog.Init(rows);
    return dialog.runMaximised();
}
