#pragma once
// Background colour of a label, as the relay grid and the panels use it.
// The text colour comes with it: black or white, whichever stands out more,
// so that a dark palette's light text never lands on a white label.
#include <QColor>
#include <QPalette>
#include <QWidget>
#include <cmath>

namespace modLumentorMGW {

// Relative luminance, as contrast ratios are reckoned: 0 black, 1 white.
inline double Luminance(const QColor &colour)
{
    const auto linear = [](double c) { return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) + 0.0722 * linear(colour.blueF());
}

inline void SetBackColor(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    // Black on grey 808080 is 5.3:1, white on it 3.9:1.
    palette.setColor(QPalette::WindowText, Luminance(colour) > 0.179 ? Qt::black : Qt::white);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

inline QColor BackColor(const QWidget *widget)
{
    return widget->palette().color(QPalette::Window);
}

} // namespace modLumentorMGW
