#pragma once

#include "store/ui.h"

#include <QString>
#include <QTextDocument>

#include <array>
#include <functional>

// The letter editor without its window: the letter, its file name, the
// letterhead new letters begin with, and the rules of new, open, save and
// close. A letter is never lost: replacing or closing a modified letter
// asks first, and it counts as saved only once its file is on disk.
class Letter
{
public:
    // The open and save dialogs for rich text files; empty when cancelled.
    // The save dialog is offered the current name.
    struct Files
    {
        std::function<QString()> chooseOpen;
        std::function<QString(const QString &current)> chooseSave;
    };

    Letter(Ui &ui, Files files);

    QTextDocument &document() { return m_doc; }
    QString fileName() const { return m_fileName; }
    bool modified() const { return m_doc.isModified(); }

    // The company name, the two address lines and the postcode and town;
    // a new letter begins with them, one per paragraph. The letter shown is
    // started again on them, unmodified.
    void Setsoc(const std::array<QString, 4> &lines);

    // "Enregistrer changements dans <name> ?" when the letter is modified:
    // Yes saves (a save cancelled or failed counts as Cancel), No goes on
    // without saving. False when the person cancels.
    bool confirmDiscard();

    // The tool bar's commands; each returns whether it was done.
    bool newLetter();
    bool open();
    // Only a modified letter is saved: the save dialog, then the file
    // written whole or not at all. A failure is told and leaves the
    // letter modified.
    bool save();
    // Whether the window may close.
    bool close() { return confirmDiscard(); }

    // Reads or writes a letter without dialogs; a failure is told.
    bool load(const QString &path);
    bool writeTo(const QString &path);

private:
    Ui &m_ui;
    Files m_files;
    QTextDocument m_doc;
    QString m_fileName;
    std::array<QString, 4> m_letterhead;
};
