#pragma once

#include "clients/client_search.h"

#include <QAbstractTableModel>
#include <QDialog>

#include <optional>

class QTableView;

// The rows of the client list, read from the table only as they are shown,
// so that the window opens at once on any number of clients.
class ClientListModel : public QAbstractTableModel
{
public:
    using QAbstractTableModel::QAbstractTableModel;
    void setList(const ClientList &list);
    int block(int row) const { return m_list ? m_list->block(row) : -1; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::optional<ClientList> m_list;
};

// TFListe: "Liste des clients". Double-click or Enter on a row gives back
// its block number; "Fermer" gives back -1.
class TFListe : public QDialog
{
    Q_OBJECT
public:
    explicit TFListe(QWidget *parent = nullptr);
    void Init(const ClientList &list);
    int Result() const { return m_result; }
    static int run(QWidget *parent, const ClientList &list);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void choose(int row);

    ClientListModel *m_model = nullptr;
    QTableView *m_view = nullptr;
    int m_result = -1;
};
