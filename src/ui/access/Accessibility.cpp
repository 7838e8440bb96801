#include "ui/access/Accessibility.h"

#include "ui/access/ListAccess.h"
#include "ui/access/RelayGridAccess.h"
#include "ui/widgets/RelayGrid.h"

#include <QAccessibleWidget>
#include <QComboBox>

namespace modLumentorMGW {

namespace {
// Asked for each class of an object from the most derived up.
QAccessibleInterface *Interface(const QString &className, QObject *object)
{
    if (className == QLatin1String("RelayGrid"))
        return new RelayGridAccess(static_cast<RelayGrid *>(object));
    // A window of its own, not a "filler" inside the main one.
    if (className == QLatin1String("PointOverview"))
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Window);
    if (className == QLatin1String("QComboBox")) {
        auto *list = static_cast<QComboBox *>(object);
        if (!list->isEditable())
            return new ListAccess(list);
    }
    return nullptr;
}
} // namespace

void InstallAccessibility()
{
    static const bool installed = (QAccessible::installFactory(Interface), true);
    (void)installed;
}

} // namespace modLumentorMGW
