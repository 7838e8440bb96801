#include "ui/dialogs/CommonDialog.h"

#include "ui/dialogs/FileChooser.h"

#include <QDir>
#include <QFileInfo>

namespace {
CommonDialog::Handler &handlerSlot()
{
    static CommonDialog::Handler handler;
    return handler;
}
} // namespace

CommonDialog::Handler CommonDialog::SetHandler(Handler handler)
{
    Handler previous = std::move(handlerSlot());
    handlerSlot() = std::move(handler);
    return previous;
}

QStringList CommonDialog::NameFilters(const QString &filter)
{
    QStringList result;
    const QStringList parts = filter.split(QLatin1Char('|'));
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (const QString &piece : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            const QString pattern = piece.trimmed();
            if (!pattern.isEmpty())
                patterns << (pattern == QLatin1String("*.*") ? QStringLiteral("*") : pattern);
        }
        if (patterns.isEmpty())
            patterns << QStringLiteral("*");
        result << parts[i] + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return result;
}

bool CommonDialog::ShowOpen(QWidget *parent) { return show(Mode::Open, parent); }
bool CommonDialog::ShowSave(QWidget *parent) { return show(Mode::Save, parent); }

bool CommonDialog::show(Mode mode, QWidget *parent)
{
    const Handler &handler = handlerSlot();
    const std::optional<QString> chosen =
        handler ? handler(Request{mode, FileName, Filter, Flags}) : runDialog(mode, parent);
    Cancelled = !chosen || chosen->isEmpty();
    if (Cancelled)
        return false;
    FileName = *chosen;
    lastFolder_ = QFileInfo(QDir::fromNativeSeparators(FileName)).absolutePath();
    return true;
}

std::optional<QString> CommonDialog::runDialog(Mode mode, QWidget *parent)
{
    FileChooser dialog(parent, mode, Flags);
    dialog.setNameFilters(NameFilters(Filter));
    dialog.Preset(QDir::fromNativeSeparators(FileName), lastFolder_);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QString chosen = dialog.selectedFiles().value(0);
    if (chosen.isEmpty())
        return std::nullopt;
    return QDir::toNativeSeparators(chosen);
}
