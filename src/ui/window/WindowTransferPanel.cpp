#include "ui/window/WindowTransferPanel.h"

#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>

// Clicks (Cancel), close requests and repaints are handled here, between
// blocks.
void WindowTransferPanel::ProcessEvents()
{
    QCoreApplication::processEvents();
}

void WindowTransferPanel::SetMax(int max)
{
    bar_->setMaximum(max);
}

void WindowTransferPanel::SetValue(int value)
{
    bar_->setValue(value);
}

void WindowTransferPanel::SetCaption(const QString &caption)
{
    caption_->setText(caption);
    caption_->repaint();
}
