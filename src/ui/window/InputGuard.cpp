#include "ui/window/InputGuard.h"

#include "ui/widgets/ClickLabel.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QEvent>

void InputGuard::GuardControlsOf(QWidget *window)
{
    auto *guard = new InputGuard(window);
    for (QComboBox *list : window->findChildren<QComboBox *>()) {
        // Not WheelFocus: the wheel would take the focus, then change the list.
        list->setFocusPolicy(Qt::StrongFocus);
        list->installEventFilter(guard);
    }
    for (QAbstractButton *button : window->findChildren<QAbstractButton *>())
        button->installEventFilter(guard);
    for (ClickLabel *label : window->findChildren<ClickLabel *>())
        label->installEventFilter(guard);
}

bool InputGuard::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonDblClick)
        return true;
    if (event->type() == QEvent::Wheel) {
        auto *list = qobject_cast<QComboBox *>(watched);
        return list && !list->hasFocus();
    }
    return false;
}
