#pragma once

#include "store/backup.h"
#include "store/fiche.h"
#include "store/set_lock.h"

#include <QString>

#include <atomic>
#include <functional>
#include <memory>

// The main window's file commands and start-up, without a window: the save
// prompt, open, new, save, save as, closing, the deletion confirmation and
// the automatic opening. Message boxes and file dialogs go through Ui.
class MainController
{
public:
    MainController(Fiche &fiche, Ui &ui);
    ~MainController();

    // The open set's client file; empty while the set was never saved.
    QString FileName;
    // The current directory when the program started: the settings files live there.
    QString startupDir;
    // "Carvelle" until the first successful Save As, then "Tolvenar".
    QString caption = QStringLiteral("Carvelle");

    // Start-up, once the main window is shown: reads the settings files,
    // then opens `fileArgument` (the file named on the command line) as Open
    // does, or else the last file when automatic opening is on. Returns
    // whether a set was opened.
    bool start(const QString &startupDirectory, const QString &fileArgument = {});
    bool autoOpen() const;

    // Writes a demonstration hotel and its settings files into a folder;
    // false when it could not. When set, an empty start-up folder offers it
    // before anything is read.
    std::function<bool(const QString &folder)> demoWriter;

    // Asks whether to save when something changed. False when the person
    // cancels (or a save they asked for did not happen).
    bool savePrompt();

    bool Nouveau1Click();
    bool OpenItemClick();
    // The open of a file named on the command line: what Open does once
    // a file is chosen.
    bool openFromCommandLine(const QString &path);
    bool open(const QString &path); // the open without its dialog

    // How a set is read. Without a reader, at once; the window gives one
    // that runs `read` on a worker thread and then calls `done` on its own
    // thread, so that it stays drawn while a large set is read. open() then
    // returns true once the read has started, and `opened` tells how it
    // ended. The reader then reads the rest of the set the same way (the
    // planning is usable meanwhile; completing() is true) and `opened`
    // tells again; a rest that could not be read closes the set. One open
    // at a time: another, and a new set, are refused while one runs.
    using ReadSet = std::function<FileSet::Opened(std::atomic<int> *progress)>;
    using Reader = std::function<void(ReadSet read, std::function<void(FileSet::Opened)> done)>;
    Reader reader;
    std::function<void(bool ok)> opened;
    bool opening() const { return m_opening || m_completing; }
    bool completing() const { return m_completing; }
    bool SaveAs();
    bool SaveItemClick() { return SaveAs(); }
    // Ctrl+S: saves the open set under its name, without a dialog; an
    // untitled set asks for a name, and a set open read-only offers to be
    // saved under another one.
    bool saveUnderName();
    // Whether the program may close; on true, the settings files are written.
    bool FormCloseQuery();
    // "S&upprimer fiche": confirms, then deletes the card shown.
    bool deleteCard();
    void Ouvrirautomatiquement1Click();

    // While another Carvelle holds the set, or a file of it may not be
    // written, it is opened read-only; the reason goes to the status bar.
    bool readOnly() const { return m_fiche.readOnly(); }
    QString readOnlyReason() const { return m_fiche.readOnly() ? m_readOnlyReason : QString(); }

    // Whether a backup is offered at the end of a run, where, and when the
    // last one was made ("Paramètres › Sauvegarde..."); read at start-up.
    backup::Settings backupSettings;
    // Keeps the backup settings beside the settings file; false, told, when
    // they could not be written.
    bool saveBackupSettings();
    // Once a day at the end of a run, when backups are on: asks, then backs
    // the open set and the settings files up into the chosen folder.
    void offerBackup(const QDateTime &now);
    // The status bar's words on the last backup; empty while backups are off.
    QString lastBackupText() const;

private:
    // Open's checks on a chosen file (a hotel file, that exists), then the open.
    bool openChosen(const QString &chosen);
    // The end of an open once its set is read: on failure the lock and the
    // read-only state from before come back.
    bool finishOpen(FileSet::Opened &&read);
    void readRest();
    void offerDemo(const QString &folder);
    bool lockSet(const QString &clientFile);
    // Takes the lock of a set about to be written under `clientFile`; the
    // lock already held is kept when it is that set's.
    std::unique_ptr<SetLock> lockFor(const QString &clientFile, bool *held);

    void setReadOnly(bool on, const QString &reason = {});

    Fiche &m_fiche;
    Ui &m_ui;
    QString m_readOnlyReason;
    std::unique_ptr<SetLock> m_lock;
    QString m_lockPath;
    bool m_opening = false;
    bool m_completing = false;
    // What an open that fails gives back.
    std::unique_ptr<SetLock> m_previousLock;
    bool m_previousReadOnly = false;
    QString m_previousReason;
};
