#pragma once

#include <memory>
#include <optional>

// Reads whether Caps Lock or Num Lock is on, from whatever the platform
// offers. Platforms that cannot tell (the offscreen platform, Wayland) answer
// std::nullopt, and the editor then shows its indicators as off.
class LockKeyReader
{
public:
    enum class Key { CapsLock, NumLock };

    virtual ~LockKeyReader() = default;

    virtual std::optional<bool> isOn(Key key) const = 0;

    // The reader for the platform the application runs on; needs the
    // QGuiApplication to exist.
    static std::unique_ptr<LockKeyReader> create();
};
