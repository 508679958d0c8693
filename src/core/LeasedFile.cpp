#include "LeasedFile.h"

#include "RegularFile.h"

#ifdef Q_OS_LINUX
#include <array>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <mutex>

#include <fcntl.h>
#include <sched.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#ifdef Q_OS_LINUX

namespace {

// What the signal handler may touch: a fixed table of lock-free atomics (sequentially consistent
// throughout), the rest of a slot written before its state says Leased and read only by whoever
// then claims it.
enum State : int {
    Free,
    Setup, // being filled in by map()
    Leased, // the file's pages under a read lease
    Busy, // claimed by the handler or by the destructor
    Private, // copied into the program's own memory, the lease released
};
static_assert(std::atomic<int>::is_always_lock_free);

struct Slot
{
    std::atomic<int> state{Free};
    int fd = -1;
    char *data = nullptr;
    size_t size = 0; // bytes of the file
    size_t length = 0; // of the mapping, whole pages
};

// A full catalogue is 254 files; more at once than this are read instead.
std::array<Slot, 512> leases;

// Let go explicitly: a child forked since shares the descriptor, and closing ours alone would keep
// the lease.
void release(Slot &slot)
{
    ::fcntl(slot.fd, F_SETLEASE, F_UNLCK);
    ::close(slot.fd);
    slot.fd = -1;
}

// Called with the slot claimed (Busy). The copy is made aside and moved over the mapping in one
// step, so a reader in another thread sees the file's pages or the copy, never a gap; the writer
// is held until the lease goes, so both hold the same bytes. Only system calls and memcpy:
// safe in a signal handler.
bool keepPrivately(Slot &slot)
{
    void *copy = ::mmap(nullptr, slot.length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (copy == MAP_FAILED)
        return false;
    std::memcpy(copy, slot.data, slot.size);
    if (::mprotect(copy, slot.length, PROT_READ) != 0
        || ::mremap(copy, slot.length, slot.length, MREMAP_MAYMOVE | MREMAP_FIXED, slot.data) == MAP_FAILED) {
        ::munmap(copy, slot.length);
        return false;
    }
    release(slot); // the writer goes on
    return true;
}

// Notices come in, counted: a slot claimed while one came may have missed it.
std::atomic<unsigned> notices{0};
static_assert(std::atomic<unsigned>::is_always_lock_free);

// Copies the slot's file when its lease is being broken. The slot is claimed before it is looked
// at, so the handler running in two threads, or beside map() or the destructor, never does it
// twice; a handler that finds it claimed passes it by, so the claimant looks again when a notice
// came meanwhile.
void keepPrivatelyIfBroken(Slot &slot)
{
    for (;;) {
        const unsigned seen = notices.load();
        int expected = Leased;
        if (!slot.state.compare_exchange_strong(expected, Busy))
            return;
        // A lease being broken already reads as none.
        const bool broken = ::fcntl(slot.fd, F_GETLEASE) != F_RDLCK;
        if (broken && keepPrivately(slot)) {
            slot.state.store(Private);
            return;
        }
        slot.state.store(Leased);
        // Where no copy can be made the lease stays: the writer waits out the break time, and
        // then the system takes the lease away itself.
        if (broken || notices.load() == seen)
            return;
    }
}

// Every pending notice is looked at, not only the one whose descriptor the signal carries: the
// work is the same and no notice is lost however signals are merged.
void onLeaseBreak(int /*signal*/, siginfo_t * /*info*/, void * /*context*/)
{
    const int savedErrno = errno;
    ++notices;
    for (Slot &slot : leases)
        keepPrivatelyIfBroken(slot);
    errno = savedErrno;
}

// A real-time signal, queued once per notice. Taken only where nothing else in the program
// handles it. The handler runs in whichever thread the signal comes to, the one that opens the
// file for writing included (our own process writing the file would otherwise wait on itself):
// the interrupted open is then restarted and finds the lease gone.
int leaseSignal()
{
    static int signal = 0;
    static std::once_flag once;
    std::call_once(once, [] {
        const int chosen = SIGRTMIN + 5;
        struct sigaction previous {};
        if (::sigaction(chosen, nullptr, &previous) != 0 || (previous.sa_flags & SA_SIGINFO)
            || previous.sa_handler != SIG_DFL)
            return;
        struct sigaction action {};
        action.sa_sigaction = onLeaseBreak;
        action.sa_flags = SA_SIGINFO | SA_RESTART;
        sigemptyset(&action.sa_mask);
        if (::sigaction(chosen, &action, nullptr) == 0)
            signal = chosen;
    });
    return signal;
}

int claimSlot()
{
    for (size_t i = 0; i < leases.size(); ++i) {
        int expected = Free;
        if (leases[i].state.compare_exchange_strong(expected, Setup))
            return int(i);
    }
    return -1;
}

size_t wholePages(qsizetype size)
{
    const auto pageSize = size_t(::sysconf(_SC_PAGESIZE));
    return (size_t(size) + pageSize - 1) / pageSize * pageSize;
}

} // namespace

std::shared_ptr<MappingRoom> MappingRoom::reserve(const QList<qsizetype> &sizes)
{
    size_t length = 0;
    for (const qsizetype size : sizes)
        length += wholePages(size);
    if (length == 0)
        return nullptr;
    // Address space only, until files are mapped over it.
    void *data = ::mmap(nullptr, length, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    if (data == MAP_FAILED)
        return nullptr;
    return std::shared_ptr<MappingRoom>(new MappingRoom(static_cast<char *>(data), length));
}

MappingRoom::~MappingRoom()
{
    ::munmap(m_data, m_length);
}

char *MappingRoom::take(qsizetype size)
{
    const size_t length = wholePages(size);
    if (size <= 0 || length > m_length - m_used)
        return nullptr;
    char *room = m_data + m_used;
    m_used += length;
    return room;
}

std::shared_ptr<const LeasedFile> LeasedFile::map(const QString &path, qsizetype maxBytes,
                                                  const std::shared_ptr<MappingRoom> &room)
{
    const int signal = leaseSignal();
    if (signal == 0 || !room)
        return nullptr;
    qsizetype size = 0;
    const int fd = OpenRegularFile(path, maxBytes, &size);
    if (fd < 0)
        return nullptr;
    const int slotIndex = claimSlot();
    // The size again once leased: it could still change before.
    struct stat info {};
    char *place = nullptr;
    if (slotIndex < 0 || ::fcntl(fd, F_SETSIG, signal) != 0 || ::fcntl(fd, F_SETLEASE, F_RDLCK) != 0
        || ::fstat(fd, &info) != 0 || info.st_size <= 0 || info.st_size > maxBytes
        || !(place = room->take(qsizetype(info.st_size)))
        || ::mmap(place, wholePages(qsizetype(info.st_size)), PROT_READ, MAP_SHARED | MAP_FIXED | MAP_POPULATE, fd,
                  0) == MAP_FAILED) {
        if (slotIndex >= 0)
            leases[size_t(slotIndex)].state.store(Free);
        ::fcntl(fd, F_SETLEASE, F_UNLCK);
        ::close(fd);
        return nullptr;
    }
    size = qsizetype(info.st_size);
    Slot &slot = leases[size_t(slotIndex)];
    slot.fd = fd;
    slot.data = place;
    slot.size = size_t(size);
    slot.length = wholePages(size);
    slot.state.store(Leased);
    // A notice that came before the slot said Leased found nothing to do.
    keepPrivatelyIfBroken(slot);
    return std::shared_ptr<const LeasedFile>(new LeasedFile(slotIndex, place, size, room));
}

LeasedFile::~LeasedFile()
{
    Slot &slot = leases[size_t(m_slot)];
    // Claimed from the handler, or waited for while it copies in another thread.
    for (;;) {
        int state = slot.state.load();
        if (state == Private)
            break;
        if (state == Leased && slot.state.compare_exchange_weak(state, Busy))
            break;
        ::sched_yield();
    }
    if (slot.fd >= 0)
        release(slot);
    slot.state.store(Free);
}

#else

std::shared_ptr<MappingRoom> MappingRoom::reserve(const QList<qsizetype> & /*sizes*/)
{
    return nullptr;
}

MappingRoom::~MappingRoom() = default;

char *MappingRoom::take(qsizetype /*size*/)
{
    return nullptr;
}

std::shared_ptr<const LeasedFile> LeasedFile::map(const QString & /*path*/, qsizetype /*maxBytes*/,
                                                  const std::shared_ptr<MappingRoom> & /*room*/)
{
    return nullptr;
}

LeasedFile::~LeasedFile() = default;

#endif
