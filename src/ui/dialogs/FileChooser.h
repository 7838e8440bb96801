#pragma once
// The dialog behind CommonDialog: Qt's own file dialog (never the platform's,
// which could not honour every flag), set up from the flags, and refusing a
// choice the flags do not allow.
#include "ui/dialogs/CommonDialog.h"

#include <QFileDialog>

class FileChooser : public QFileDialog {
public:
    FileChooser(QWidget *parent, CommonDialog::Mode mode, int flags);

    // Opens on fileName: a folder with a wildcard pattern ("dir/*.MGW") shows
    // that folder through that pattern; a file name proposes that file. A
    // name without a folder opens in fallbackFolder. Call after the name
    // filters are set.
    void Preset(const QString &fileName, const QString &fallbackFolder);

    // Why path cannot be chosen under these flags, or empty when it can.
    static QString Refusal(CommonDialog::Mode mode, int flags, const QString &path);

    void accept() override;

private:
    void usePattern(const QString &pattern);

    CommonDialog::Mode mode_;
    int flags_ = 0;
};
