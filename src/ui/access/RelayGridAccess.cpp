#include "ui/access/RelayGridAccess.h"

#include "ui/widgets/RelayGrid.h"

#include <QPointer>

namespace {
class RelayAccess : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    RelayAccess(RelayGrid *grid, int index) : grid_(grid), index_(index) {}

    // The grid goes with its window; an assistive tool may still ask.
    bool isValid() const override { return !grid_.isNull(); }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return grid_ ? grid_->window()->windowHandle() : nullptr; }
    QAccessibleInterface *parent() const override { return QAccessible::queryAccessibleInterface(grid_.data()); }
    QAccessibleInterface *child(int) const override { return nullptr; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QString text(QAccessible::Text t) const override
    {
        return grid_ && t == QAccessible::Name ? grid_->RelayName(index_) : QString();
    }
    void setText(QAccessible::Text, const QString &) override {}
    QRect rect() const override
    {
        if (!grid_)
            return {};
        const QRect relay = grid_->RelayRect(index_);
        return QRect(grid_->mapToGlobal(relay.topLeft()), relay.size());
    }
    QAccessible::Role role() const override { return QAccessible::CheckBox; }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        if (!grid_) {
            s.invalid = true;
            return s;
        }
        s.checkable = true;
        s.checked = grid_->IsSet(index_);
        s.focusable = true;
        s.focused = grid_->hasFocus() && grid_->Current() == index_;
        s.invisible = !grid_->isVisible();
        s.disabled = !grid_->isEnabled();
        return s;
    }
    void *interface_cast(QAccessible::InterfaceType t) override
    {
        return t == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface *>(this) : nullptr;
    }
    QStringList actionNames() const override { return {toggleAction(), setFocusAction()}; }
    void doAction(const QString &action) override
    {
        if (!grid_)
            return;
        if (action == toggleAction()) {
            grid_->Toggle(index_);
        } else if (action == setFocusAction()) {
            grid_->setFocus(Qt::OtherFocusReason);
            grid_->SetCurrent(index_);
        }
    }
    QStringList keyBindingsForAction(const QString &action) const override
    {
        return action == toggleAction() ? QStringList{QStringLiteral("Space")} : QStringList();
    }

private:
    QPointer<RelayGrid> grid_;
    int index_;
};
} // namespace

RelayGridAccess::RelayGridAccess(RelayGrid *grid)
    : QAccessibleWidget(grid, QAccessible::Grouping), children_(RelayGrid::Count, 0)
{
    // The focus moving between relays, and a relay shown in another state.
    moved_ = QObject::connect(grid, &RelayGrid::currentMoved, grid, [grid](int i) {
        QAccessibleEvent focus(grid, QAccessible::Focus);
        focus.setChild(i);
        QAccessible::updateAccessibility(&focus);
    });
    shown_ = QObject::connect(grid, &RelayGrid::relayShown, grid, [grid](int i) {
        QAccessible::State checked;
        checked.checked = true;
        QAccessibleStateChangeEvent change(grid, checked);
        change.setChild(i);
        QAccessible::updateAccessibility(&change);
    });
}

RelayGridAccess::~RelayGridAccess()
{
    QObject::disconnect(moved_);
    QObject::disconnect(shown_);
    for (QAccessible::Id id : children_) {
        if (id)
            QAccessible::deleteAccessibleInterface(id);
    }
}

RelayGrid *RelayGridAccess::Grid() const { return static_cast<RelayGrid *>(widget()); }

int RelayGridAccess::childCount() const { return RelayGrid::Count; }

QAccessibleInterface *RelayGridAccess::child(int index) const
{
    if (index < 0 || index >= RelayGrid::Count)
        return nullptr;
    if (!children_[index])
        children_[index] = QAccessible::registerAccessibleInterface(new RelayAccess(Grid(), index));
    return QAccessible::accessibleInterface(children_[index]);
}

int RelayGridAccess::indexOfChild(const QAccessibleInterface *child) const
{
    for (int i = 0; i < RelayGrid::Count; ++i) {
        if (children_[i] && QAccessible::accessibleInterface(children_[i]) == child)
            return i;
    }
    return -1;
}

QAccessibleInterface *RelayGridAccess::childAt(int x, int y) const
{
    for (int i = 0; i < RelayGrid::Count; ++i) {
        if (child(i)->rect().contains(x, y))
            return child(i);
    }
    return nullptr;
}

QAccessibleInterface *RelayGridAccess::focusChild() const
{
    return Grid()->hasFocus() ? child(Grid()->Current()) : nullptr;
}
