#pragma once
// What a transfer needs of whatever shows it (the window, or mgw on a
// terminal): one chance to handle pending events before each block (that is
// when a Cancel click or Ctrl+C arrives), and the progress and caption.
#include <QString>

namespace modLumentorMGW {

class TransferPanel
{
public:
    virtual ~TransferPanel() = default;

    virtual void ProcessEvents() = 0;
    virtual void SetMax(int max) = 0;
    virtual void SetValue(int value) = 0;
    // Shown at once: the window does not run while a command waits.
    virtual void SetCaption(const QString &caption) = 0;
};

} // namespace modLumentorMGW
