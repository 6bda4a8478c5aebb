#include "commands/commands.h"

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

// Saving, the moves, the card commands and printing.
const std::vector<Cmd> kOpenSetCommands = {
    Cmd::BoutonImprimer,  Cmd::BoutonEnveloppe, Cmd::Enregistrer,    Cmd::BoutonEnregistrer,
    Cmd::BoutonPremier,   Cmd::BoutonPrecedent, Cmd::BoutonSuivant,  Cmd::BoutonDernier,
    Cmd::BoutonCopier,    Cmd::BoutonColler,    Cmd::Copier,         Cmd::Coller,
    Cmd::Premier,         Cmd::Precedent,       Cmd::Suivant,        Cmd::Dernier,
    Cmd::EnregistrerSous, Cmd::NouvelleFiche,   Cmd::SupprimerFiche, Cmd::Exporter,
    Cmd::Liste,           Cmd::ImprimerFiche,   Cmd::Imprimer};

std::string caption(Cmd cmd)
{
    return menuItem(cmd)->caption.toString().toStdString();
}

} // namespace

TEST(CommandTables, EveryCommandHasExactlyOneMenuLineOrButton)
{
    QSet<int> seen;
    std::function<void(std::span<const MenuItem>)> visit = [&](std::span<const MenuItem> items) {
        for (const MenuItem &item : items) {
            if (item.isSeparator())
                continue;
            EXPECT_FALSE(seen.contains(int(item.cmd))) << caption(item.cmd);
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

    for (PageId page : kPages) {
        EXPECT_EQ(pageSelectedBy(pageItem(page)), page);
        if (pageButton(page) != Cmd::None) {
            EXPECT_EQ(pageSelectedBy(pageButton(page)), page);
        }
    }
    EXPECT_EQ(pageSelectedBy(Cmd::Premier), std::nullopt);
    EXPECT_EQ(operationOf(Cmd::BoutonImprimer), Cmd::ImprimerFiche);
    EXPECT_EQ(operationOf(Cmd::BoutonCopier), Cmd::None);
    EXPECT_EQ(operationOf(Cmd::Copier), Cmd::Copier);
}

TEST(CommandTables, SeparatorsSetGroupsApartAndOnlyQuitAndTheDayHaveShortcuts)
{
    int shortcuts = 0;
    for (const Menu &menu : menuBar()) {
        ASSERT_FALSE(menu.items.empty());
        EXPECT_FALSE(menu.items.front().isSeparator());
        EXPECT_FALSE(menu.items.back().isSeparator());
        for (std::size_t i = 0; i < menu.items.size(); ++i) {
            EXPECT_FALSE(i > 0 && menu.items[i].isSeparator() && menu.items[i - 1].isSeparator());
            shortcuts += !menu.items[i].shortcut.isEmpty();
        }
    }
    // The keys every desktop program has, Alt+X kept on "&Quitter", and F3
    // on "&Journée...": the other keys belong to the record window.
    EXPECT_EQ(shortcuts, 5);
    EXPECT_EQ(menuItem(Cmd::Quitter)->shortcut, u"Ctrl+Q; Alt+X");
    EXPECT_EQ(menuItem(Cmd::Nouveau)->shortcut, u"Ctrl+N");
    EXPECT_EQ(menuItem(Cmd::Ouvrir)->shortcut, u"Ctrl+O");
    EXPECT_EQ(menuItem(Cmd::ImprimerFiche)->shortcut, u"Ctrl+P");
    EXPECT_EQ(menuItem(Cmd::Journee)->shortcut, u"F3");

    // The selection groups are set apart by separators, one after each group.
    const std::span<const MenuItem> selection = menuBar()[5].items;
    for (std::size_t i = 1; i + 1 < selection.size(); ++i) {
        if (selection[i].isSeparator()) {
            EXPECT_NE(selectionItem(selection[i - 1].cmd)->group,
                      selectionItem(selection[i + 1].cmd)->group);
        } else {
            EXPECT_TRUE(selectionItem(selection[i].cmd));
        }
    }
}

TEST(CommandTables, HintsSplitAtTheBar)
{
    EXPECT_EQ(shortHint(u"Enregistrer|"), u"Enregistrer");
    EXPECT_EQ(longHint(u"Enregistrer|"), u"");
    EXPECT_EQ(longHint(u"court|long"), u"long");
    EXPECT_EQ(shortHint(u"Nouveau dossier"), u"Nouveau dossier");
    EXPECT_EQ(longHint(u"Nouveau dossier"), u"Nouveau dossier");
}

// One state goes through every page in turn, so that no page's commands
// outlive it (rooms then invoices once left the reception commands on), and
// a fresh one shows each page as the first.
TEST(CommandState, EachPageDisablesOnlyItsOwnSelectorAndEnablesItsOwnCommands)
{
    CommandState carried;
    for (PageId shown : kPages) {
        CommandState fresh;
        for (CommandState *state : {&fresh, &carried}) {
            state->ValidePage(shown);
            SCOPED_TRACE(int(shown));
            for (PageId page : kPages) {
                EXPECT_EQ(state->enabled(pageItem(page)), page != shown);
                if (pageButton(page) != Cmd::None) {
                    EXPECT_EQ(state->enabled(pageButton(page)), page != shown);
                }
            }
            for (const auto &[page, cmds] : kPageBound)
                for (Cmd cmd : cmds)
                    EXPECT_EQ(state->enabled(cmd), page == shown) << caption(cmd);
            // Every page offers these,
            for (Cmd cmd :
                 {Cmd::BoutonPremier, Cmd::BoutonPrecedent, Cmd::BoutonSuivant, Cmd::BoutonDernier,
                  Cmd::BoutonCopier, Cmd::BoutonColler, Cmd::Copier, Cmd::Coller,
                  Cmd::EnregistrerSous, Cmd::NouvelleFiche, Cmd::SupprimerFiche, Cmd::Exporter})
                EXPECT_TRUE(state->enabled(cmd)) << int(cmd);
            // but not, without a set, saving, the moves of "&Bases" or printing.
            for (Cmd cmd : {Cmd::Enregistrer, Cmd::BoutonEnregistrer, Cmd::Premier, Cmd::Suivant,
                            Cmd::Liste, Cmd::ImprimerFiche, Cmd::Imprimer, Cmd::BoutonImprimer})
                EXPECT_FALSE(state->enabled(cmd)) << int(cmd);
        }
    }
}

TEST(CommandState, ValideEnablesTheOpenSetCommandsForGood)
{
    CommandState state;
    for (Cmd cmd : {Cmd::Nouveau, Cmd::Ouvrir, Cmd::Importer, Cmd::OuvrirAutomatiquement})
        EXPECT_TRUE(state.enabled(cmd)) << int(cmd);
    for (Cmd cmd : {Cmd::Enregistrer, Cmd::Suivant, Cmd::BoutonSuivant, Cmd::BoutonImprimer})
        EXPECT_FALSE(state.enabled(cmd)) << int(cmd);
    state.ValidePage(PageId::Planning);
    state.Valide();
    // It touches nothing page-bound, and no page selection takes them back.
    EXPECT_FALSE(state.enabled(Cmd::ListeClients));
    EXPECT_FALSE(state.enabled(Cmd::Planning));
    for (PageId page : kPages) {
        state.ValidePage(page);
        for (Cmd cmd : kOpenSetCommands)
            EXPECT_TRUE(state.enabled(cmd)) << int(cmd);
    }
}

TEST(CommandState, SelectionMenusAreRadioGroups)
{
    CommandState state;
    auto checkedOf = [&](SelectionGroup group) {
        QList<Cmd> out;
        for (int c = 0; c < kCmdCount; ++c)
            if (selectionItem(Cmd(c)) && selectionItem(Cmd(c))->group == group &&
                state.checked(Cmd(c)))
                out << Cmd(c);
        return out;
    };
    for (Cmd all : {Cmd::TousLesClients, Cmd::ToutesLesChambres, Cmd::ToutesLesFactures,
                    Cmd::TousLesArticles, Cmd::TousLesFournisseurs})
        EXPECT_EQ(checkedOf(selectionItem(all)->group), QList<Cmd>{all});
    EXPECT_FALSE(state.checked(Cmd::OuvrirAutomatiquement));
    // The number each choice gives; invoices count from 0.
    const std::pair<Cmd, int> choices[] = {{Cmd::ClientsVille, 3},       {Cmd::ClientsPresents, 5},
                                           {Cmd::TousLesClients, 1},     {Cmd::FacturesClient, 1},
                                           {Cmd::ToutesLesFactures, 0},  {Cmd::ChambresLibres, 4},
                                           {Cmd::FournisseursFamille, 2}};
    for (const auto &[cmd, number] : choices) {
        EXPECT_EQ(state.select(cmd), number);
        EXPECT_EQ(checkedOf(selectionItem(cmd)->group), QList<Cmd>{cmd});
    }
    // Other groups keep their choice.
    EXPECT_EQ(checkedOf(SelectionGroup::Articles), QList<Cmd>{Cmd::TousLesArticles});
    EXPECT_EQ(checkedOf(SelectionGroup::Clients), QList<Cmd>{Cmd::TousLesClients});

    EXPECT_EQ(state.select(Cmd::Premier), -1);
    EXPECT_FALSE(state.checked(Cmd::Premier));
    state.Decoche(SelectionGroup::Rooms);
    EXPECT_TRUE(checkedOf(SelectionGroup::Rooms).isEmpty());
    EXPECT_TRUE(state.checked(Cmd::TousLesClients));
}

TEST(RecordKeys, MoveBetweenCards)
{
    EXPECT_EQ(recordKey(Qt::Key_PageDown, Qt::NoModifier), Cmd::Suivant);
    EXPECT_EQ(recordKey(Qt::Key_PageUp, Qt::NoModifier), Cmd::Precedent);
    EXPECT_EQ(recordKey(Qt::Key_F2, Qt::NoModifier), Cmd::Liste);
    EXPECT_EQ(recordKey(Qt::Key_Home, Qt::ControlModifier), Cmd::Premier);
    EXPECT_EQ(recordKey(Qt::Key_End, Qt::ControlModifier | Qt::KeypadModifier), Cmd::Dernier);
    // Home and End without Ctrl, or with more than Ctrl, stay the field's.
    EXPECT_EQ(recordKey(Qt::Key_Home, Qt::NoModifier), Cmd::None);
    EXPECT_EQ(recordKey(Qt::Key_End, Qt::ControlModifier | Qt::ShiftModifier), Cmd::None);
    EXPECT_EQ(recordKey(Qt::Key_Home, Qt::ControlModifier | Qt::AltModifier), Cmd::None);
    EXPECT_EQ(recordKey(Qt::Key_A, Qt::ControlModifier), Cmd::None);
    // In a card's notes Ctrl+Home and Ctrl+End move in the text; the page
    // keys still move between cards.
    EXPECT_EQ(recordKey(Qt::Key_End, Qt::ControlModifier, true), Cmd::None);
    EXPECT_EQ(recordKey(Qt::Key_Home, Qt::ControlModifier, true), Cmd::None);
    EXPECT_EQ(recordKey(Qt::Key_PageDown, Qt::NoModifier, true), Cmd::Suivant);
}
