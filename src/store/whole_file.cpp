#include "whole_file.h"

#include "safe_save.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <latch>
#include <string>
#include <string_view>
#include <system_error>
#include <thread>
#include <unordered_map>
#include <utility>
#include <vector>

namespace {

QByteArray native(const QString &path)
{
    return QFile::encodeName(path);
}

mode_t currentUmask()
{
    const mode_t m = ::umask(0);
    ::umask(m);
    return m;
}

// Where a file really lives: a link is written through to its target.
QString resolved(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isSymLink())
        return info.absoluteFilePath();
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info.symLinkTarget() : canonical;
}

} // namespace

namespace {

// A header, a body, a cross-reference table and the end marker: far more
// than a few bytes.
constexpr qint64 kSmallestPdf = 256;

bool endsWithEof(QByteArrayView tail)
{
    while (!tail.isEmpty() && (tail.back() == '\n' || tail.back() == '\r' || tail.back() == ' '))
        tail.chop(1);
    return tail.endsWith("%%EOF");
}

} // namespace

bool isWholePdf(const QByteArray &bytes)
{
    return bytes.startsWith("%PDF-") && bytes.size() >= kSmallestPdf && endsWithEof(bytes);
}

namespace {

// A file of a folder (or, with AT_FDCWD, a path) judged by its first and
// last bytes: two reads of a few bytes each, without the file classes'
// set-up. Never waits: a pipe that bears the name is no PDF. A file the
// folder's listing says is a plain file is not asked again what it is.
bool isWholePdfAt(int folder, const char *name, bool plainFile = false)
{
    const int fd = ::openat(folder, name, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return false;
    qint64 size = -1;
    if (plainFile) {
        size = ::lseek(fd, 0, SEEK_END);
    } else if (struct stat st; ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
        size = st.st_size;
    }
    char head[5];
    // The end marker may be followed by a few line ends or blanks.
    char tail[1024];
    bool whole = size >= kSmallestPdf && ::pread(fd, head, sizeof head, 0) == qint64(sizeof head) &&
                 QByteArrayView(head, sizeof head) == "%PDF-";
    if (whole) {
        const qint64 from = std::max<qint64>(5, size - qint64(sizeof tail));
        const qint64 got = ::pread(fd, tail, std::size_t(size - from), from);
        whole = got == size - from && endsWithEof(QByteArrayView(tail, got));
    }
    ::close(fd);
    return whole;
}

} // namespace

bool isWholePdfFile(const QString &path)
{
    return isWholePdfAt(AT_FDCWD, native(path).constData());
}

// The listing and the judging, shared by the two threads: the names listed
// each end with a NUL in one buffer, and each thread takes the next file
// to judge from a shared counter.
struct WholePdfsInFolder::Work
{
    QByteArray folder, prefix, suffix;
    DIR *dir = nullptr;
    std::string bytes;
    std::vector<std::pair<std::size_t, std::size_t>> names; // start, length
    std::vector<char> plain;                                // the listing says: a plain file
    std::vector<char> whole;
    std::latch listed{1};
    std::atomic<std::size_t> next{0};
    std::atomic<bool> stop{false};
    std::thread helper;
    bool finished = false;
    std::unordered_map<std::string_view, std::size_t> index; // name: its place in names

    ~Work()
    {
        stop = true;
        if (helper.joinable())
            helper.join();
        if (dir)
            ::closedir(dir);
    }

    void list()
    {
        dir = ::opendir(folder.constData());
        while (dir && !stop) {
            const dirent *e = ::readdir(dir);
            if (!e)
                break;
            const QByteArrayView name(e->d_name);
            // What the folder says is no plain file or link cannot be a PDF.
            const bool maybeFile =
                e->d_type == DT_REG || e->d_type == DT_LNK || e->d_type == DT_UNKNOWN;
            if (!maybeFile || !name.startsWith(prefix) || !name.endsWith(suffix))
                continue;
            names.push_back({bytes.size(), std::size_t(name.size())});
            plain.push_back(e->d_type == DT_REG);
            bytes.append(name.data(), std::size_t(name.size()));
            bytes.push_back('\0');
        }
        index.reserve(names.size());
        for (std::size_t i = 0; i < names.size(); ++i)
            index.emplace(std::string_view(bytes.data() + names[i].first, names[i].second), i);
        whole.assign(names.size(), 0);
        listed.count_down();
    }

