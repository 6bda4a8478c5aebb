#pragma once

#include "rooms/journee.h"

#include <QDialog>

#include <array>
#include <functional>

class FileSet;
class QDateEdit;
class QGroupBox;
class QTableWidget;

// TJournee: the day at a glance, five lists under a day picker (the fifth,
// the reservations whose guest has not come). Page Up and
// Page Down show the previous and next day. A double click (or Enter) on a
// guest asks the main window to show that guest's card and, on an arrival
// or a departure, to offer the operation; the lists are then read again.
class TJournee : public QDialog
{
    Q_OBJECT
public:
    enum class Action { ShowCard, Arrival, Departure };
    // Given the client block and what to offer; the window refreshes after.
    using OpenGuest = std::function<void(int block, Action action)>;

    TJournee(const FileSet &set, QWidget *parent = nullptr);

    void Init(QDate day, OpenGuest openGuest, std::function<void(const journee::Day &)> print);
    QDate day() const;
    const journee::Day &shown() const { return m_day; }
    QTableWidget *list(int index) const { return m_lists[std::size_t(index)]; }

    // Reads the tables again for the day shown.
    void refresh();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void activate(int list, int row);

    const FileSet &m_set;
    QDateEdit *m_date;
    std::array<QGroupBox *, 5> m_boxes{};
    std::array<QTableWidget *, 5> m_lists{};
    journee::Day m_day;
    OpenGuest m_openGuest;
    std::function<void(const journee::Day &)> m_print;
};
