#include "common/heapreserve.h"

#if defined(Q_OS_LINUX) && defined(__GLIBC__)
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <vector>

namespace {

// Below this the page faults do not matter.
constexpr qint64 MinimumBytes = 8 << 20;
// Mapping is done up front: more than this is left to grow as it is used,
// so that a huge file cannot make the system kill the program before the
// load can fail with "out of memory".
constexpr qint64 MaximumBytes = qint64(512) << 20;
// glibc's own default for M_TOP_PAD.
constexpr int DefaultTopPad = 128 * 1024;
// Small enough never to be served by mmap, so that it comes from the heap.
constexpr size_t Step = 64 * 1024;
constexpr uintptr_t HugePage = 2 << 20;

} // namespace

HeapReserve::HeapReserve(qint64 bytes)
{
    if (bytes < MinimumBytes)
        return;
    bytes = qMin(bytes, MaximumBytes);
    // The next growth of the heap asks for `bytes` more than it needs, and
    // trimming keeps that much, so that what follows cannot give it back.
    if (mallopt(M_TOP_PAD, int(bytes)) != 1)
        return;
    m_active = true;
    const auto before = reinterpret_cast<uintptr_t>(sbrk(0));
    std::vector<void *> steps;
    // Takes the free room at the top of the heap until the heap has to grow.
    while (reinterpret_cast<uintptr_t>(sbrk(0)) == before && steps.size() < 64) {
        void *step = malloc(Step);
        if (!step)
            break;
        steps.push_back(step);
    }
    for (void *step : steps)
        free(step);
    const auto end = reinterpret_cast<uintptr_t>(sbrk(0));
    if (end <= before)
        return;
    const uintptr_t pageSize = uintptr_t(sysconf(_SC_PAGESIZE));
    const uintptr_t start = (before + pageSize - 1) & ~(pageSize - 1);
    const uintptr_t hugeStart = (before + HugePage - 1) & ~(HugePage - 1);
    if (hugeStart < end)
        madvise(reinterpret_cast<void *>(hugeStart), end - hugeStart, MADV_HUGEPAGE);
#ifdef MADV_POPULATE_WRITE
    // Kernels before 5.14 refuse it; the pages then come one fault at a time.
    if (start < end)
        madvise(reinterpret_cast<void *>(start), end - start, MADV_POPULATE_WRITE);
#endif
}

HeapReserve::~HeapReserve()
{
    if (m_active)
        mallopt(M_TOP_PAD, DefaultTopPad);
}

#else

HeapReserve::HeapReserve(qint64) { }
HeapReserve::~HeapReserve() = default;

#endif
