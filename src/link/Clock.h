#pragma once
// The restartable millisecond counter a transaction times its reply with.
#include <QElapsedTimer>
#include <cstdint>

namespace modLumentorMGW {

class Clock
{
public:
    void Restart() { timer_.start(); }
    int32_t Elapsed() const { return int32_t(timer_.elapsed()); }

private:
    QElapsedTimer timer_;
};

} // namespace modLumentorMGW
