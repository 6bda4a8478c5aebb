#include "fermer_dialog.h"

#include "cards/ui/field_validator.h"
#include "reception_commands.h"

#include <QDateEdit>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

TFermer::TFermer(QWidget *parent)
    : QDialog(parent), m_from(receptionui::dateBox()), m_until(receptionui::dateBox()),
      m_room(new RoomBox), m_reason(new QLineEdit)
{
    setWindowTitle(QStringLiteral("Fermer une chambre"));
    m_from->setObjectName(QStringLiteral("from"));
    m_until->setObjectName(QStringLiteral("until"));
    m_room->setObjectName(QStringLiteral("room"));
    m_reason->setObjectName(QStringLiteral("reason"));
    m_reason->setValidator(new FieldValidator(FieldValidator::Text, m_reason));
    m_reason->setMinimumWidth(260);

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("&Depuis le"), m_from);
    form->addRow(QStringLiteral("&Jusqu'au"), m_until);
    form->addRow(QStringLiteral("&Chambre"), m_room);
    form->addRow(QStringLiteral("&Motif de fermeture"), m_reason);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    receptionui::addButtons(this, layout);
}

void TFermer::Init(const reception::ClosingChoice &shown, const QStringList &freeRooms)
{
    m_from->setDate(shown.from);
    m_until->setDate(shown.until);
    m_room->setRooms(freeRooms, shown.room);
    m_reason->setText(shown.reason);
    m_reason->setFocus();
}

reception::ClosingChoice TFermer::Result() const
{
    return {m_from->date(), m_until->date(), reception::roomOf(m_room->currentText()),
            m_reason->text()};
}
