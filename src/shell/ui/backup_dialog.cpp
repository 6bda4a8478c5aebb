#include "backup_dialog.h"

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TSauvegarde::TSauvegarde(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Sauvegarde"));

    m_on = new QCheckBox(
        QStringLiteral("&Proposer une sauvegarde de l'hôtel une fois par jour, en quittant"));
    m_on->setObjectName(QStringLiteral("backupOn"));
    m_folder = new QLineEdit;
    m_folder->setObjectName(QStringLiteral("backupFolder"));
    m_folder->setMinimumWidth(360);
    auto *label = new QLabel(
        QStringLiteral("&Dossier des sauvegardes (une clé USB, un dossier synchronisé) :"));
    label->setBuddy(m_folder);
    auto *browse = new QPushButton(QStringLiteral("P&arcourir..."));
    browse->setAutoDefault(false);
    connect(browse, &QPushButton::clicked, this, &TSauvegarde::browse);
    auto *folderRow = new QHBoxLayout;
    folderRow->addWidget(m_folder);
    folderRow->addWidget(browse);
    auto *kept = new QLabel(
        QStringLiteral("Le dossier garde la dernière sauvegarde de chacun des 30 derniers jours "
                       "et de chacun des 12 derniers mois."));
    kept->setWordWrap(true);

    auto *cancel = new QPushButton(QStringLiteral("Annuler"));
    auto *ok = new QPushButton(QStringLiteral("OK"));
    cancel->setAutoDefault(false);
    ok->setDefault(true);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cancel);
    buttons->addWidget(ok);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_on);
    layout->addSpacing(6);
    layout->addWidget(label);
    layout->addLayout(folderRow);
    layout->addWidget(kept);
    layout->addStretch();
    layout->addLayout(buttons);
}

void TSauvegarde::Init(const backup::Settings &settings)
{
    m_settings = settings;
    m_on->setChecked(settings.on);
    m_folder->setText(QDir::toNativeSeparators(settings.folder));
    m_on->setFocus();
}

backup::Settings TSauvegarde::Result() const
{
    backup::Settings s = m_settings;
    s.on = m_on->isChecked();
    s.folder = QDir::fromNativeSeparators(m_folder->text().trimmed());
    return s;
}

void TSauvegarde::browse()
{
    const QString folder = QFileDialog::getExistingDirectory(
        this, QStringLiteral("Dossier des sauvegardes"), m_folder->text());
    if (!folder.isEmpty())
        m_folder->setText(QDir::toNativeSeparators(folder));
}
