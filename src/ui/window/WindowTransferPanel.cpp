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

// QProgressBar repaints only for a step as wide as the style's chunk (9
// pixels in Fusion, which draws no chunks): 16 of 2048 blocks never is, and
// the window does not run while a command waits. So the bar is painted here.
void WindowTransferPanel::SetValue(int value)
{
    bar_->setValue(value);
    bar_->repaint();
}

void WindowTransferPanel::SetCaption(const QString &caption)
{
    caption_->setText(caption);
    caption_->repaint();
}
