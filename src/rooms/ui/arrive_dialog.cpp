#include "arrive_dialog.h"

#include "reception_commands.h"

#include <QDateEdit>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

TArrive::TArrive(QWidget *parent)
    : QDialog(parent), m_client(receptionui::readOnlyText()),
      m_occupant(receptionui::readOnlyText()), m_since(receptionui::dateBox()),
      m_leaving(receptionui::dateBox()), m_room(new RoomBox), m_problem(receptionui::problemLabel())
{
    setWindowTitle(QStringLiteral("Arrivée du client"));
    m_client->setObjectName(QStringLiteral("client"));
    m_occupant->setObjectName(QStringLiteral("occupant"));
    m_since->setObjectName(QStringLiteral("since"));
    m_leaving->setObjectName(QStringLiteral("leaving"));
    m_room->setObjectName(QStringLiteral("room"));

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Client"), m_client);
    form->addRow(QStringLiteral("Occupant"), m_occupant);
    form->addRow(QStringLiteral("&Depuis le"), m_since);
    form->addRow(QStringLiteral("Dé&part le"), m_leaving);
    form->addRow(QStringLiteral("&Chambre"), m_room);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_problem);
    receptionui::addButtons(this, layout);
    connect(m_since, &QDateEdit::dateChanged, this, &TArrive::datesChanged);
    connect(m_leaving, &QDateEdit::dateChanged, this, &TArrive::datesChanged);
    connect(m_room, &QComboBox::editTextChanged, this, [this] { receptionui::showProblem(m_problem, {}); });
}

void TArrive::setChecks(FreeRooms freeRooms, Check check)
{
    m_freeRooms = std::move(freeRooms);
    m_check = std::move(check);
}

void TArrive::datesChanged()
{
    receptionui::showProblem(m_problem, {});
    if (m_freeRooms)
        m_room->setRooms(m_freeRooms(m_since->date(), m_leaving->date()), m_room->currentText());
}

void TArrive::accept()
{
    if (m_check && receptionui::showProblem(m_problem, m_check(Result())))
        return;
    QDialog::accept();
}

void TArrive::Init(const reception::StayChoice &shown, const QStringList &freeRooms)
{
    m_client->setText(shown.client);
    m_occupant->setText(shown.occupant);
    m_since->setDate(shown.since);
    m_leaving->setDate(shown.leaving);
    m_room->setRooms(freeRooms, shown.room);
    m_room->setFocus();
}

reception::StayChoice TArrive::Result() const
{
    return {m_client->text(), m_occupant->text(), m_since->date(), m_leaving->date(),
            reception::roomOf(m_room->currentText())};
}
