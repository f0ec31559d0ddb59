#pragma once

#include <optional>

enum class LockKey { CapsLock, NumLock };

// Whether Caps Lock or Num Lock is on, from whatever the platform offers.
// Platforms that cannot tell (the offscreen platform, Wayland) answer
// std::nullopt, and the editor then shows its indicators as off. Needs the
// QGuiApplication to exist.
std::optional<bool> isLockKeyOn(LockKey key);
