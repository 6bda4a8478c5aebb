#include "shell/commands.h"

#include <QSet>

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace {

constexpr PageId kPages[] = {PageId::Planning,  PageId::Clients,      PageId::Rooms,
                             PageId::Invoices,  PageId::MainCourante, PageId::Articles,
                             PageId::Suppliers, PageId::Orders};

// The commands that only make sense on one page.
const std::map<PageId, std::vector<Cmd>> kPageBound = {
    {PageId::Clients,
     {Cmd::ListeClients, Cmd::RechercherNom, Cmd::RechercherCodeClient,
      Cmd::RechercherChambreClient, Cmd::RechercherTelephone, Cmd::TrierClients,
      Cmd::TousLesClients, Cmd::ClientsCodePostal, Cmd::ClientsVille, Cmd::ClientsPays,
      Cmd::ClientsPresents, Cmd::ArriveeClient, Cmd::DepartClient, Cmd::Reservation,
      Cmd::NouvelleFacture}},
    {PageId::Rooms,
     {Cmd::ListeChambres, Cmd::RechercherChambre, Cmd::RechercherOccupant, Cmd::TrierChambres,
      Cmd::ToutesLesChambres, Cmd::ChambresCategorie, Cmd::ChambresNombreLits, Cmd::ChambresLibres,
      Cmd::TransfertChambre, Cmd::FermerChambre, Cmd::LibererChambre}},
    {PageId::Invoices,
     {Cmd::ChercherFacture, Cmd::ToutesLesFactures, Cmd::FacturesClient, Cmd::SupprimerFacture,
      Cmd::ImprimerFacture, Cmd::ListeFactures, Cmd::SupprimerLigneFacture}},
    {PageId::Articles,
     {Cmd::ListeArticles, Cmd::RechercherArticle, Cmd::TousLesArticles, Cmd::ArticlesFamille}},
    {PageId::Suppliers,
     {Cmd::ListeFournisseurs, Cmd::RechercherFournisseur, Cmd::TousLesFournisseurs,
      Cmd::FournisseursFamille, Cmd::NouvelleCommande}},
    {PageId::Orders,
     {Cmd::SupprimerCommande, Cmd::ImprimerCommande, Cmd::ListeCommandes,
      Cmd::SupprimerLigneCommande}},
};

const std::vector<Cmd> kOpenSetCommands = {
    Cmd::BoutonImprimer,  Cmd::BoutonEnveloppe, Cmd::Enregistrer,    Cmd::BoutonEnregistrer,
    Cmd::BoutonPremier,   Cmd::BoutonPrecedent, Cmd::BoutonSuivant,  Cmd::BoutonDernier,
    Cmd::BoutonCopier,    Cmd::BoutonColler,    Cmd::Copier,         Cmd::Coller,
    Cmd::Premier,         Cmd::Precedent,       Cmd::Suivant,        Cmd::Dernier,
    Cmd::EnregistrerSous, Cmd::NouvelleFiche,   Cmd::SupprimerFiche, Cmd::Exporter,
    Cmd::Liste,           Cmd::ImprimerFiche,   Cmd::Imprimer};

QString caption(Cmd cmd)
{
    return menuItem(cmd)->caption.toString();
}

} // namespace

TEST(CommandTables, EveryCommandHasExactlyOneMenuLineOrButton)
{
    QSet<int> seen;
    std::function<void(std::span<const MenuItem>)> visit = [&](std::span<const MenuItem> items) {
        for (const MenuItem &item : items) {
            if (item.isSeparator())
                continue;
            EXPECT_FALSE(seen.contains(int(item.cmd))) << caption(item.cmd).toStdString();
            seen.insert(int(item.cmd));
            visit(item.submenu);
        }
    };
    for (const Menu &menu : menuBar())
        visit(menu.items);
    for (const ToolButton &button : toolBar()) {
        EXPECT_FALSE(seen.contains(int(button.cmd)));
        seen.insert(int(button.cmd));
        // A button runs a menu command, never another button.
        EXPECT_TRUE(button.runs == Cmd::None || menuItem(button.runs)) << int(button.cmd);
    }
    EXPECT_EQ(seen.size(), kCmdCount - 1);
    EXPECT_EQ(toolBar().size(), 18u);
}

