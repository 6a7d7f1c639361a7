#pragma once

#include "platform/Clock.h"

// A clock the tests move by hand.
class FakeClock : public Clock {
public:
    qint64 NowMs() const override { return Now; }
    void Advance(qint64 ms) { Now += ms; }
    qint64 Now = 1000000;
};
