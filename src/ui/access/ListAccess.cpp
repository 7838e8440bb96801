#include "ui/access/ListAccess.h"

#include <QAbstractItemView>
#include <QComboBox>

ListAccess::ListAccess(QComboBox *list)
    : QAccessibleWidget(list, QAccessible::ComboBox)
{
}

QComboBox *ListAccess::List() const { return static_cast<QComboBox *>(widget()); }

QString ListAccess::text(QAccessible::Text t) const
{
    switch (t) {
    case QAccessible::Name: {
        // Lists of other windows (Qt's own file dialog) keep their label's
        // name, or at least the entry as Qt gives it.
        QString name = List()->accessibleName();
        if (name.isEmpty())
            name = QAccessibleWidget::text(t);
        return name.isEmpty() ? List()->currentText() : name;
    }
    case QAccessible::Value:
        return List()->currentText();
    default:
        return QAccessibleWidget::text(t);
    }
}

QAccessible::State ListAccess::state() const
{
    QAccessible::State s = QAccessibleWidget::state();
    s.expandable = true;
    s.expanded = List()->view()->isVisible();
    s.collapsed = !s.expanded;
    return s;
}

// The open list with its entries, as Qt's own interface gives it.
int ListAccess::childCount() const { return 1; }

QAccessibleInterface *ListAccess::child(int index) const
{
    return index == 0 ? QAccessible::queryAccessibleInterface(List()->view()) : nullptr;
}

int ListAccess::indexOfChild(const QAccessibleInterface *child) const
{
    return child && child->object() == List()->view() ? 0 : -1;
}

QStringList ListAccess::actionNames() const { return {showMenuAction(), pressAction()}; }

void ListAccess::doAction(const QString &action)
{
    if (action != showMenuAction() && action != pressAction())
        return;
    if (List()->view()->isVisible())
        List()->hidePopup();
    else
        List()->showPopup();
}
