#include "fiche.h"

#include <QDir>

Fiche::Fiche(Ui &ui, QObject *parent) : QObject(parent), m_ui(ui)
{
    m_pages.fill(&m_noPage);
    m_set.setHooks(this);
}

void Fiche::setPage(PageId id, Page *page)
{
    m_pages[std::size_t(id)] = page ? page : &m_noPage;
}

void Fiche::selectPage(PageId id)
{
    // Choosing the page shown again reads its card afresh: its edits are
    // written back first, as when leaving it.
    page(m_active).writeBack();
    m_active = id;
    page(id).read();
    emit pageSelected(id);
    emit cardChanged(id);
}

void Fiche::commitPages()
{
    // Every page writes its card back, the supplier and order pages included.
    for (Page *page : m_pages)
        page->writeBack();
}

void Fiche::afterOpen()
{
    // The main courante prepares its day and the planning draws itself
    // when they read.
    page(PageId::MainCourante).read();
    page(PageId::Planning).read();
}

bool Fiche::Charge(const QString &path)
{
    // Read-only means another program holds the set: its journal is its own.
    return adoptOpened(FileSet::read(path, QDir::currentPath(), !m_readOnly));
}

bool Fiche::adoptOpened(FileSet::Opened &&opened)
{
    const bool ok = m_set.adopt(std::move(opened));
    for (const QString &m : m_set.messages())
        m_ui.inform(m);
    if (!ok) {
        m_ui.inform(m_set.errorMessage());
        return false;
    }
    emit titleChanged(m_set.caption());
    // The first part of a set shows its planning: the other pages' tables
    // are still to come.
    if (!m_set.complete() && m_active != PageId::Planning) {
        m_active = PageId::Planning;
        emit pageSelected(m_active);
    }
    page(m_active).read();
    emit cardChanged(m_active);
    return true;
}

bool Fiche::adoptRest(FileSet::Opened &&rest)
{
    const bool ok = m_set.adoptRest(std::move(rest));
    if (!ok && !m_set.errorMessage().isEmpty()) {
        m_ui.inform(m_set.errorMessage());
        emit titleChanged(m_set.caption());
        selectPage(PageId::Planning);
        return false;
    }
    for (const QString &m : m_set.messages())
        m_ui.inform(m);
    // The card being typed on the page shown stays as it is.
    if (ok && m_active == PageId::Planning)
        emit cardChanged(m_active);
    return ok;
}

bool Fiche::Sauve(const QString &path)
{
    if (m_readOnly) {
        m_ui.inform(QStringLiteral("Ce dossier est ouvert en lecture seule : il ne peut pas être enregistré."));
        return false;
    }
    const bool ok = m_set.Sauve(path);
    if (!ok) {
        m_ui.inform(m_set.errorMessage());
        return false;
    }
    emit titleChanged(m_set.caption());
    return true;
}

void Fiche::Nouveau()
{
    m_set.Nouveau();
    m_readOnly = false;
    emit titleChanged(QString());
    for (int i = 0; i < kPageCount; ++i)
        m_pages[std::size_t(i)]->read();
    emit cardChanged(m_active);
}

void Fiche::Ajout()
{
    page(m_active).add();
    emit cardChanged(m_active);
}

void Fiche::Premier()
{
    page(m_active).first();
    emit cardChanged(m_active);
}

void Fiche::Dernier()
{
    page(m_active).last();
    emit cardChanged(m_active);
}

void Fiche::Precedent()
{
    page(m_active).previous();
    emit cardChanged(m_active);
}

void Fiche::Suivant()
{
    page(m_active).next();
    emit cardChanged(m_active);
}

void Fiche::Supprimer()
{
    page(m_active).remove();
    emit cardChanged(m_active);
}

void Fiche::loadSettingsFiles(const QString &folder)
{
    QString error;
    if (!ChargeSoc(m_company, folder, &error) && !error.isEmpty())
        m_ui.inform(error);
    error.clear();
    // A refused setting is told even though the file was read.
    ChargeIni(m_settings, folder, QDir::currentPath(), &error);
    if (!error.isEmpty())
        m_ui.inform(error);
    error.clear();
    if (!ChargeCombo(m_lists, folder, &error) && !error.isEmpty())
        m_ui.inform(error);
}

void Fiche::saveSettingsFiles(const QString &folder)
{
    // The last file is the set open now.
    m_settings.lastFile = m_set.clientFile();
    QString error;
    if (!SauveIni(m_settings, folder, &error))
        m_ui.inform(error);
    if (!SauveSoc(m_company, folder, &error))
        m_ui.inform(error);
    if (!SauveCombo(m_lists, folder, &error))
        m_ui.inform(error);
}
