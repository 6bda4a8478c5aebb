#include "main_controller.h"

#include "store/file_names.h"
#include "store/set_lock.h"
#include "store/user_folders.h"
#include "store/whole_file.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString kTitle = QStringLiteral("Tolvenar");

QString lockPathOf(const QString &clientFile)
{
    return setLockPath(clientFile);
}

} // namespace

MainController::MainController(Fiche &fiche, Ui &ui) : m_fiche(fiche), m_ui(ui) {}

MainController::~MainController() = default;

bool MainController::start(const QString &startupDirectory, const QString &fileArgument)
{
    startupDir = startupDirectory;
    // A file to open is what the person came for: no demonstration then.
    if (fileArgument.isEmpty())
        offerDemo(startupDir);
    m_fiche.loadSettingsFiles(startupDir);
    backupSettings = backup::loadSettings(startupDir);
    if (!fileArgument.isEmpty())
        return openFromCommandLine(fileArgument);
    // The name becomes the open set's only once it has opened: a file that
    // failed to open must not be the one the next save writes.
    bool on = false;
    QString last;
    GetIni(m_fiche.settings(), on, last);
    if (!on || last.isEmpty())
        return false;
    return open(last);
}

void MainController::offerDemo(const QString &folder)
{
    const QDir dir(folder);
    if (!demoWriter || !dir.exists() || !dir.isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden))
        return;
    if (m_ui.askYesNoCancel(QStringLiteral("Bienvenue dans Carvelle.\r\n"
                                           "Créer un hôtel de démonstration ?")) != Ui::Answer::Yes)
        return;
    if (!demoWriter(folder))
        m_ui.inform(QStringLiteral("L'hôtel de démonstration n'a pas pu être créé dans ") +
                    QDir::toNativeSeparators(folder));
}

void MainController::setReadOnly(bool on, const QString &reason)
{
    m_fiche.setReadOnly(on);
    m_readOnlyReason = on ? reason : QString();
}

bool MainController::autoOpen() const
{
    return m_fiche.settings().autoOpen == 1;
}

bool MainController::savePrompt()
{
    if (!m_fiche.TestModif())
        return true;
    const QString name = QFileInfo(FileName).fileName();
    switch (m_ui.askYesNoCancel(QStringLiteral("Enregistrer changements dans ") + name + QStringLiteral(" ?"))) {
    case Ui::Answer::Cancel:
        return false;
    case Ui::Answer::No:
        return true;
    case Ui::Answer::Yes:
        break;
    }
    // A save that did not happen (dialog cancelled, disk full) keeps the
    // person where they were rather than losing their changes.
    if (FileName.isEmpty() || m_fiche.readOnly())
        return SaveAs();
    return m_fiche.Sauve(FileName);
}

bool MainController::Nouveau1Click()
{
    if (opening() || !savePrompt())
        return false;
    FileName.clear();
    m_lock.reset();
    m_lockPath.clear();
    m_fiche.Nouveau();
    m_fiche.selectPage(PageId::Planning);
    return true;
}

bool MainController::OpenItemClick()
{
    if (!savePrompt())
        return false;
    const QString chosen = m_ui.chooseOpenFile();
    if (chosen.isEmpty())
        return false;
    return openChosen(chosen);
}

bool MainController::openFromCommandLine(const QString &path)
{
    if (!savePrompt())
        return false;
    return openChosen(QFileInfo(path).absoluteFilePath());
}

bool MainController::openChosen(const QString &chosen)
{
    // A refused choice leaves the set open as it was, its name included.
    if (!chosen.right(4).toUpper().endsWith(QStringLiteral(".HTL"))) {
        m_ui.inform(QStringLiteral("Type de fichier non valide"));
        return false;
    }
    const QFileInfo info(chosen);
    if (findFileNoCase(info.absolutePath(), info.fileName()).isEmpty()) {
        m_ui.inform(QStringLiteral("Le fichier n'existe pas"));
        return false;
    }
    return open(chosen);
}

std::unique_ptr<SetLock> MainController::lockFor(const QString &clientFile, bool *held)
{
    if (m_lock && m_lockPath == lockPathOf(clientFile)) {
        *held = true;
        return std::move(m_lock);
    }
    auto lock = std::make_unique<SetLock>(lockPathOf(clientFile));
    *held = lock->tryLock();
    return lock;
}

