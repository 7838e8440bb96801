#include "ui/dialogs/TransferSettingsDialog.h"

#include "link/TransferLine.h"
#include "ui/window/ProgramSettings.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QSpinBox>

#include <algorithm>

using namespace modLumentorMGW;

namespace {
const QString RetriesKey = QStringLiteral("transfer/retries");
const QString WaitPortKey = QStringLiteral("transfer/waitPortSeconds");

TransferPatience Kept()
{
    const QSettings settings = ProgramSettings();
    TransferPatience kept;
    kept.retries = std::clamp(settings.value(RetriesKey, 0).toInt(), 0, 5);
    kept.portWaitSeconds = std::clamp(settings.value(WaitPortKey, 60).toInt(), 0, 3600);
    return kept;
}
} // namespace

TransferSettingsDialog::TransferSettingsDialog(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Transfer Settings"));
    auto *form = new QFormLayout(this);
    spnRetries = new QSpinBox(this);
    spnRetries->setObjectName(QStringLiteral("spnRetries"));
    spnRetries->setRange(0, 5);
    spnRetries->setAccessibleName(QStringLiteral("Retries of a command the line spoilt"));
    form->addRow(QStringLiteral("Retries On A Noisy Line:"), spnRetries);
    spnWaitPort = new QSpinBox(this);
    spnWaitPort->setObjectName(QStringLiteral("spnWaitPort"));
    spnWaitPort->setRange(0, 3600);
    spnWaitPort->setSuffix(QStringLiteral(" s"));
    spnWaitPort->setAccessibleName(QStringLiteral("Seconds to wait for an adapter unplugged"));
    form->addRow(QStringLiteral("Wait For An Unplugged Adapter:"), spnWaitPort);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    const TransferPatience kept = Kept();
    spnRetries->setValue(kept.retries);
    spnWaitPort->setValue(kept.portWaitSeconds);
}

void TransferSettingsDialog::Edit(QWidget *parent)
{
    TransferSettingsDialog dialog(parent);
    if (dialog.exec() != QDialog::Accepted)
        return;
    QSettings settings = ProgramSettings();
    settings.setValue(RetriesKey, dialog.spnRetries->value());
    settings.setValue(WaitPortKey, dialog.spnWaitPort->value());
}

void TransferSettingsDialog::Apply()
{
    SetTransferPatience(Kept());
}
