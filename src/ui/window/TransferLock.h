#pragma once
// While a transfer runs only its Cancel button works: every other command
// and editing control is disabled, and given back as it was afterwards,
// whatever the outcome.
#include <QPointer>
#include <utility>
#include <vector>

class QAction;
class QWidget;
class frmLumentorMGW;

class TransferLock
{
public:
    explicit TransferLock(frmLumentorMGW &window);
    ~TransferLock();
    TransferLock(const TransferLock &) = delete;
    TransferLock &operator=(const TransferLock &) = delete;

private:
    frmLumentorMGW &window_;
    std::vector<std::pair<QPointer<QWidget>, bool>> widgets_;
    std::vector<std::pair<QPointer<QAction>, bool>> actions_;
};
