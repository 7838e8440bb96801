#pragma once
// The port list: a drop-down list that says when it is about to open, so
// the window can bring its entries up to date first (an adapter plugged in
// meanwhile appears).
#include <QAbstractItemView>
#include <QComboBox>
#include <QStyleOptionComboBox>
#include <QStylePainter>

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

    // The closed box shows the port's name without its description, and
    // where even that is too long, its end: "/dev/pts/12" must not read
    // "/dev/pts/", and "…/pts/12" still tells two pseudo-terminals apart.
    static QString ClosedText(const QString &entry, const QFontMetrics &metrics, int width)
    {
        const QString name = entry.section(QStringLiteral(" ("), 0, 0);
        return metrics.elidedText(name, Qt::ElideLeft, width);
    }

signals:
    void DropDown();

protected:
    void paintEvent(QPaintEvent *) override
    {
        QStylePainter painter(this);
        QStyleOptionComboBox option;
        initStyleOption(&option);
        painter.drawComplexControl(QStyle::CC_ComboBox, option);
        const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                    QStyle::SC_ComboBoxEditField, this);
        // The style draws the label a little inside the edit field.
        option.currentText = ClosedText(option.currentText, fontMetrics(), field.width() - 6);
        painter.drawControl(QStyle::CE_ComboBoxLabel, option);
    }
};
