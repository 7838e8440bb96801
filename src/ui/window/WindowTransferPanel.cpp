#include "ui/window/WindowTransferPanel.h"

#include <QCoreApplication>
#include <QFontMetrics>
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

// A caption wider than the label (a long port path in the wait for it) loses
// its middle, so that the count at its end stays in sight; the whole text is
// the label's tool tip then.
void WindowTransferPanel::SetCaption(const QString &caption)
{
    const QFontMetrics metrics(caption_->font());
    const int room = caption_->contentsRect().width();
    const bool fits = metrics.horizontalAdvance(caption) <= room;
    caption_->setText(fits ? caption : metrics.elidedText(caption, Qt::ElideMiddle, room));
    caption_->setToolTip(fits ? QString() : caption);
    caption_->repaint();
}