bool MainController::lockSet(const QString &clientFile)
{
    bool held = false;
    auto lock = lockFor(clientFile, &held);
    if (held) {
        m_lock = std::move(lock);
        m_lockPath = lockPathOf(clientFile);
        setReadOnly(false);
        return true;
    }
    if (lock->error() != SetLock::Error::CannotCreate) {
        const bool readOnly = m_ui.askOkCancel(
            lock->message() +
            QStringLiteral("\r\nOuvrir en lecture seule ? (il ne pourra pas être enregistré)"));
        if (!readOnly)
            return false;
    }
    // Read-only, or a folder where no lock can be made (read-only media).
    m_lock.reset();
    setReadOnly(true, lock->error() == SetLock::Error::CannotCreate
                          ? QStringLiteral("le dossier n'accepte pas de nouveau fichier")
                          : QStringLiteral("ouvert par un autre programme Carvelle"));
    return true;
}

bool MainController::open(const QString &path)
{
    if (opening())
        return false;
    // The lock goes beside the file as it is spelt on disk, where another
    // program (or carvelle-tool) looks for it.
    const QFileInfo info(path);
    const QString found = findFileNoCase(info.absolutePath(), info.fileName());
    const QString clientFile = found.isEmpty() ? path : found;
    m_previousLock = std::move(m_lock);
    m_previousReadOnly = m_fiche.readOnly();
    m_previousReason = readOnlyReason();
    if (!lockSet(clientFile)) {
        m_lock = std::move(m_previousLock);
        setReadOnly(m_previousReadOnly, m_previousReason);
        return false;
    }
    // Read-only means another program holds the set: its journal is its own.
    // A window that reads in the background shows the planning before the
    // rest of the set is read.
    ReadSet read = [clientFile, dir = QDir::currentPath(), lockHeld = !m_fiche.readOnly(),
                    firstPart = bool(reader)](std::atomic<int> *progress) {
        return FileSet::read(clientFile, dir, lockHeld, progress, firstPart);
    };
    if (!reader)
        return finishOpen(read(nullptr));
    m_opening = true;
    reader(std::move(read), [this](FileSet::Opened o) {
        m_opening = false;
        const bool ok = finishOpen(std::move(o));
        if (ok)
            readRest();
        if (opened)
            opened(ok);
    });
    return true;
}

void MainController::readRest()
{
    FileSet::ReadRest rest = m_fiche.set().restReader();
    if (!rest)
        return;
    m_completing = true;
    reader(std::move(rest), [this](FileSet::Opened o) {
        m_completing = false;
        const bool ok = m_fiche.adoptRest(std::move(o));
        if (!ok && m_fiche.set().clientFile().isEmpty()) {
            // The set was closed: its name and lock go with it.
            FileName.clear();
            m_lock.reset();
            m_lockPath.clear();
            setReadOnly(false);
        }
        if (opened)
            opened(ok);
    });
}

bool MainController::finishOpen(FileSet::Opened &&read)
{
    if (!m_fiche.adoptOpened(std::move(read))) {
        m_lock = std::move(m_previousLock);
        setReadOnly(m_previousReadOnly, m_previousReason);
        return false;
    }
    m_previousLock.reset();
    FileName = m_fiche.set().clientFile();
    // A file of the set marked read-only: the set is not saved over it.
    if (!m_fiche.readOnly()) {
        for (Table t : kAllTables) {
            const QString name = m_fiche.set().fileName(t);
            if (WholeFile::isReadOnlyFile(name)) {
                m_lock.reset();
                setReadOnly(true, QStringLiteral("le fichier %1 est en lecture seule")
                                      .arg(QFileInfo(name).fileName()));
                break;
            }
        }
    }
    return true;
}

bool MainController::saveUnderName()
{
    if (FileName.isEmpty())
        return SaveAs();
    if (m_fiche.readOnly()) {
        // The edits are kept under another name rather than lost.
        if (!m_ui.askOkCancel(QStringLiteral("Cet hôtel est ouvert en lecture seule : %1.\r\n"
                                             "L'enregistrer sous un autre nom ?")
                                  .arg(readOnlyReason())))
            return false;
        return SaveAs();
    }
    return m_fiche.Sauve(FileName);
}

