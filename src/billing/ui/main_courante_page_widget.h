#pragma once

#include "billing/main_courante.h"

#include <QWidget>

#include <array>

class CardFields;
class GridModel;
class QDateEdit;
class QLabel;
class QLineEdit;
class QTableView;

// The main courante page of the record window: the day and its moves, the
// entry row, the day sheet (one row per room) and its totals under it. The
// page model does the work; this page shows it and reports every edit.
class TMainCourantePage : public QWidget
{
    Q_OBJECT
public:
    explicit TMainCourantePage(MainCourantePage &page, QWidget *parent = nullptr);

    QTableView *sheet() const { return m_sheet; }

public slots:
    // Shows the day again, after the model changed it. Never marks it modified.
    void refresh();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *buildDayBar();
    QWidget *buildEntryRow();
    void buildSheet();
    void post();
    QLineEdit *fieldOfColumn(int column) const;

    MainCourantePage &m_page;
    CardFields *m_fields = nullptr;
    QLabel *m_caption = nullptr;
    QDateEdit *m_day = nullptr;
    QLineEdit *m_room = nullptr, *m_name = nullptr, *m_nights = nullptr;
    std::array<QLineEdit *, kPaymentCount> m_amounts{};
    GridModel *m_rows = nullptr;
    GridModel *m_totals = nullptr;
    QTableView *m_sheet = nullptr;
    QTableView *m_totalsView = nullptr;
};
