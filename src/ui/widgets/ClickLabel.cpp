#include "ui/widgets/ClickLabel.h"

#include <QMouseEvent>

ClickLabel::ClickLabel(int index, QWidget *parent)
    : QLabel(parent), index_(index)
{
}

void ClickLabel::mousePressEvent(QMouseEvent *event)
{
    pressed_ = event->button() == Qt::LeftButton;
    event->accept();
}

// A click is a press and a release of the left button on the label itself.
void ClickLabel::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = pressed_ && event->button() == Qt::LeftButton
                       && rect().contains(event->position().toPoint());
    pressed_ = false;
    event->accept();
    if (click)
        emit clicked(index_);
}
