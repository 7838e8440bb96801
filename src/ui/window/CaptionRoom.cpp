#include "ui/window/CaptionRoom.h"

#include "ui/widgets/PortComboBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOption>
#include <optional>

namespace modLumentorMGW {

namespace {
struct CaptionRoom {
    QString text;
    QRect room;
};

QRect ButtonRoom(const QAbstractButton *button, QStyle::SubElement contents)
{
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    return button->style()->subElementRect(contents, &option, button);
}

// A frame's title sits in its top border, as far from the right edge as
// from the left.
QRect TitleRoom(const QGroupBox *frame)
{
    QStyleOptionGroupBox option;
    option.initFrom(frame);
    option.text = frame->title();
    option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
    option.lineWidth = 1;
    const QRect label = frame->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, frame);
    return QRect(label.left(), label.top(), frame->width() - 2 * label.left(), label.height());
}

QRect LabelRoom(const QLabel *label)
{
    const int margin = label->margin();
    QRect room = label->contentsRect().adjusted(margin, margin, -margin, -margin);
    // A framed label keeps half an x of indent on the side it is aligned to.
    if (label->frameWidth() > 0 && (label->alignment() & (Qt::AlignLeft | Qt::AlignRight)))
        room.setWidth(room.width() - label->fontMetrics().horizontalAdvance(QLatin1Char('x')) / 2);
    return room;
}

CaptionRoom WidestEntry(const QComboBox *list)
{
    QStyleOptionComboBox option;
    option.initFrom(list);
    option.editable = false;
    option.frame = true;
    option.subControls = QStyle::SC_All;
    CaptionRoom widest{QString(), list->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                                QStyle::SC_ComboBoxEditField, list)};
    int widestAdvance = 0;
    for (int i = 0; i < list->count(); ++i) {
        const QString entry = list->itemText(i);
        const int advance = list->fontMetrics().horizontalAdvance(entry);
        if (advance > widestAdvance) {
            widest.text = entry;
            widestAdvance = advance;
        }
    }
    return widest;
}

// The caption and its room, or nothing for a control without a caption.
std::optional<CaptionRoom> CaptionRoomOf(const QWidget *control)
{
    if (const auto *box = qobject_cast<const QCheckBox *>(control))
        return CaptionRoom{box->text(), ButtonRoom(box, QStyle::SE_CheckBoxContents)};
    if (const auto *option = qobject_cast<const QRadioButton *>(control))
        return CaptionRoom{option->text(), ButtonRoom(option, QStyle::SE_RadioButtonContents)};
    if (const auto *button = qobject_cast<const QPushButton *>(control))
        return CaptionRoom{button->text(), ButtonRoom(button, QStyle::SE_PushButtonContents)};
    if (const auto *frame = qobject_cast<const QGroupBox *>(control))
        return CaptionRoom{frame->title(), TitleRoom(frame)};
    if (const auto *label = qobject_cast<const QLabel *>(control))
        return CaptionRoom{label->text(), LabelRoom(label)};
    // The port box shows each entry shortened to fit (a name, or a path's
    // end); an adapter's long entry must not shrink the whole window.
    if (qobject_cast<const PortComboBox *>(control))
        return std::nullopt;
    if (const auto *list = qobject_cast<const QComboBox *>(control))
        return WidestEntry(list);
    return std::nullopt;
}
} // namespace

QStringList CutCaptions(const QWidget *window)
{
    QStringList cut;
    const auto controls = window->findChildren<QWidget *>();
    for (const QWidget *control : controls) {
        const std::optional<CaptionRoom> caption = CaptionRoomOf(control);
        if (!caption || caption->text.isEmpty())
            continue;
        const QFontMetrics metrics = control->fontMetrics();
        const QSize needed(metrics.horizontalAdvance(caption->text), metrics.height());
        if (needed.width() > caption->room.width() || needed.height() > caption->room.height())
            cut << QStringLiteral("%1: \"%2\" (needs %3 x %4, has %5 x %6)")
                       .arg(control->objectName(), caption->text)
                       .arg(needed.width())
                       .arg(needed.height())
                       .arg(caption->room.width())
                       .arg(caption->room.height());
    }
    return cut;
}

} // namespace modLumentorMGW
