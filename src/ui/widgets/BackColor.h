#pragma once
// Background colour of a label, as the relay grid and the panels use it.
#include <QColor>
#include <QPalette>
#include <QWidget>

namespace modLumentorMGW {

inline void SetBackColor(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

inline QColor BackColor(const QWidget *widget)
{
    return widget->palette().color(QPalette::Window);
}

} // namespace modLumentorMGW
