#include "x11lockkeyreader.h"

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

std::unique_ptr<X11LockKeyReader> X11LockKeyReader::create()
{
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display *display = x11 ? x11->display() : nullptr;
    if (!display)
        return nullptr;
    int opcode = 0, event = 0, error = 0, major = XkbMajorVersion, minor = XkbMinorVersion;
    if (!XkbQueryExtension(display, &opcode, &event, &error, &major, &minor))
        return nullptr;
    return std::unique_ptr<X11LockKeyReader>(new X11LockKeyReader(
        display, indicatorMask(display, "Caps Lock", 0), indicatorMask(display, "Num Lock", 1)));
}

X11LockKeyReader::X11LockKeyReader(Display *display, unsigned capsMask, unsigned numMask)
    : m_display(display)
    , m_capsMask(capsMask)
    , m_numMask(numMask)
{
}

std::optional<bool> X11LockKeyReader::isOn(Key key) const
{
    unsigned state = 0;
    if (XkbGetIndicatorState(m_display, XkbUseCoreKbd, &state) != Success)
        return std::nullopt;
    return (state & (key == Key::CapsLock ? m_capsMask : m_numMask)) != 0;
}
