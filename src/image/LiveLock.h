#pragma once
// A lock held as long as its owner lives (a window's place, a recovery
// copy), taken without waiting: stale once its program has ended, however
// old, and never before.
#include <QLockFile>

#include <memory>

namespace modLumentorMGW {

// Held when isLocked(); otherwise its error() says why not.
std::unique_ptr<QLockFile> TryLiveLock(const QString &path);

} // namespace modLumentorMGW
