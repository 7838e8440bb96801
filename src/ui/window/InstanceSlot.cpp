#include "ui/window/InstanceSlot.h"

#include "image/LiveLock.h"

#include <QDir>
#include <QLockFile>
#include <QStandardPaths>
#include <QWidget>

namespace {
// A title bar's height down and across; cascades of eight, then over again.
constexpr int Step = 32;
constexpr int Slots = 8;
} // namespace

InstanceSlot::InstanceSlot(QWidget *window) : QObject(window) {}

InstanceSlot::~InstanceSlot() = default;

QPoint InstanceSlot::Take(QWidget *window)
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    auto *slot = new InstanceSlot(window);
    for (int n = 0; n < 64; ++n) {
        auto lock = modLumentorMGW::TryLiveLock(QDir(folder).filePath(QStringLiteral("LumentorMGW-window-%1.lock").arg(n)));
        if (lock->isLocked()) {
            slot->lock_ = std::move(lock);
            return QPoint(Step, Step) * (n % Slots);
        }
    }
    return {};
}
