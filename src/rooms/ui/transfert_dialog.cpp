#include "transfert_dialog.h"

#include "reception_commands.h"

#include <QDateEdit>
#include <QFormLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QVBoxLayout>

TTransfert::TTransfert(QWidget *parent)
    : QDialog(parent), m_date(receptionui::dateBox()), m_source(new RoomBox), m_target(new RoomBox),
      m_problem(receptionui::problemLabel())
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
    layout->addWidget(m_problem);
    receptionui::addButtons(this, layout);
    connect(m_date, &QDateEdit::dateChanged, this, &TTransfert::refresh);
    connect(m_source, &QComboBox::editTextChanged, this, &TTransfert::refresh);
    connect(m_target, &QComboBox::editTextChanged, this, [this] { receptionui::showProblem(m_problem, {}); });
}

void TTransfert::Init(const reception::TransferChoice &shown, Sources sources, Targets targets, Check check)
{
    m_sources = std::move(sources);
    m_targets = std::move(targets);
    m_check = std::move(check);
    {
        const QSignalBlocker blockDate(m_date), blockSource(m_source);
        m_date->setDate(shown.date);
        m_source->setRooms(m_sources(shown.date), shown.source);
    }
    refresh();
    m_target->setEditText(shown.target);
    m_target->setFocus();
}

void TTransfert::refresh()
{
    receptionui::showProblem(m_problem, {});
    if (!m_sources || !m_targets)
        return;
    const QSignalBlocker block(m_source);
    m_source->setRooms(m_sources(m_date->date()), m_source->currentText());
    m_target->setRooms(m_targets(reception::roomOf(m_source->currentText()), m_date->date()),
                       m_target->currentText());
}

void TTransfert::accept()
{
    if (m_check && receptionui::showProblem(m_problem, m_check(Result())))
        return;
    QDialog::accept();
}

reception::TransferChoice TTransfert::Result() const
{
    return {m_date->date(), reception::roomOf(m_source->currentText()),
            reception::roomOf(m_target->currentText())};
}
