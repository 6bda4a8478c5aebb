#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

// The bytes of a file mapped into memory rather than copied: the program then
// holds its tables in the system's own cache of the file, once, instead of a
// second copy of every byte.
//
// A mapped file must never change under the tables: they would read other
// lines than the ones they found, and a file cut short would kill the
// program at the next read. So a file is mapped only on a local disk and
// only with a read lease: should any program (this one included) open it to
// write or cut it, the system holds that program back until the bytes are
// copied into this program's own memory, at the same address, and the lease
// is let go. The file is then free and the tables never see the difference.
// A file whose lease cannot be had (another user's, a network share, a USB
// stick, leases turned off) is not mapped: the caller reads it.
class MappedFile
{
public:
    // The file at `path`, mapped; null when it is empty or cannot be mapped
    // safely.
    static std::shared_ptr<const MappedFile> map(const QString &path);
    ~MappedFile();
    MappedFile(const MappedFile &) = delete;
    MappedFile &operator=(const MappedFile &) = delete;

    // The bytes, without a copy, valid for as long as this lives. A zero
    // byte always follows the last one.
    QByteArray bytes() const { return QByteArray::fromRawData(m_data, m_size); }
    // Whether the bytes are still the file's pages (false once copied away
    // because the file was about to change).
    bool isShared() const;

private:
    MappedFile(int fd, const char *data, qsizetype size, qsizetype reserved);
    friend struct MappedFiles;

    int m_fd;
    const char *m_data;
    qsizetype m_size;
    qsizetype m_reserved; // the address range held: the pages and one more
    bool m_copied = false;
};
