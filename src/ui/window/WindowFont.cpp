#include "ui/window/WindowFont.h"

#include "ui/window/CaptionRoom.h"

#include <QFont>
#include <QWidget>

namespace modLumentorMGW {

namespace {
constexpr double DesignPoints = 7.5;
constexpr double SmallestPoints = 6.0;
constexpr double Step = 0.25;
} // namespace

void SetWindowFace(QWidget *window)
{
    QFont face = window->font();
    face.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                      QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Nimbus Sans")});
    face.setStyleHint(QFont::SansSerif);
    face.setPointSizeF(DesignPoints);
    window->setFont(face);
}

void FitWindowFont(QWidget *window)
{
    QFont face = window->font();
    while (!CutCaptions(window).isEmpty() && face.pointSizeF() - Step >= SmallestPoints) {
        face.setPointSizeF(face.pointSizeF() - Step);
        window->setFont(face);
    }
}

} // namespace modLumentorMGW
