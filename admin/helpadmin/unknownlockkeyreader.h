#pragma once

#include "lockkeyreader.h"

// For platforms whose lock key state cannot be read.
class UnknownLockKeyReader : public LockKeyReader
{
public:
    std::optional<bool> isOn(Key) const override { return std::nullopt; }
};
