#include "ui/window/WindowSystem.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace modLumentorMGW {

namespace {
std::optional<bool> &placesOverride()
{
    static std::optional<bool> places;
    return places;
}
} // namespace

bool PlacesWindows()
{
    if (placesOverride())
        return *placesOverride();
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

void OverridePlacesWindows(std::optional<bool> places) { placesOverride() = places; }

namespace {
// Back to the fixed size when the compositor lets go of a state, and the
// limits again on every screen the window moves to.
class SizeKeeper : public QObject {
public:
    explicit SizeKeeper(QWidget *window) : QObject(window), window_(window)
    {
        setObjectName(QStringLiteral("SizeKeeper"));
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::WindowStateChange && window_->windowState() == Qt::WindowNoState)
            window_->resize(window_->sizeHint());
        if (event->type() == QEvent::Show && !watching_ && window_->windowHandle()) {
            watching_ = true;
            connect(window_->windowHandle(), &QWindow::screenChanged, this, [this] { HoldFixedSize(window_); });
        }
        return false;
    }

private:
    QWidget *window_;
    bool watching_ = false;
};
} // namespace

void HoldFixedSize(QWidget *window)
{
    QLayout *layout = window->layout();
    // Unset first: the same limits set again would not reach the window
    // system, which on a screen of another scale needs them in its pixels.
    layout->setSizeConstraint(QLayout::SetNoConstraint);
    window->setMinimumSize(0, 0);
    window->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    layout->setSizeConstraint(PlacesWindows() ? QLayout::SetFixedSize : QLayout::SetMinimumSize);
    layout->activate();
    if (!window->findChild<QObject *>(QStringLiteral("SizeKeeper"), Qt::FindDirectChildrenOnly))
        new SizeKeeper(window);
    if (!(window->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)))
        window->resize(window->sizeHint());
}

} // namespace modLumentorMGW
