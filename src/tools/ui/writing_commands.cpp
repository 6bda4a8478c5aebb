#include "writing_commands.h"

#include "blocnotes_window.h"
#include "messages_window.h"
#include "commands/command_host.h"
#include "store/fiche.h"
#include "texte_window.h"
#include "tools/notepad.h"

#include <QDir>
#include <QFile>

namespace {

void openLetters(CommandHost &host)
{
    const Company &company = host.fiche().company();
    TTexte window(host.ui(), host.dialogParent());
    window.Setsoc({company.lines[0], company.lines[1], company.lines[2], company.lines[3]});
    window.setWindowState(Qt::WindowMaximized);
    host.showDialog(window);
}

// The messages of a set never saved stay with the program until the set has
// a name: the first pad opened then writes them to its file.
void openMessages(CommandHost &host, MessagePad &untitled)
{
    Fiche &fiche = host.fiche();
    const MessageFile file = messageFileFor(fiche.set().clientFile(), fiche.readOnly());
    MessagePad pad;
    MessagePad *shown = &pad;
    QString error;
    if (file.path.isEmpty()) {
        shown = &untitled;
    } else if (untitled.modified() && file.writable && !QFile::exists(file.path)) {
        pad = untitled;
        untitled = MessagePad();
    } else if (!pad.Charge(file.path, &error)) {
        host.ui().inform(error);
    }
    TFicheMsg window(*shown, host.dialogParent());
    window.setNote(file.note);
    host.showDialog(window);
    shown->EcritFiche();
    if (file.writable && !shown->Sauve(file.path, &error))
        host.ui().inform(error);
}

void openNotepad(CommandHost &host)
{
    // The settings folder is the current one for the whole run.
    TBlocnotes window(host.ui(), host.dialogParent());
    window.Charge(notepad::fileIn(QDir::currentPath()));
    host.showDialog(window);
    // A test answering the dialog closes it without reject().
    window.Sauve();
}

} // namespace

void installWriting(CommandHost &host)
{
    auto untitled = std::make_shared<MessagePad>();
    host.keep(untitled);
    host.setHandler(Cmd::TraitementTexte, [&host] { openLetters(host); });
    host.setHandler(Cmd::Messages, [&host, pad = untitled.get()] { openMessages(host, *pad); });
    host.setHandler(Cmd::BlocNotes, [&host] { openNotepad(host); });
}
