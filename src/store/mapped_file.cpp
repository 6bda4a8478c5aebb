#include "mapped_file.h"

#include <QFile>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <future>
#include <mutex>
#include <thread>
#include <unordered_map>

#include <fcntl.h>
#include <linux/magic.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

#ifndef F2FS_SUPER_MAGIC
#define F2FS_SUPER_MAGIC 0xF2F52010
#endif

namespace {

// Disks of this machine whose files are only changed through it. Network
// shares and removable media are read instead: a lease there does not hold
// back another computer, and a stick pulled out would take the pages with it.
bool isLocalDisk(unsigned long type)
{
    switch (type) {
    case EXT4_SUPER_MAGIC: // ext2, ext3 and ext4 alike
    case XFS_SUPER_MAGIC:
    case BTRFS_SUPER_MAGIC:
    case TMPFS_MAGIC:
    case F2FS_SUPER_MAGIC:
        return true;
    default:
        return false;
    }
}

int g_wakeUp = -1; // write end of the pipe the signal handler writes to

// Runs in whatever thread the system interrupts: it only passes the file's
// descriptor on.
void onLeaseBreak(int, siginfo_t *info, void *)
{
    const int saved = errno;
    const int fd = info->si_fd;
    [[maybe_unused]] const ssize_t n = ::write(g_wakeUp, &fd, sizeof fd);
    errno = saved;
}

} // namespace

// Every file mapped, by descriptor, and the thread that copies a file away
// when its lease is to be broken.
struct MappedFiles
{
    static MappedFiles &instance()
    {
        // Never destroyed: files may be let go after the end of main().
        static MappedFiles *files = new MappedFiles;
        return *files;
    }

    MappedFiles()
    {
        // A signal of its own, left alone if anything else of the process
        // already handles it.
        signal = SIGRTMAX - 3;
        struct sigaction old = {};
        if (sigaction(signal, nullptr, &old) != 0 || old.sa_handler != SIG_DFL)
            return;
        int ends[2];
        if (pipe2(ends, O_CLOEXEC) != 0)
            return;
        g_wakeUp = ends[1];
        struct sigaction sa = {};
        sa.sa_sigaction = onLeaseBreak;
        sa.sa_flags = SA_SIGINFO | SA_RESTART;
        sigemptyset(&sa.sa_mask);
        if (sigaction(signal, &sa, nullptr) != 0)
            return;
        std::promise<pid_t> started;
        std::future<pid_t> id = started.get_future();
        std::thread([this, in = ends[0], started = std::move(started)]() mutable {
            started.set_value(gettid());
            for (;;) {
                int fd;
                const ssize_t n = ::read(in, &fd, sizeof fd);
                if (n == sizeof fd)
                    release(fd);
                else if (n < 0 && errno != EINTR)
                    return;
            }
        }).detach();
        thread = id.get();
        ready = true;
    }

    // Another program (or this one) waits to write the file open as `fd`.
    void release(int fd)
    {
        const std::lock_guard lock(mutex);
        const auto it = byFd.find(fd);
        if (it == byFd.end())
            return;
        MappedFile &f = *it->second;
        if (!f.m_copied && !copyAway(f))
            std::fprintf(stderr, "carvelle: could not copy a mapped file before it changes: %s\n",
                         std::strerror(errno));
        ::fcntl(fd, F_SETLEASE, F_UNLCK);
    }

    // Puts a copy of the file's pages in their place: readers at any moment
    // see either the file's page or its copy, never anything else.
    static bool copyAway(MappedFile &f)
    {
        const qsizetype page = sysconf(_SC_PAGESIZE);
        const qsizetype length = (f.m_size + page - 1) / page * page;
        void *copy =
            mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (copy == MAP_FAILED)
            return false;
        std::memcpy(copy, f.m_data, f.m_size);
        if (mprotect(copy, length, PROT_READ) != 0 ||
            mremap(copy, length, length, MREMAP_MAYMOVE | MREMAP_FIXED,
                   const_cast<char *>(f.m_data)) == MAP_FAILED) {
            munmap(copy, length);
            return false;
        }
        f.m_copied = true;
        return true;
    }

    bool ready = false;
    int signal = 0;
    pid_t thread = 0; // the signal goes to it alone: no other thread is interrupted
    std::mutex mutex;
    std::unordered_map<int, MappedFile *> byFd;
};

MappedFile::MappedFile(int fd, const char *data, qsizetype size, qsizetype reserved)
    : m_fd(fd), m_data(data), m_size(size), m_reserved(reserved)
{}

std::shared_ptr<const MappedFile> MappedFile::map(const QString &path)
{
    MappedFiles &files = MappedFiles::instance();
    if (!files.ready)
        return nullptr;
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    auto fail = [fd] {
        ::close(fd); // lets the lease go with it
        return nullptr;
    };
    struct statfs fs;
    if (fstatfs(fd, &fs) != 0 || !isLocalDisk(static_cast<unsigned long>(fs.f_type)))
        return fail();
    // Held from the lease on, so that a break that comes at once waits
    // until the file is known to the thread that answers it.
    const std::lock_guard lock(files.mutex);
    if (::fcntl(fd, F_SETSIG, files.signal) != 0 || ::fcntl(fd, F_SETLEASE, F_RDLCK) != 0)
        return fail();
    const f_owner_ex owner = {F_OWNER_TID, files.thread};
    ::fcntl(fd, F_SETOWN_EX, &owner);
    // The size is taken under the lease: nothing can change it any more.
    struct stat st;
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size <= 0)
        return fail();
    const qsizetype size = st.st_size;
    const qsizetype page = sysconf(_SC_PAGESIZE);
    // One page more than the file: a zero byte after the last one even when
    // the file fills its last page.
    const qsizetype reserved = (size + page - 1) / page * page + page;
    void *base =
        mmap(nullptr, reserved, PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    if (base == MAP_FAILED)
        return fail();
    if (mmap(base, size, PROT_READ, MAP_PRIVATE | MAP_FIXED | MAP_POPULATE, fd, 0) == MAP_FAILED) {
        munmap(base, reserved);
        return fail();
    }
    auto *mapped = new MappedFile(fd, static_cast<const char *>(base), size, reserved);
    files.byFd[fd] = mapped;
    return std::shared_ptr<const MappedFile>(mapped);
}

MappedFile::~MappedFile()
{
    MappedFiles &files = MappedFiles::instance();
    const std::lock_guard lock(files.mutex);
    files.byFd.erase(m_fd);
    munmap(const_cast<char *>(m_data), m_reserved);
    ::close(m_fd);
}

bool MappedFile::isShared() const
{
    const std::lock_guard lock(MappedFiles::instance().mutex);
    return !m_copied;
}
