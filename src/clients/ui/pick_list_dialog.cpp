#include "pick_list_dialog.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

void addOkCancel(QDialog *dialog, QBoxLayout *layout, const QString &cancel)
{
    auto *box = new QDialogButtonBox;
    box->addButton(cancel, QDialogButtonBox::RejectRole);
    QPushButton *ok = box->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    QObject::connect(box, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(box, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    layout->addWidget(box);
    // Only once it belongs to the dialog does a button become its default.
    ok->setDefault(true);
}

PickListDialog::PickListDialog(const QString &title, int width, int height, QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(title);
    m_list = new QListWidget;
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    addOkCancel(this, layout);
    resize(width, height);
}

const QListWidgetItem *PickListDialog::chosen() const
{
    const QListWidgetItem *item = m_list->currentItem();
    return result() == Accepted && item && item->isSelected() ? item : nullptr;
}
