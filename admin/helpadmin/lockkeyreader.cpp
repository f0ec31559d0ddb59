#include "lockkeyreader.h"

#include "unknownlockkeyreader.h"

#ifdef Q_OS_WIN
#include "windowslockkeyreader.h"
#endif
#ifdef VORRAK_HAVE_X11
#include "x11lockkeyreader.h"
#endif

std::unique_ptr<LockKeyReader> LockKeyReader::create()
{
#ifdef Q_OS_WIN
    return std::make_unique<WindowsLockKeyReader>();
#else
#ifdef VORRAK_HAVE_X11
    if (std::unique_ptr<LockKeyReader> reader = X11LockKeyReader::create())
        return reader;
#endif
    return std::make_unique<UnknownLockKeyReader>();
#endif
}
