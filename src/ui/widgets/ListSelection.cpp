#include "ui/widgets/ListSelection.h"

#include <QComboBox>
#include <QSignalBlocker>

namespace modLumentorMGW {

void FillList(QComboBox *list, const QStringList &entries)
{
    const QSignalBlocker quiet(list);
    list->clear();
    list->addItems(entries);
    list->setCurrentIndex(-1);
}

void SetListIndex(QComboBox *list, int value)
{
    if (value >= 0 && value < list->count()) {
        list->setCurrentIndex(value);
        return;
    }
    const QSignalBlocker quiet(list);
    list->setCurrentIndex(-1);
}

} // namespace modLumentorMGW
