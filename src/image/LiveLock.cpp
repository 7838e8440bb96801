#include "image/LiveLock.h"

namespace modLumentorMGW {

std::unique_ptr<QLockFile> TryLiveLock(const QString &path)
{
    auto lock = std::make_unique<QLockFile>(path);
    lock->setStaleLockTime(0);
    lock->tryLock(0);
    return lock;
}

} // namespace modLumentorMGW
