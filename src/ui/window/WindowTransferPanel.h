#pragma once
// The transfer panel of the main window as the download and upload loops
// see it.
#include "link/TransferPanel.h"

class QLabel;
class QProgressBar;

class WindowTransferPanel : public modLumentorMGW::TransferPanel
{
public:
    WindowTransferPanel(QProgressBar *bar, QLabel *caption) : bar_(bar), caption_(caption) {}

    void ProcessEvents() override;
    void SetMax(int max) override;
    void SetValue(int value) override;
    void SetCaption(const QString &caption) override;

private:
    QProgressBar *bar_ = nullptr;
    QLabel *caption_ = nullptr;
};
