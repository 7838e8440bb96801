#include "ui/widgets/RelayGrid.h"

#include "ui/widgets/ClickLabel.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QPainter>

RelayGrid::RelayGrid(const std::array<ClickLabel *, Count> &states, const QComboBox *nodeList, QWidget *frame)
    : QWidget(frame), states_(states), nodeList_(nodeList)
{
    setObjectName(QStringLiteral("relayGrid"));
    QRect area;
    for (int i = 0; i < Count; ++i) {
        area |= states_[i]->geometry();
        connect(states_[i], &ClickLabel::clicked, this, &RelayGrid::SetCurrent);
    }
    setGeometry(area);
    setFocusPolicy(Qt::StrongFocus);
    // The labels beneath take the mouse; this only draws the focus.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    raise();
}

void RelayGrid::SetCurrent(int i)
{
    if (i < 0 || i >= Count || i == current_)
        return;
    current_ = i;
    update();
    if (hasFocus())
        emit currentMoved(i);
}

QString RelayGrid::RelayName(int i) const
{
    return QStringLiteral("Relay %1, %2").arg(i + 1, 2, 10, QLatin1Char('0')).arg(nodeList_->currentText().remove(QLatin1Char(':')));
}

void RelayGrid::ShowState(int i, bool set)
{
    if (i < 0 || i >= Count || shown_[i] == set)
        return;
    shown_[i] = set;
    emit relayShown(i);
}

void RelayGrid::Toggle(int i)
{
    if (isEnabled() && isVisible() && i >= 0 && i < Count)
        states_[i]->Click();
}

QRect RelayGrid::RelayRect(int i) const { return states_[i]->geometry().translated(-pos()); }

// Up and down within a column of sixteen, left and right across the columns.
void RelayGrid::keyPressEvent(QKeyEvent *event)
{
    const int row = current_ % Rows;
    switch (event->key()) {
    case Qt::Key_Up: SetCurrent(row > 0 ? current_ - 1 : current_); break;
    case Qt::Key_Down: SetCurrent(row < Rows - 1 ? current_ + 1 : current_); break;
    case Qt::Key_Left: SetCurrent(current_ - Rows); break;
    case Qt::Key_Right: SetCurrent(current_ + Rows); break;
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (event->modifiers() & ~Qt::KeypadModifier) {
            QWidget::keyPressEvent(event);
            return;
        }
        Toggle(current_);
        break;
    default: QWidget::keyPressEvent(event); return;
    }
    event->accept();
}

// Inside the label's border, in the palette's highlight: seen on white and on grey.
void RelayGrid::paintEvent(QPaintEvent *)
{
    if (!hasFocus())
        return;
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
    painter.drawRect(QRectF(RelayRect(current_)).adjusted(2, 2, -2, -2));
}

void RelayGrid::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    update();
    emit currentMoved(current_);
}

void RelayGrid::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    update();
}
