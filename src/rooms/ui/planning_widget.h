#pragma once

#include "rooms/planning.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QWidget>

class QLabel;
class QTableView;

// The planning grid as a table: column 0 the room numbers, columns 1 to 28
// the days, headed by the weekday's letter over the day of the month, today
// in the colours of kToday. A day cell shows no text, only the colour of its
// code (BackgroundRole) and who is there (ToolTipRole); its code is under
// Qt::UserRole, and whether its guest is overdue under OverdueRole.
class PlanningGridModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    static constexpr int OverdueRole = Qt::UserRole + 1;
    static const QColor kToday;     // today's header and frame
    static const QColor kTodayText; // today's header text

    explicit PlanningGridModel(const PlanningGrid &grid, QObject *parent = nullptr);

    static QColor colour(CellState state);
    // Shows the grid again after the page rebuilt it.
    void reload();
    // The view's column of today, or -1.
    int todayColumn() const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    const PlanningGrid &m_grid;
};

// The planning page: title, grid and legend. It shows what its page model
// built; moving the period is the record window's business.
class TPlanningPage : public QWidget
{
    Q_OBJECT
public:
    explicit TPlanningPage(PlanningPage &page, QWidget *parent = nullptr);

    QTableView *view() const { return m_view; }

public slots:
    // Shows the grid the page model holds.
    void refresh();

signals:
    // A double click on a guest made that guest the client page's current
    // card: the record window shows the client page.
    void clientCardRequested();

protected:
    // The grid is rebuilt whenever the page comes into view, so that it
    // shows what the tables hold now.
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void applyWidths();
    void openClient(const QModelIndex &index);

    PlanningPage &m_page;
    PlanningGridModel *m_model = nullptr;
    QLabel *m_title = nullptr;
    QTableView *m_view = nullptr;
};
