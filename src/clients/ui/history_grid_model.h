#pragma once

#include "clients/client_page.h"

#include <QAbstractTableModel>

// The history grid of the client card, read-only: rows 1 to 255 with their
// date, label and amount.
class HistoryGridModel : public QAbstractTableModel
{
public:
    enum Column { Date, Label, Amount, ColumnCount };

    explicit HistoryGridModel(const ClientCard &card, QObject *parent = nullptr)
        : QAbstractTableModel(parent), m_card(card)
    {}

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    // The card's rows changed: the view reads them again.
    void reload();

private:
    const ClientCard &m_card;
    qsizetype m_rows = m_card.history.size();
};
