#pragma once

#include "clients/client_page.h"
#include "scripted_ui.h"
#include "store/table_helpers.h"

// A record window showing the client page over a client table built from
// literal lines (Latin-1 literals stand for their Windows-1252 bytes).
struct ClientTable
{
    ScriptedUi ui;
    Fiche fiche{ui};
    ClientPage page{fiche};

    explicit ClientTable(const QStringList &lines = {}, int position = 0)
    {
        fiche.setPage(PageId::Clients, &page);
        set().table(Table::Clients).setBytes(crlf(lines));
        set().setCount(Table::Clients, set().table(Table::Clients).countBlocks());
        set().setPosition(Table::Clients, position);
        fiche.selectPage(PageId::Clients);
    }
    FileSet &set() { return fiche.set(); }
    RecordTable &table() { return set().table(Table::Clients); }
    QStringList lines() { return linesOf(table()); }
    int position() { return set().position(Table::Clients); }
};

struct ClientFields
{
    QString code = {}, name = {}, postalCode = "75011", town = "PARIS", country = "FRANCE",
            situation = "3", room = {};
    QStringList tagged = {};
};

// A client block numbered n: the 24 field lines, then the tagged lines.
inline QStringList clientBlock(int n, const ClientFields &f)
{
    const QString num = RecordTable::numberText(n, 5);
    return QStringList{"<BLOC" + num + ">", f.code, "N", "N", f.name, "1 rue Haute", "",
                       f.postalCode, f.town, f.country, "0143000000", "", "", "04/03/2026", "", "",
                       f.room, "", "1", "  /  /    ", "", "", "", "", f.situation} +
           f.tagged + QStringList{"</BLOC" + num + ">"};
}