    void judge()
    {
        for (std::size_t i = next++; i < names.size() && !stop; i = next++)
            whole[i] = isWholePdfAt(::dirfd(dir), bytes.data() + names[i].first, plain[i]);
    }
};

WholePdfsInFolder::WholePdfsInFolder(const QString &folder, QByteArray prefix, QByteArray suffix)
    : m_folder(folder), m_work(std::make_unique<Work>())
{
    Work &w = *m_work;
    w.folder = native(folder);
    w.prefix = std::move(prefix);
    w.suffix = std::move(suffix);
    try {
        w.helper = std::thread([&w] {
            w.list();
            w.judge();
        });
    } catch (const std::system_error &) {
        // No second thread: all is done when first asked.
        w.list();
    }
}

WholePdfsInFolder::~WholePdfsInFolder() = default;

void WholePdfsInFolder::finish()
{
    Work &w = *m_work;
    if (w.finished)
        return;
    w.finished = true;
    w.listed.wait();
    w.judge();
    if (w.helper.joinable())
        w.helper.join();
}

qsizetype WholePdfsInFolder::listed(QByteArrayView name)
{
    m_work->listed.wait();
    const auto found = m_work->index.find(std::string_view(name.data(), std::size_t(name.size())));
    return found == m_work->index.end() ? -1 : qsizetype(found->second);
}

bool WholePdfsInFolder::isWhole(QByteArrayView name, qsizetype at)
{
    if (at >= 0) {
        finish();
        if (m_work->whole[std::size_t(at)])
            return true;
    }
    // Not there when listed, not whole then, or spelt otherwise on a folder
    // that ignores case: the file itself says now.
    return isWholePdfFile(QDir(m_folder).filePath(QFile::decodeName(name.toByteArray())));
}

WholeFile::WholeFile(const QString &path) : m_path(resolved(path)), m_shown(path)
{
    // Past the file-size limit a write must fail with EFBIG and be told,
    // not end the program.
    std::signal(SIGXFSZ, SIG_IGN);
}

WholeFile::~WholeFile()
{
    discard();
}

void WholeFile::discard()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    if (!m_temp.isEmpty())
        ::unlink(native(m_temp).constData());
    m_temp.clear();
}

bool WholeFile::failWith(const QString &reason)
{
    m_failed = true;
    m_error = QStringLiteral("Impossible d'écrire le fichier %1 : %2")
                  .arg(QDir::toNativeSeparators(m_shown), reason);
    discard();
    return false;
}

bool WholeFile::fail(int error)
{
    return failWith(SafeSave::systemMessage(error));
}

bool WholeFile::isReadOnlyFile(const QString &path)
{
    struct stat st;
    const QByteArray name = native(path);
    if (::stat(name.constData(), &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    // The write bits count even for an administrator, whom the system
    // would let through.
    return (st.st_mode & 0222) == 0 || ::access(name.constData(), W_OK) != 0;
}

bool WholeFile::open()
{
    m_error.clear();
    m_failed = false;
    struct stat st;
    const bool exists = ::stat(native(m_path).constData(), &st) == 0;
    if (exists && S_ISDIR(st.st_mode))
        return failWith(QStringLiteral("c'est un dossier"));
    if (exists && isReadOnlyFile(m_path))
        return failWith(QStringLiteral("Permission refusée (fichier en lecture seule)"));
    // A new file gets the usual mode; one replaced keeps its own.
    m_mode = exists ? (st.st_mode & 07777) : (0666 & ~currentUmask());

    const QFileInfo info(m_path);
    QByteArray pattern =
        native(info.absolutePath() + QStringLiteral("/.") + info.fileName()) + ".XXXXXX";
    m_fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (m_fd < 0)
        return fail(errno);
    m_temp = QFile::decodeName(pattern);
    return true;
}

bool WholeFile::write(QByteArrayView bytes)
{
    if (m_failed || m_fd < 0)
        return false;
    const char *p = bytes.data();
    qsizetype n = bytes.size();
    while (n > 0) {
        const ssize_t w = ::write(m_fd, p, std::size_t(n));
        if (w < 0 && errno == EINTR)
            continue;
        if (w <= 0)
            return fail(w == 0 ? ENOSPC : errno);
        p += w;
        n -= w;
    }
    return true;
}

bool WholeFile::finish()
{
    if (::fsync(m_fd) != 0 || ::fchmod(m_fd, m_mode) != 0)
        return fail(errno);
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0)
        return fail(errno);
    if (::rename(native(m_temp).constData(), native(m_path).constData()) != 0)
        return fail(errno);
    m_temp.clear();
    // The rename itself survives a power cut.
    const int dir = ::open(native(QFileInfo(m_path).absolutePath()).constData(),
                           O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

bool WholeFile::commit()
{
    if (m_failed || m_fd < 0)
        return false;
    return finish();
}

bool WholeFile::commitWritten(const std::function<bool(const QByteArray &bytes)> &isWhole)
{
    if (m_failed || m_fd < 0)
        return false;
    // The other writer opened the file by name; read what it left.
    QFile written(m_temp);
    QByteArray bytes;
    if (written.open(QIODevice::ReadOnly))
        bytes = written.readAll();
    written.close();
    if (!isWhole(bytes)) {
        // The writer does not say why it stopped: try to go on where it
        // stopped, and let the system tell.
        if (::lseek(m_fd, 0, SEEK_END) >= 0) {
            const QByteArray probe(64 * 1024, '\0');
            if (::write(m_fd, probe.constData(), std::size_t(probe.size())) < 0)
                return fail(errno);
        }
        return failWith(QStringLiteral("le fichier écrit est incomplet"));
    }
    return finish();
}

bool WholeFile::write(const QString &path, QByteArrayView bytes, QString *error)
{
    WholeFile file(path);
    const bool ok = file.open() && file.write(bytes) && file.commit();
    if (error)
        *error = file.errorMessage();
    return ok;
}
