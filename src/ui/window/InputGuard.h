#pragma once
// Mouse input as the window's controls are meant to take it: a double click
// is one click followed by a double-click event, so its second press
// toggles or runs nothing; and the wheel changes a closed list only while
// that list has the keyboard focus, so scrolling over the window never
// edits the map unnoticed.
#include <QObject>

class QWidget;

class InputGuard : public QObject {
public:
    // Guards every list, button, check box, option button and clickable
    // label inside window.
    static void GuardControlsOf(QWidget *window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit InputGuard(QObject *parent) : QObject(parent) {}
};
