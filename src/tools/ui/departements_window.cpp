#include "departements_window.h"

#include "tool_window.h"
#include "tools/departements.h"

#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

TDepartmnt::TDepartmnt(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Départements"));
    auto *layout = new QVBoxLayout(this);
    m_list = new QListWidget;
    for (const Departement &d : kDepartements)
        m_list->addItem(d.code.toString() + u' ' + d.name.toString());
    m_list->setCurrentRow(0);
    m_list->setMinimumSize(300, 420);
    layout->addWidget(m_list);
    // Typing a code moves to it.
    QPushButton *close = addCloseButton(this, layout);
    close->setDefault(true);
    connect(m_list, &QListWidget::itemActivated, this, &QDialog::accept);
}
