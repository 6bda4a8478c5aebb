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
        for (const MenuItem &item : items) {
            if (item.isSeparator())
                continue;
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
