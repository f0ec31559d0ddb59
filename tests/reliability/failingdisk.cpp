// Loaded into savechild with LD_PRELOAD by SaveFaultTest: the file named by
// VORRAK_EIO_FILE takes no byte at or past offset VORRAK_EIO_AFTER through
// pwrite; the write that reaches it stops short there, the next one fails
// with EIO, as a failing disk would.
#include <cerrno>
#include <cstdlib>
#include <dlfcn.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// How many of `count` bytes at `offset` the file takes; count when it is not the failing file.
ssize_t room(int fd, size_t count, off64_t offset)
{
    const char *path = std::getenv("VORRAK_EIO_FILE");
    const char *after = std::getenv("VORRAK_EIO_AFTER");
    struct stat failing;
    struct stat written;
    if (!path || !after || ::stat(path, &failing) != 0 || ::fstat(fd, &written) != 0
        || failing.st_dev != written.st_dev || failing.st_ino != written.st_ino)
        return ssize_t(count);
    const off64_t limit = std::atoll(after);
    return offset >= limit ? 0 : ssize_t(offset + off64_t(count) > limit ? limit - offset : off64_t(count));
}

template <typename Write>
ssize_t limited(const char *name, int fd, const void *data, size_t count, off64_t offset)
{
    const auto next = reinterpret_cast<Write>(::dlsym(RTLD_NEXT, name));
    const ssize_t allowed = room(fd, count, offset);
    if (allowed == 0 && count > 0) {
        errno = EIO;
        return -1;
    }
    return next(fd, data, size_t(allowed), offset);
}

} // namespace

extern "C" ssize_t pwrite(int fd, const void *data, size_t count, off_t offset)
{
    return limited<ssize_t (*)(int, const void *, size_t, off_t)>("pwrite", fd, data, count, offset);
}

extern "C" ssize_t pwrite64(int fd, const void *data, size_t count, off64_t offset)
{
    return limited<ssize_t (*)(int, const void *, size_t, off64_t)>("pwrite64", fd, data, count, offset);
}
