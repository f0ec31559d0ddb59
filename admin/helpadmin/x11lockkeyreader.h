#pragma once

#include "lockkeyreader.h"

typedef struct _XDisplay Display;

// X11: the XKB keyboard indicators ("Caps Lock", "Num Lock") of the display
// connection Qt itself uses, so the state is the one the server applies to
// the key events this application receives.
class X11LockKeyReader : public LockKeyReader
{
public:
    // Null when the application does not run on X11 or the server lacks XKB.
    static std::unique_ptr<X11LockKeyReader> create();

    std::optional<bool> isOn(Key key) const override;

private:
    X11LockKeyReader(Display *display, unsigned capsMask, unsigned numMask);

    Display *m_display;
    unsigned m_capsMask;
    unsigned m_numMask;
};
