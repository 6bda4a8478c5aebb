#pragma once

#include <QDialog>

class QListWidget;

// The list of the départements ("Départements"), to read from; Enter or
// Escape closes it.
class TDepartmnt : public QDialog
{
    Q_OBJECT
public:
    explicit TDepartmnt(QWidget *parent = nullptr);

    QListWidget *list() const { return m_list; }

private:
    QListWidget *m_list = nullptr;
};
