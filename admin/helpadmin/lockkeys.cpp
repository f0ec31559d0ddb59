#include "admin/helpadmin/lockkeys.h"

#include <QtGlobal>

#if defined(Q_OS_WIN)
#include <windows.h>

std::optional<bool> isLockKeyOn(LockKey key)
{
    const int virtualKey = key == LockKey::CapsLock ? VK_CAPITAL : VK_NUMLOCK;
    // The low bit is the toggle state; the high bit only says whether the key
    // is held down at this moment.
    return (GetKeyState(virtualKey) & 0x0001) != 0;
}

#elif defined(VORRAK_HAVE_X11)
#include <QGuiApplication>

#include <X11/XKBlib.h>

namespace {

// The indicator's bit in XkbGetIndicatorState; the usual position when the
// keymap does not name the indicator.
unsigned indicatorMask(Display *display, const char *name, int usualIndex)
{
    const Atom atom = XInternAtom(display, name, True);
    int index = -1;
    if (atom != None && XkbGetNamedIndicator(display, atom, &index, nullptr, nullptr, nullptr) && index >= 0
        && index < XkbNumIndicators)
        return 1u << index;
    return 1u << usualIndex;
}

} // namespace

// The XKB keyboard indicators ("Caps Lock", "Num Lock") of the display
// connection Qt itself uses, so the state is the one the server applies to
// the key events this application receives.
std::optional<bool> isLockKeyOn(LockKey key)
{
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display *display = x11 ? x11->display() : nullptr;
    if (!display)
        return std::nullopt;
    int opcode = 0, event = 0, error = 0, major = XkbMajorVersion, minor = XkbMinorVersion;
    if (!XkbQueryExtension(display, &opcode, &event, &error, &major, &minor))
        return std::nullopt;
    const unsigned mask = key == LockKey::CapsLock ? indicatorMask(display, "Caps Lock", 0)
                                                   : indicatorMask(display, "Num Lock", 1);
    unsigned state = 0;
    if (XkbGetIndicatorState(display, XkbUseCoreKbd, &state) != Success)
        return std::nullopt;
    return (state & mask) != 0;
}

#else

std::optional<bool> isLockKeyOn(LockKey)
{
    return std::nullopt;
}

#endif
