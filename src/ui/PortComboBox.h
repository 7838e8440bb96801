#pragma once
// The port list: a drop-down list that says when it is about to open, so
// the window can bring its entries up to date first (an adapter plugged in
// meanwhile appears).
#include <QAbstractItemView>
#include <QComboBox>

class PortComboBox : public QComboBox {
    Q_OBJECT

public:
    explicit PortComboBox(QWidget *parent = nullptr) : QComboBox(parent)
    {
        // The whole name of the chosen port, which the narrow box cuts short.
        connect(this, &QComboBox::currentTextChanged, this, &QWidget::setToolTip);
    }

    void showPopup() override
    {
        emit DropDown();
        // The box is narrow; the open list is as wide as its longest entry.
        view()->setMinimumWidth(view()->sizeHintForColumn(0) + 2 * view()->frameWidth());
        QComboBox::showPopup();
    }

signals:
    void DropDown();
};
