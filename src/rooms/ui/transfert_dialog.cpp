#include "transfert_dialog.h"

#include "reception_commands.h"

#include <QDateEdit>
#include <QFormLayout>
#include <QVBoxLayout>

TTransfert::TTransfert(QWidget *parent)
    : QDialog(parent), m_date(receptionui::dateBox()), m_source(new RoomBox), m_target(new RoomBox)
{
    // The window carries the closing dialog's title, as it always has.
    setWindowTitle(QStringLiteral("Fermer une chambre"));
    m_date->setObjectName(QStringLiteral("date"));
    m_source->setObjectName(QStringLiteral("source"));
    m_target->setObjectName(QStringLiteral("target"));

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("&Date"), m_date);
    form->addRow(QStringLiteral("&Source"), m_source);
    form->addRow(QStringLiteral("&Arrivée"), m_target);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    receptionui::addButtons(this, layout);
}

void TTransfert::Init(const reception::TransferChoice &shown, const QStringList &freeRooms)
{
    m_date->setDate(shown.date);
    m_source->setRooms(freeRooms, shown.source);
    m_target->setRooms(freeRooms, shown.target);
    m_target->setFocus();
}

reception::TransferChoice TTransfert::Result() const
{
    return {m_date->date(), reception::roomOf(m_source->currentText()),
            reception::roomOf(m_target->currentText())};
}
