#include "commands/commands.h"

#include <QSet>

#include <gtest/gtest.h>

namespace {

constexpr PageId kPages[] = {PageId::Planning,  PageId::Clients,      PageId::Rooms,
                             PageId::Invoices,  PageId::MainCourante, PageId::Articles,
                             PageId::Suppliers, PageId::Orders};

std::string caption(Cmd cmd)
{
    return menuItem(cmd) ? menuItem(cmd)->caption.toString().toStdString() : std::to_string(int(cmd));
}

} // namespace

TEST(CommandTables, EveryCommandHasExactlyOneMenuLineOrButton)
{
    QSet<int> seen;
    QSet<QString> keys;
    std::function<void(std::span<const MenuItem>)> visit = [&](std::span<const MenuItem> items) {
        ASSERT_FALSE(items.empty());
        EXPECT_FALSE(items.front().isSeparator());
        EXPECT_FALSE(items.back().isSeparator());
        for (std::size_t i = 0; i < items.size(); ++i) {
            const MenuItem &item = items[i];
            if (item.isSeparator()) {
                EXPECT_FALSE(items[i - 1].isSeparator());
                continue;
            }
            EXPECT_FALSE(item.caption.isEmpty()) << int(item.cmd);
            EXPECT_FALSE(seen.contains(int(item.cmd))) << caption(item.cmd);
            seen.insert(int(item.cmd));
            // A menu key is unique, and leaves the record window's keys alone.
            for (const QString &key : item.shortcut.toString().split(QStringLiteral("; "), Qt::SkipEmptyParts)) {
                EXPECT_FALSE(keys.contains(key)) << caption(item.cmd);
                EXPECT_FALSE(key.contains(u"Home") || key.contains(u"End") || key.startsWith(u"Page") ||
                             key == u"F2")
                    << caption(item.cmd);
                keys.insert(key);
            }
            if (!item.submenu.empty())
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
    EXPECT_EQ(menuItem(Cmd::Quitter)->shortcut, u"Ctrl+Q; Alt+X");
    for (PageId page : kPages) {
        EXPECT_EQ(pageSelectedBy(pageItem(page)), page);
        if (pageButton(page) != Cmd::None) {
            EXPECT_EQ(pageSelectedBy(pageButton(page)), page);
        }
    }
    EXPECT_EQ(pageSelectedBy(Cmd::Premier), std::nullopt);

    // The selection groups are set apart by separators, one after each group.
    const std::span<const MenuItem> selection = menuBar()[5].items;
    for (std::size_t i = 1; i + 1 < selection.size(); ++i) {
        if (selection[i].isSeparator()) {
            EXPECT_NE(selectionItem(selection[i - 1].cmd)->group, selectionItem(selection[i + 1].cmd)->group);
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
// outlive it (rooms then invoices once left the reception commands on): it
// must agree with a fresh one showing that page first.
TEST(CommandState, EachPageDisablesOnlyItsOwnSelectorAndEnablesItsOwnCommands)
{
    // One command bound to each page.
    const std::pair<Cmd, PageId> bound[] = {
        {Cmd::ArriveeClient, PageId::Clients},     {Cmd::TransfertChambre, PageId::Rooms},
        {Cmd::SupprimerLigneFacture, PageId::Invoices}, {Cmd::ArticlesFamille, PageId::Articles},
        {Cmd::NouvelleCommande, PageId::Suppliers}, {Cmd::ImprimerCommande, PageId::Orders}};
    CommandState carried;
    for (PageId shown : kPages) {
        SCOPED_TRACE(int(shown));
        CommandState fresh;
        fresh.ValidePage(shown);
        carried.ValidePage(shown);
        for (int c = 0; c < kCmdCount; ++c)
            EXPECT_EQ(carried.enabled(Cmd(c)), fresh.enabled(Cmd(c))) << caption(Cmd(c));
        for (PageId page : kPages) {
            EXPECT_EQ(fresh.enabled(pageItem(page)), page != shown);
            if (pageButton(page) != Cmd::None) {
                EXPECT_EQ(fresh.enabled(pageButton(page)), page != shown);
            }
        }
        for (const auto &[cmd, page] : bound)
            EXPECT_EQ(fresh.enabled(cmd), page == shown) << caption(cmd);
        // Every page offers the moves and card commands, but not, without a
        // set, saving, the moves of "&Bases" or printing.
        for (Cmd cmd : {Cmd::BoutonSuivant, Cmd::Coller, Cmd::NouvelleFiche, Cmd::Exporter})
            EXPECT_TRUE(fresh.enabled(cmd)) << caption(cmd);
        for (Cmd cmd : {Cmd::Enregistrer, Cmd::Suivant, Cmd::Liste, Cmd::Imprimer, Cmd::BoutonImprimer})
            EXPECT_FALSE(fresh.enabled(cmd)) << caption(cmd);
    }
}

TEST(CommandState, ValideEnablesTheOpenSetCommandsForGood)
{
    CommandState state;
    for (Cmd cmd : {Cmd::Nouveau, Cmd::Ouvrir, Cmd::Importer, Cmd::OuvrirAutomatiquement})
        EXPECT_TRUE(state.enabled(cmd)) << caption(cmd);
    state.ValidePage(PageId::Planning);
    state.Valide();
    // It touches nothing page-bound, and no page selection takes them back.
    EXPECT_FALSE(state.enabled(Cmd::ListeClients));
    EXPECT_FALSE(state.enabled(Cmd::Planning));
    for (PageId page : kPages) {
        state.ValidePage(page);
        for (Cmd cmd : {Cmd::Enregistrer, Cmd::BoutonEnregistrer, Cmd::Premier, Cmd::Dernier, Cmd::Liste,
                        Cmd::ImprimerFiche, Cmd::Imprimer, Cmd::BoutonImprimer, Cmd::BoutonEnveloppe})
            EXPECT_TRUE(state.enabled(cmd)) << caption(cmd);
    }
}

// Choosing any line of a selection menu checks it alone in its group and
// leaves the other groups' choices; each group starts on its "all" line.
TEST(CommandState, SelectionMenusAreRadioGroups)
{
    CommandState state;
    auto checkedOf = [&](SelectionGroup group) {
        QList<Cmd> out;
        for (int c = 0; c < kCmdCount; ++c)
            if (selectionItem(Cmd(c)) && selectionItem(Cmd(c))->group == group && state.checked(Cmd(c)))
                out << Cmd(c);
        return out;
    };
    for (Cmd all : {Cmd::TousLesClients, Cmd::ToutesLesChambres, Cmd::ToutesLesFactures,
                    Cmd::TousLesArticles, Cmd::TousLesFournisseurs})
        EXPECT_EQ(checkedOf(selectionItem(all)->group), QList<Cmd>{all});
    EXPECT_FALSE(state.checked(Cmd::OuvrirAutomatiquement));
    EXPECT_EQ(state.select(Cmd::ToutesLesFactures), 0); // invoices count from 0
    for (Cmd cmd : {Cmd::ClientsVille, Cmd::ClientsPresents, Cmd::FacturesClient, Cmd::ChambresLibres,
                    Cmd::FournisseursFamille}) {
        EXPECT_GT(state.select(cmd), 0);
        EXPECT_EQ(checkedOf(selectionItem(cmd)->group), QList<Cmd>{cmd});
    }
    // Other groups keep their choice.
    EXPECT_EQ(checkedOf(SelectionGroup::Articles), QList<Cmd>{Cmd::TousLesArticles});
    EXPECT_EQ(checkedOf(SelectionGroup::Clients), QList<Cmd>{Cmd::ClientsPresents});
    EXPECT_EQ(state.select(Cmd::Premier), -1);
    EXPECT_FALSE(state.checked(Cmd::Premier));
    state.Decoche(SelectionGroup::Rooms);
    EXPECT_TRUE(checkedOf(SelectionGroup::Rooms).isEmpty());
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
    // In a card's notes Ctrl+Home and Ctrl+End move in the text; the page
    // keys still move between cards.
    EXPECT_EQ(recordKey(Qt::Key_End, Qt::ControlModifier, true), Cmd::None);
    EXPECT_EQ(recordKey(Qt::Key_PageDown, Qt::NoModifier, true), Cmd::Suivant);
}