TEST(CommandTables, MenusAreLaidOutAsShown)
{
    QStringList titles;
    QList<int> contexts;
    for (const Menu &menu : menuBar()) {
        titles << menu.caption.toString();
        contexts << menu.helpContext;
        // Separators only ever stand between two items.
        ASSERT_FALSE(menu.items.empty());
        EXPECT_FALSE(menu.items.front().isSeparator());
        EXPECT_FALSE(menu.items.back().isSeparator());
        for (std::size_t i = 1; i < menu.items.size(); ++i)
            EXPECT_FALSE(menu.items[i].isSeparator() && menu.items[i - 1].isSeparator());
    }
    EXPECT_EQ(titles, QStringList({"&Fichier", "&Ediiton", "&Bases", "&Réception", "&Achat",
                                   "&Sélection", "&Outils", "&Paramètres", "&Utilitaires", "&?"}));
    EXPECT_EQ(contexts, QList<int>({3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));

    // The selection groups are set apart by separators, one after each group.
    const std::span<const MenuItem> selection = menuBar()[5].items;
    for (std::size_t i = 1; i + 1 < selection.size(); ++i) {
        const auto before = selectionItem(selection[i - 1].cmd);
        const auto after = selectionItem(selection[i + 1].cmd);
        if (selection[i].isSeparator()) {
            EXPECT_NE(before->group, after->group);
        } else {
            EXPECT_TRUE(selectionItem(selection[i].cmd));
        }
    }

    // Alt+X on "&Quitter" is the only shortcut: the other keys belong to the
    // record window, and the captions only remind of them.
    int shortcuts = 0;
    for (const Menu &menu : menuBar())
        for (const MenuItem &item : menu.items)
            shortcuts += !item.shortcut.isEmpty();
    EXPECT_EQ(shortcuts, 1);
    EXPECT_EQ(menuItem(Cmd::Quitter)->shortcut, u"Alt+X");
    EXPECT_TRUE(caption(Cmd::Liste).endsWith("                           F2"));
    EXPECT_EQ(menuItem(Cmd::Imprimer)->submenu.size(), 4u);
}

TEST(CommandTables, HintsSplitAtTheBar)
{
    const ToolButton *save = toolButton(Cmd::BoutonEnregistrer);
    EXPECT_EQ(save->hint, u"Enregistrer|");
    EXPECT_EQ(shortHint(save->hint), u"Enregistrer");
    EXPECT_EQ(longHint(save->hint), u"");
    EXPECT_EQ(shortHint(u"Nouveau dossier"), u"Nouveau dossier");
    EXPECT_EQ(longHint(u"Nouveau dossier"), u"Nouveau dossier");
    EXPECT_EQ(longHint(u"court|long"), u"long");
}

TEST(CommandTables, PagesAndTheirSelectors)
{
    for (PageId page : kPages) {
        EXPECT_EQ(pageSelectedBy(pageItem(page)), page);
        if (pageButton(page) != Cmd::None) {
            EXPECT_EQ(pageSelectedBy(pageButton(page)), page);
        }
    }
    EXPECT_EQ(pageButton(PageId::Suppliers), Cmd::None);
    EXPECT_EQ(pageSelectedBy(Cmd::BoutonClient), PageId::Clients);
    EXPECT_EQ(pageSelectedBy(Cmd::Premier), std::nullopt);
    EXPECT_EQ(operationOf(Cmd::BoutonImprimer), Cmd::ImprimerFiche);
    EXPECT_EQ(operationOf(Cmd::BoutonCopier), Cmd::None);
    EXPECT_EQ(operationOf(Cmd::Copier), Cmd::Copier);
}

TEST(CommandState, StartsAsTheMenusSay)
{
    const CommandState state;
    for (Cmd cmd : {Cmd::Nouveau, Cmd::Ouvrir, Cmd::Importer, Cmd::Copier, Cmd::Planning,
                    Cmd::ArriveeClient, Cmd::NouvelleCommande, Cmd::BoutonNouvelleFiche,
                    Cmd::BoutonPlanning, Cmd::OuvrirAutomatiquement})
        EXPECT_TRUE(state.enabled(cmd)) << caption(operationOf(cmd)).toStdString();
    for (Cmd cmd : {Cmd::Enregistrer, Cmd::BoutonEnregistrer, Cmd::Imprimer, Cmd::Exporter,
                    Cmd::Suivant, Cmd::BoutonSuivant, Cmd::BoutonCopier, Cmd::ListeClients,
                    Cmd::TousLesClients, Cmd::BoutonImprimer})
        EXPECT_FALSE(state.enabled(cmd)) << int(cmd);
    for (Cmd all : {Cmd::TousLesClients, Cmd::ToutesLesChambres, Cmd::ToutesLesFactures,
                    Cmd::TousLesArticles, Cmd::TousLesFournisseurs})
        EXPECT_TRUE(state.checked(all));
    EXPECT_FALSE(state.checked(Cmd::ClientsVille));
    EXPECT_FALSE(state.checked(Cmd::OuvrirAutomatiquement));
}

TEST(CommandState, EachPageDisablesOnlyItsOwnSelectorAndEnablesItsOwnCommands)
{
    for (PageId shown : kPages) {
        CommandState state;
        state.ValidePage(shown);
        SCOPED_TRACE(int(shown));
        for (PageId page : kPages) {
            EXPECT_EQ(state.enabled(pageItem(page)), page != shown);
            if (pageButton(page) != Cmd::None) {
                EXPECT_EQ(state.enabled(pageButton(page)), page != shown);
            }
        }
        for (const auto &[page, cmds] : kPageBound)
            for (Cmd cmd : cmds)
                EXPECT_EQ(state.enabled(cmd), page == shown) << caption(cmd).toStdString();
        // Every page offers these.
        for (Cmd cmd :
             {Cmd::BoutonPremier, Cmd::BoutonPrecedent, Cmd::BoutonSuivant, Cmd::BoutonDernier,
              Cmd::BoutonCopier, Cmd::BoutonColler, Cmd::Copier, Cmd::Coller, Cmd::EnregistrerSous,
              Cmd::NouvelleFiche, Cmd::SupprimerFiche, Cmd::Exporter})
            EXPECT_TRUE(state.enabled(cmd)) << int(cmd);
        // but not, without a set, saving, the moves of "&Bases" or printing.
        for (Cmd cmd : {Cmd::Enregistrer, Cmd::BoutonEnregistrer, Cmd::Premier, Cmd::Suivant,
                        Cmd::Liste, Cmd::ImprimerFiche, Cmd::Imprimer, Cmd::BoutonImprimer})
            EXPECT_FALSE(state.enabled(cmd)) << int(cmd);
    }

    // On the main courante page, its button and item are off, the invoices' on.
    CommandState state;
    state.ValidePage(PageId::MainCourante);
    EXPECT_FALSE(state.enabled(Cmd::BoutonMainCourante));
    EXPECT_FALSE(state.enabled(Cmd::MainCourante));
    EXPECT_TRUE(state.enabled(Cmd::Factures));
    EXPECT_TRUE(state.enabled(Cmd::BoutonFacture));
}

TEST(CommandState, SwitchingFromTheRoomsPageToTheInvoicePageLeavesTheRoomReceptionCommandsDisabled)
{
    CommandState state;
    state.ValidePage(PageId::Rooms);
    EXPECT_TRUE(state.enabled(Cmd::TransfertChambre));
    state.ValidePage(PageId::Invoices);
    for (Cmd cmd : {Cmd::TransfertChambre, Cmd::FermerChambre, Cmd::LibererChambre})
        EXPECT_FALSE(state.enabled(cmd)) << caption(cmd).toStdString();
    EXPECT_TRUE(state.enabled(Cmd::SupprimerFacture));
}

TEST(CommandState, ValideEnablesTheOpenSetCommandsForGood)
{
    CommandState state;
    state.ValidePage(PageId::Planning);
    state.Valide();
    for (Cmd cmd : kOpenSetCommands)
        EXPECT_TRUE(state.enabled(cmd)) << int(cmd);
    // It touches nothing page-bound.
    EXPECT_FALSE(state.enabled(Cmd::ListeClients));
    EXPECT_FALSE(state.enabled(Cmd::Planning));

    // No page selection takes them back.
    for (PageId page : kPages) {
        state.ValidePage(page);
        for (Cmd cmd : kOpenSetCommands)
            EXPECT_TRUE(state.enabled(cmd)) << int(cmd);
    }
}

TEST(CommandState, SelectionMenusAreRadioGroups)
{
    CommandState state;
    EXPECT_EQ(state.select(Cmd::ClientsVille), 3);
    EXPECT_TRUE(state.checked(Cmd::ClientsVille));
    EXPECT_FALSE(state.checked(Cmd::TousLesClients));
    // Other groups keep their choice.
    EXPECT_TRUE(state.checked(Cmd::ToutesLesChambres));

    EXPECT_EQ(state.select(Cmd::ClientsPresents), 5);
    EXPECT_FALSE(state.checked(Cmd::ClientsVille));
    EXPECT_EQ(state.select(Cmd::TousLesClients), 1);
    EXPECT_FALSE(state.checked(Cmd::ClientsPresents));

    // Invoices count from 0.
    EXPECT_EQ(state.select(Cmd::FacturesClient), 1);
    EXPECT_EQ(state.select(Cmd::ToutesLesFactures), 0);
    EXPECT_FALSE(state.checked(Cmd::FacturesClient));
    EXPECT_EQ(state.select(Cmd::ChambresLibres), 4);
    EXPECT_EQ(state.select(Cmd::FournisseursFamille), 2);
    EXPECT_FALSE(state.checked(Cmd::TousLesFournisseurs));

    EXPECT_EQ(state.select(Cmd::Premier), -1);
    EXPECT_FALSE(state.checked(Cmd::Premier));

    state.Decoche(SelectionGroup::Rooms);
    for (Cmd cmd : {Cmd::ToutesLesChambres, Cmd::ChambresCategorie, Cmd::ChambresNombreLits,
                    Cmd::ChambresLibres})
        EXPECT_FALSE(state.checked(cmd));
    EXPECT_TRUE(state.checked(Cmd::TousLesClients));
}

TEST(RecordKeys, MoveBetweenCards)
{
    EXPECT_EQ(recordKey(Qt::Key_PageDown, Qt::NoModifier), Cmd::Suivant);
    EXPECT_EQ(recordKey(Qt::Key_PageUp, Qt::NoModifier), Cmd::Precedent);
    EXPECT_EQ(recordKey(Qt::Key_F2, Qt::NoModifier), Cmd::Liste);
    EXPECT_EQ(recordKey(Qt::Key_Home, Qt::ControlModifier), Cmd::Premier);
    EXPECT_EQ(recordKey(Qt::Key_End, Qt::ControlModifier), Cmd::Dernier);
    EXPECT_EQ(recordKey(Qt::Key_End, Qt::ControlModifier | Qt::KeypadModifier), Cmd::Dernier);
    // Home and End without Ctrl, or with more than Ctrl, stay the field's.
    EXPECT_EQ(recordKey(Qt::Key_Home, Qt::NoModifier), Cmd::None);
    EXPECT_EQ(recordKey(Qt::Key_End, Qt::ControlModifier | Qt::ShiftModifier), Cmd::None);
    EXPECT_EQ(recordKey(Qt::Key_Home, Qt::ControlModifier | Qt::AltModifier), Cmd::None);
    EXPECT_EQ(recordKey(Qt::Key_Delete, Qt::NoModifier), Cmd::None);
    EXPECT_EQ(recordKey(Qt::Key_A, Qt::ControlModifier), Cmd::None);
}
