#pragma once

#include <QtGlobal>

// Makes room on the heap for a large store before it is built, in one step.
// A data file of 48 MB becomes about 100,000 lists and a million records;
// growing the heap for them a page at a time costs one page fault for every
// 4 kB, and under virtualisation those faults were a third of the start-up
// with such a file. Here the heap grows once by the expected size, asks for
// transparent huge pages there, and has the kernel map it all in one call.
// While the object lives, the heap keeps that room; afterwards what the
// store did not use is given back at the next free, as usual.
// Only on Linux with glibc; elsewhere it does nothing.
class HeapReserve
{
public:
    explicit HeapReserve(qint64 bytes);
    ~HeapReserve();
    HeapReserve(const HeapReserve &) = delete;
    HeapReserve &operator=(const HeapReserve &) = delete;

private:
    bool m_active = false;
};
