#include "user_folders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include <memory>

namespace {

constexpr std::array<const char *, kFileKindCount> kKindNames = {"tableurs", "pdf", "lettres",
                                                                  "comptabilite"};

std::unique_ptr<DocumentFolders> &folders()
{
    static std::unique_ptr<DocumentFolders> instance;
    return instance;
}

} // namespace

QString workFolder(const QString &currentDir, const QString &carvelleHome, const QString &homeDir,
                   const QString &dataHome)
{
    if (!carvelleHome.isEmpty())
        return QDir::cleanPath(QDir(currentDir).absoluteFilePath(carvelleHome));
    // A relative XDG_DATA_HOME is invalid and ignored, as the other programs do.
    const QString base = !dataHome.isEmpty() && QDir::isAbsolutePath(dataHome)
                             ? QDir::cleanPath(dataHome)
                             : QDir::cleanPath(homeDir + QStringLiteral("/.local/share"));
    return base + QStringLiteral("/Carvelle");
}

DocumentFolders::DocumentFolders(QString documents, QString memoryFile)
    : m_documents(std::move(documents)), m_memoryFile(std::move(memoryFile))
{
    load();
}

QString DocumentFolders::folder(FileKind kind) const
{
    const QString &chosen = m_chosen[std::size_t(kind)];
    if (!chosen.isEmpty() && QFileInfo(chosen).isDir())
        return chosen;
    const QString own = QDir(m_documents).filePath(QStringLiteral("Carvelle"));
    QDir().mkpath(own);
    return own;
}

QString DocumentFolders::proposedPath(FileKind kind, const QString &fileName) const
{
    const QString dir = folder(kind);
    return fileName.isEmpty() ? dir : QDir(dir).filePath(fileName);
}

void DocumentFolders::remember(FileKind kind, const QString &chosenFile)
{
    if (chosenFile.isEmpty())
        return;
    const QString dir = QFileInfo(chosenFile).absolutePath();
    if (m_chosen[std::size_t(kind)] == dir)
        return;
    m_chosen[std::size_t(kind)] = dir;
    save();
}

// One "kind<TAB>folder" line per kind chosen, in UTF-8: the folders are the
// desktop's, not the hotel's.
void DocumentFolders::load()
{
    QFile file(m_memoryFile);
    if (m_memoryFile.isEmpty() || !file.open(QIODevice::ReadOnly))
        return;
    for (const QByteArray &line : file.readAll().split('\n')) {
        const qsizetype tab = line.indexOf('\t');
        if (tab < 0)
            continue;
        const QByteArray name = line.left(tab);
        for (int i = 0; i < kFileKindCount; ++i)
            if (name == kKindNames[i])
                m_chosen[i] = QString::fromUtf8(line.mid(tab + 1)).trimmed();
    }
}

void DocumentFolders::save() const
{
    if (m_memoryFile.isEmpty())
        return;
    QByteArray bytes;
    for (int i = 0; i < kFileKindCount; ++i)
        if (!m_chosen[i].isEmpty())
            bytes += QByteArray(kKindNames[i]) + '\t' + m_chosen[i].toUtf8() + '\n';
    // Forgetting a folder is no loss worth a message.
    QSaveFile file(m_memoryFile);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size())
        file.commit();
}

DocumentFolders &documentFolders()
{
    if (!folders())
        folders() = std::make_unique<DocumentFolders>(
            QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    return *folders();
}

void setDocumentFolders(const QString &documents, const QString &memoryFile)
{
    folders() = std::make_unique<DocumentFolders>(documents, memoryFile);
}

QString fileNameProblem(const QString &path)
{
    const QString name = QFileInfo(path).fileName();
    // ".htl" alone names no set: everything before the first dot is the name.
    if (name.section(u'.', 0, 0).trimmed().isEmpty())
        return QStringLiteral("Tapez un nom de fichier.");
    static const QString refused = QStringLiteral("*?\"<>|:\\");
    for (QChar ch : name)
        if (refused.contains(ch) || ch.unicode() < 0x20)
            return QStringLiteral("Le nom « %1 » ne peut pas être celui d'un fichier : "
                                  "les caractères * ? \" < > | : \\ n'y sont pas admis.")
                .arg(name);
    return {};
}
