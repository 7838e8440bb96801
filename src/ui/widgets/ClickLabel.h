#pragma once
// A bordered label that reports a click with its element index, for the
// label arrays of the window.
#include <QLabel>

class ClickLabel : public QLabel {
    Q_OBJECT

public:
    ClickLabel(int index, QWidget *parent);

    int Index() const { return index_; }
    // A click from the keyboard: the same event as the mouse's.
    void Click() { emit clicked(index_); }

signals:
    void clicked(int index);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    int index_ = 0;
    bool pressed_ = false;
};
