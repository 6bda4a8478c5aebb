#pragma once

#include "file_set.h"
#include "page.h"
#include "settings.h"
#include "ui.h"

#include <QDate>
#include <QObject>

#include <array>

// The record window's state: the file set, the settings, the company texts
// and the lists, one page model per page and the page shown. Its widget
// (TFiche) shows it; everything it does can be driven without a window.
class Fiche : public QObject, private PageHooks
{
    Q_OBJECT
public:
    explicit Fiche(Ui &ui, QObject *parent = nullptr);

    FileSet &set() { return m_set; }
    const FileSet &set() const { return m_set; }
    Settings &settings() { return m_settings; }
    Company &company() { return m_company; }
    Lists &lists() { return m_lists; }
    Ui &ui() { return m_ui; }

    void setPage(PageId id, Page *page);
    Page &page(PageId id) { return *m_pages[std::size_t(id)]; }
    PageId active() const { return m_active; }

    // The page selectors: the page left writes its card back, the page
    // chosen reads its current card.
    void selectPage(PageId id);

    // Opening and saving the set; messages (repairs, errors) go to the Ui.
    bool Charge(const QString &path);
    // The second half of Charge, for a set read by FileSet::read: tells
    // what the read has to tell, and shows the set.
    bool adoptOpened(FileSet::Opened &&opened);
    // The tables a first part left (FileSet::adoptRest); on a read error
    // the set is closed and the message told.
    bool adoptRest(FileSet::Opened &&rest);
    bool Sauve(const QString &path);
    void Nouveau();
    bool TestModif() { return m_set.TestModif(); }
    void SetSauve() { m_set.SetSauve(); }

    // Record commands on the page shown.
    void Ajout();
    void Premier();
    void Dernier();
    void Precedent();
    void Suivant();
    void Supprimer();

    // The three small files of the start-up directory.
    void loadSettingsFiles(const QString &folder);
    void saveSettingsFiles(const QString &folder);

    int decimals() const { return m_settings.decimals >= 0 && m_settings.decimals <= 2 ? m_settings.decimals : 2; }

    // The day the reception takes for today: the clock's, unless one is set
    // (a demonstration, a test).
    QDate today() const { return m_today.isValid() ? m_today : QDate::currentDate(); }
    void setToday(QDate day) { m_today = day; }

    // While another program has the set open, it is shown read-only.
    bool readOnly() const { return m_readOnly; }
    void setReadOnly(bool on) { m_readOnly = on; }

signals:
    // The card of a page changed under it (read, operation): widgets refresh.
    void cardChanged(PageId page);
    void pageSelected(PageId page);
    void titleChanged(const QString &caption);

private:
    void commitPages() override;
    void afterOpen() override;

    Ui &m_ui;
    FileSet m_set;
    Settings m_settings;
    Company m_company;
    Lists m_lists;
    Page m_noPage;
    std::array<Page *, kPageCount> m_pages;
    PageId m_active = PageId::Planning;
    bool m_readOnly = false;
    QDate m_today;
};
