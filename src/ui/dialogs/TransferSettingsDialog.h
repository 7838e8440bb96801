#pragma once
// Port > Transfer Settings...: how hard a transfer holds on to its line,
// kept in the program's settings and taken at the start of each transfer.
#include <QDialog>

class QSpinBox;

class TransferSettingsDialog : public QDialog
{
public:
    explicit TransferSettingsDialog(QWidget *parent);

    // Shows the dialog over the settings kept; OK keeps what was chosen.
    static void Edit(QWidget *parent);
    // Hands the settings kept to the transfers (0 retries, 60 s unless changed).
    static void Apply();

    QSpinBox *spnRetries = nullptr;
    QSpinBox *spnWaitPort = nullptr;
};
