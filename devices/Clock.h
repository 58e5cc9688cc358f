#pragma once

#include <windows.h>

// Milliseconds for whatever moves with time (the simulated drive's play head). Tests drive a
// ManualClock by hand so nothing depends on how fast the machine is.
class Clock {
public:
    virtual ~Clock() = default;
    virtual DWORD Milliseconds() = 0;
};

class TickCountClock : public Clock {
public:
    DWORD Milliseconds() override { return GetTickCount(); }
};

class ManualClock : public Clock {
public:
    DWORD Milliseconds() override { return now; }
    void Set(DWORD ms) { now = ms; }
    void Advance(DWORD ms) { now += ms; }

private:
    DWORD now = 0;
};
