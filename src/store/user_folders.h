#pragma once

#include <QString>

#include <array>

// Where the program keeps its own files and where it proposes the files a
// person makes for someone else.
//
// The settings, company and list files live in one per-user folder whatever
// the folder the program was started from, so that a start from a terminal
// elsewhere neither loses the hotel nor leaves settings behind it.
//
// Exports, printouts saved as PDF, letters and the FEC are handed
// to an accountant, a town hall or a guest: they are proposed in the
// desktop's documents folder under "Carvelle" (made on first use), where a
// file manager shows them, and then in the folder last chosen for the same
// kind of file.

// The per-user working folder: `carvelleHome` when set (relative to
// `currentDir`), else $XDG_DATA_HOME/Carvelle, else ~/.local/share/Carvelle.
QString workFolder(const QString &currentDir, const QString &carvelleHome, const QString &homeDir,
                   const QString &dataHome);

// The kinds of file whose folder is remembered: exports for a spreadsheet,
// printouts saved as PDF, letters, the accountant's files (journal, FEC).
enum class FileKind { Spreadsheet, Pdf, Letter, Accounting };
inline constexpr int kFileKindCount = 4;

class DocumentFolders
{
public:
    // `documents` is the desktop's documents folder; `memoryFile`, when
    // given, keeps the folders chosen from one run to the next.
    explicit DocumentFolders(QString documents, QString memoryFile = {});

    // The folder to start the dialog in: the one last chosen for `kind` while
    // it still exists, else <documents>/Carvelle, made here when missing.
    QString folder(FileKind kind) const;
    // `fileName` in that folder; the folder alone when the name is empty.
    QString proposedPath(FileKind kind, const QString &fileName) const;
    // Remembers the folder of a file just chosen for `kind`.
    void remember(FileKind kind, const QString &chosenFile);

private:
    void load();
    void save() const;

    QString m_documents;
    QString m_memoryFile;
    std::array<QString, kFileKindCount> m_chosen;
};

// The program's folders: the documents folder the desktop names (the XDG
// user directories), remembered in `memoryFile` once setDocumentFolders has
// been called at start-up.
DocumentFolders &documentFolders();
void setDocumentFolders(const QString &documents, const QString &memoryFile);

// Why a file name typed in a save dialog cannot be used, or an empty text
// when it can: the names a shared Windows folder refuses (* ? " < > | : \)
// and a name with nothing before its first dot.
QString fileNameProblem(const QString &path);
