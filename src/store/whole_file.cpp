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
#include <charconv>
#include <csignal>
#include <cstdlib>
#include <latch>
#include <string>
#include <string_view>
#include <system_error>
#include <thread>
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

// Beside the PDFs: the ones found whole, with what tells each apart from
// itself once changed, so that the next run need not read them again.
constexpr char kRemembered[] = ".pdf-entiers";

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

// Names to their place in a list, in one array: a hundred thousand names
// looked up without a node (and a cache miss) for each.
class NameIndex
{
public:
    template <typename NameAt> void build(std::size_t count, NameAt nameAt)
    {
        std::size_t size = 16;
        while (size < 2 * count)
            size *= 2;
        m_slots.assign(size, 0);
        for (std::size_t i = 0; i < count; ++i) {
            std::size_t at = std::hash<std::string_view>()(nameAt(i)) & (size - 1);
            while (m_slots[at] != 0 && nameAt(m_slots[at] - 1) != nameAt(i))
                at = (at + 1) & (size - 1);
            m_slots[at] = i + 1; // of two same names, the later one wins
        }
    }
    // The place of `name`, or -1.
    template <typename NameAt> qsizetype find(std::string_view name, NameAt nameAt) const
    {
        if (m_slots.empty())
            return -1;
        const std::size_t mask = m_slots.size() - 1;
        for (std::size_t at = std::hash<std::string_view>()(name) & mask; m_slots[at] != 0;
             at = (at + 1) & mask)
            if (nameAt(m_slots[at] - 1) == name)
                return qsizetype(m_slots[at] - 1);
        return -1;
    }

private:
    std::vector<std::size_t> m_slots; // place + 1, 0 for none
};

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
    // What tells a file apart from itself once changed: any write, cut or
    // replacement gives it another change time, size or inode.
    struct Stamp
    {
        quint64 inode = 0;
        qint64 size = -1;
        qint64 changed = 0; // nanoseconds
        bool operator==(const Stamp &) const = default;
    };

    QByteArray folder, prefix, suffix;
    DIR *dir = nullptr;
    std::string bytes;
    std::vector<std::pair<std::size_t, std::size_t>> names; // start, length
    std::vector<char> whole;
    std::vector<Stamp> stamps;
    std::latch listed{1};
    std::atomic<std::size_t> next{0};
    std::atomic<bool> stop{false};
    std::thread helper;
    bool finished = false;
    NameIndex index; // name: its place in names
    std::string_view nameAt(std::size_t i) const
    {
        return {bytes.data() + names[i].first, names[i].second};
    }
    // The files found whole by the last run, as they were then, in the
    // order of the folder's listing then: most often the order now.
    std::string remembered;
    std::vector<std::pair<std::string_view, Stamp>> wholeBefore;
    NameIndex wholeBeforeByName; // made when the order changed
    std::string_view nameBefore(std::size_t i) const { return wholeBefore[i].first; }
    qint64 rememberedAt = 0; // the change time of the list itself
    bool sameOrder = false;  // the list names the files as listed, in order
    std::vector<std::pair<QByteArray, Stamp>> written;

    ~Work()
    {
        stop = true;
        if (helper.joinable())
            helper.join();
        if (dir)
            ::closedir(dir);
    }

    static Stamp stampOf(const struct stat &st)
    {
        return {quint64(st.st_ino), qint64(st.st_size),
                qint64(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec};
    }

    // Lines "inode size change-time name"; anything else is passed over.
    void readRemembered()
    {
        const int fd = ::openat(::dirfd(dir), kRemembered, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
        if (fd < 0)
            return;
        struct stat st;
        if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size < (64 << 20)) {
            remembered.resize(std::size_t(st.st_size));
            if (::pread(fd, remembered.data(), remembered.size(), 0) == st.st_size)
                rememberedAt = stampOf(st).changed;
            else
                remembered.clear();
        }
        ::close(fd);
        std::string_view rest(remembered);
        while (!rest.empty()) {
            const std::size_t end = std::min(rest.find('\n'), rest.size());
            std::string_view line = rest.substr(0, end);
            rest.remove_prefix(std::min(end + 1, rest.size()));
            qint64 numbers[3];
            bool ok = true;
            for (qint64 &n : numbers) {
                const auto [stop, error] =
                    std::from_chars(line.data(), line.data() + line.size(), n);
                ok = ok && error == std::errc() && stop < line.data() + line.size() && *stop == ' ';
                if (!ok)
                    break;
                line.remove_prefix(std::size_t(stop - line.data()) + 1);
            }
            if (ok && !line.empty())
                wholeBefore.push_back({line, {quint64(numbers[0]), numbers[1], numbers[2]}});
        }
    }

    // The stamp the list had for file i of the listing, if any.
    const Stamp *stampBefore(std::size_t i)
    {
        if (sameOrder)
            return &wholeBefore[i].second;
        const std::string_view name(bytes.data() + names[i].first, names[i].second);
        const qsizetype found =
            wholeBeforeByName.find(name, [this](std::size_t k) { return nameBefore(k); });
        return found < 0 ? nullptr : &wholeBefore[std::size_t(found)].second;
    }

    void list()
    {
        dir = ::opendir(folder.constData());
        if (dir)
            readRemembered();
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
            bytes.append(name.data(), std::size_t(name.size()));
            bytes.push_back('\0');
        }
        index.build(names.size(), [this](std::size_t i) { return nameAt(i); });
        sameOrder = wholeBefore.size() == names.size();
        for (std::size_t i = 0; sameOrder && i < names.size(); ++i)
            sameOrder = wholeBefore[i].first == nameAt(i);
        if (!sameOrder)
            wholeBeforeByName.build(wholeBefore.size(),
                                    [this](std::size_t i) { return nameBefore(i); });
        whole.assign(names.size(), 0);
        stamps.assign(names.size(), Stamp{});
        listed.count_down();
    }

    // A file found whole by the last run and not changed since is not read
    // again. One changed in the very moment the list was written may not
    // show it in its change time: it is read.
    void judge()
    {
        for (std::size_t i = next++; i < names.size() && !stop; i = next++) {
            const char *name = bytes.data() + names[i].first;
            struct stat st;
            if (::fstatat(::dirfd(dir), name, &st, 0) != 0 || !S_ISREG(st.st_mode))
                continue;
            stamps[i] = stampOf(st);
            const Stamp *before = stampBefore(i);
            whole[i] = (before && *before == stamps[i] && stamps[i].changed < rememberedAt) ||
                       isWholePdfAt(::dirfd(dir), name, true);
        }
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
    const Work &w = *m_work;
    return w.index.find(std::string_view(name.data(), std::size_t(name.size())),
                        [&w](std::size_t i) { return w.nameAt(i); });
}

