#pragma once

#include "lockkeyreader.h"

// Windows: the toggle state that GetKeyState reports for the lock keys.
class WindowsLockKeyReader : public LockKeyReader
{
public:
    std::optional<bool> isOn(Key key) const override;
};
