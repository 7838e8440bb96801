#pragma once
// The relay grid to assistive technology: one control holding 64 check
// boxes, "Relay 05, Node 01", checked as the relay is, each with a toggle
// action that clicks its label. It knows the grid only by RelayGrid's own
// members and signals.
#include <QAccessibleWidget>
#include <QMetaObject>
#include <vector>

class RelayGrid;

class RelayGridAccess : public QAccessibleWidget {
public:
    explicit RelayGridAccess(RelayGrid *grid);
    ~RelayGridAccess() override;

    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QAccessibleInterface *childAt(int x, int y) const override;
    QAccessibleInterface *focusChild() const override;

private:
    RelayGrid *Grid() const;
    mutable std::vector<QAccessible::Id> children_;
    // Dropped with this interface: the grid may outlive it.
    QMetaObject::Connection moved_, shown_;
};