void WholePdfsInFolder::written(QByteArrayView name)
{
    struct stat st;
    const QByteArray path = m_work->folder + '/' + name.toByteArray();
    if (::stat(path.constData(), &st) == 0 && S_ISREG(st.st_mode))
        m_work->written.push_back({name.toByteArray(), Work::stampOf(st)});
}

void WholePdfsInFolder::remember()
{
    finish();
    Work &w = *m_work;
    QByteArray list;
    auto add = [&list](QByteArrayView name, const Work::Stamp &s) {
        if (name.contains('\n'))
            return;
        list += QByteArray::number(s.inode) + ' ' + QByteArray::number(s.size) + ' ' +
                QByteArray::number(s.changed) + ' ';
        list += name;
        list += '\n';
    };
    auto name = [&w](std::size_t i) {
        return QByteArrayView(w.bytes.data() + w.names[i].first, qsizetype(w.names[i].second));
    };
    // Whether every file found whole is in the list as it is now. Names
    // listed for files gone since are left: they can only ever mismatch.
    bool unchanged = true;
    for (std::size_t i = 0; unchanged && i < w.names.size(); ++i) {
        const Work::Stamp *before = w.whole[i] ? w.stampBefore(i) : nullptr;
        unchanged = !w.whole[i] || (before && *before == w.stamps[i]);
    }
    for (const auto &[written, stamp] : w.written)
        add(written, stamp);
    const QString path = m_folder + QLatin1Char('/') + QLatin1String(kRemembered);
    if (unchanged) {
        // Only the files written are new: they go at the end of the list,
        // where a later line for a name outweighs an earlier one.
        if (list.isEmpty())
            return;
        const int fd = ::open(native(path).constData(), O_WRONLY | O_APPEND | O_CLOEXEC);
        const bool appended = fd >= 0 && ::write(fd, list.constData(), std::size_t(list.size())) ==
                                             qint64(list.size());
        if (fd >= 0)
            ::close(fd);
        if (appended)
            return;
    }
    for (std::size_t i = 0; i < w.names.size(); ++i)
        if (w.whole[i])
            add(name(i), w.stamps[i]);
    QString error;
    WholeFile::write(path, list, &error);
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
