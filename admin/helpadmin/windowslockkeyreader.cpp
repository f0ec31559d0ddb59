#include "windowslockkeyreader.h"

#include <QtGlobal>

#ifdef Q_OS_WIN
#include <windows.h>

std::optional<bool> WindowsLockKeyReader::isOn(Key key) const
{
    const int virtualKey = key == Key::CapsLock ? VK_CAPITAL : VK_NUMLOCK;
    // The low bit is the toggle state; the high bit only says whether the key
    // is held down at this moment.
    return (GetKeyState(virtualKey) & 0x0001) != 0;
}
#endif
