#include "depart_dialog.h"

#include "reception_commands.h"

#include <QDateEdit>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

TDepart::TDepart(QWidget *parent)
    : QDialog(parent), m_client(receptionui::readOnlyText()), m_since(receptionui::dateBox()),
      m_leaving(receptionui::dateBox()), m_room(receptionui::readOnlyText())
{
    setWindowTitle(QStringLiteral("Départ du client"));
    m_client->setObjectName(QStringLiteral("client"));
    m_since->setObjectName(QStringLiteral("since"));
    m_leaving->setObjectName(QStringLiteral("leaving"));
    m_room->setObjectName(QStringLiteral("room"));

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Client"), m_client);
    form->addRow(QStringLiteral("&Depuis le"), m_since);
    form->addRow(QStringLiteral("Dé&part le"), m_leaving);
    form->addRow(QStringLiteral("Chambre"), m_room);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    receptionui::addButtons(this, layout);
}

void TDepart::Init(const reception::StayChoice &shown)
{
    m_client->setText(shown.client);
    m_since->setDate(shown.since);
    m_leaving->setDate(shown.leaving);
    m_room->setText(shown.room);
}

reception::StayChoice TDepart::Result() const
{
    return {m_client->text(), m_client->text(), m_since->date(), m_leaving->date(), m_room->text()};
}