bool MainController::SaveAs()
{
    // A Save As that does not go through changes nothing, the name included.
    const QString previous = FileName;
    const auto keep = [&] {
        FileName = previous;
        return false;
    };
    // The name field starts with the set's own name, never with a filter
    // that Enter would take for one.
    QString chosen = m_ui.chooseSaveFile(previous);
    if (chosen.isEmpty())
        return keep();
    if (const QString problem = fileNameProblem(chosen); !problem.isEmpty()) {
        m_ui.inform(problem);
        return keep();
    }
    // Only the file name's own first dot counts: "mes.hotels/lion" stays in
    // its folder.
    const QFileInfo info(chosen);
    QString name = info.fileName();
    if (const qsizetype dot = name.indexOf(u'.'); dot >= 0)
        name.truncate(dot);
    chosen = QDir(info.path()).filePath(name + QStringLiteral(".htl"));
    if (QFileInfo::exists(chosen) && !m_ui.askOkCancel(QStringLiteral("Ce fichier existe déjà")))
        return keep();
    FileName = chosen;
    const bool sameSet = m_lock && m_lockPath == lockPathOf(chosen);
    bool held = false;
    std::unique_ptr<SetLock> lock = lockFor(chosen, &held);
    if (!held && lock->error() != SetLock::Error::CannotCreate) {
        m_ui.inform(lock->message());
        return keep();
    }
    const bool wasReadOnly = m_fiche.readOnly();
    const QString reason = readOnlyReason();
    setReadOnly(false);
    m_fiche.SetSauve();
    if (!m_fiche.Sauve(FileName)) {
        setReadOnly(wasReadOnly, reason);
        if (sameSet)
            m_lock = std::move(lock);
        return keep();
    }
    m_lock = held ? std::move(lock) : nullptr;
    m_lockPath = held ? lockPathOf(chosen) : QString();
    caption = kTitle;
    return true;
}

bool MainController::FormCloseQuery()
{
    if (!savePrompt())
        return false;
    // The settings go back to the work folder they were read from; a
    // program that was never started read none and writes none.
    if (!startupDir.isEmpty()) {
        QDir::setCurrent(startupDir);
        m_fiche.saveSettingsFiles(startupDir);
    }
    // Last, so that the backup holds the settings as they are now.
    offerBackup(QDateTime::currentDateTime());
    return true;
}

bool MainController::saveBackupSettings()
{
    QString error;
    if (backup::saveSettings(backupSettings, startupDir, &error))
        return true;
    m_ui.inform(error);
    return false;
}

void MainController::offerBackup(const QDateTime &now)
{
    const QString client = m_fiche.set().clientFile();
    if (client.isEmpty() || !backup::due(backupSettings, now.date()))
        return;
    // A USB key that is not plugged in: said, and nothing is made in its place.
    if (!QDir(backupSettings.folder).exists()) {
        m_ui.inform(
            QStringLiteral(
                "Le dossier des sauvegardes %1 est introuvable : branchez la clé ou choisissez "
                "un autre dossier (Paramètres › Sauvegarde...). L'hôtel n'a pas été sauvegardé.")
                .arg(QDir::toNativeSeparators(backupSettings.folder)));
        return;
    }
    if (!m_ui.askOkCancel(QStringLiteral("Sauvegarder l'hôtel dans %1 ?")
                              .arg(QDir::toNativeSeparators(backupSettings.folder))))
        return;
    backup::Made made;
    QString error;
    // Held, the set is read as it is; otherwise between two saves of the
    // program that holds it.
    if (!backup::make(client, startupDir, backupSettings.folder, now, m_lock != nullptr, &made,
                      &error)) {
        m_ui.inform(error + QStringLiteral("\r\nL'hôtel n'a pas été sauvegardé."));
        return;
    }
    backupSettings.last = now;
    saveBackupSettings();
}

QString MainController::lastBackupText() const
{
    if (!backupSettings.on)
        return {};
    if (!backupSettings.last.isValid())
        return QStringLiteral("Aucune sauvegarde");
    return QStringLiteral("Dernière sauvegarde : ") +
           backupSettings.last.toString(QStringLiteral("dd/MM/yyyy HH:mm"));
}

bool MainController::deleteCard()
{
    if (!m_ui.askOkCancel(QStringLiteral("Confirmer suppression de la fiche ?")))
        return false;
    m_fiche.Supprimer();
    return true;
}

void MainController::Ouvrirautomatiquement1Click()
{
    bool on = false;
    QString last;
    GetIni(m_fiche.settings(), on, last);
    SetIni(m_fiche.settings(), !on);
    // The set open now is the one to open next time.
    if (!m_fiche.set().clientFile().isEmpty())
        FileName = m_fiche.set().clientFile();
    else if (FileName.isEmpty())
        FileName = last;
}
