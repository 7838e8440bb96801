#pragma once
// The file dialog of File > Import Listing: its own, so that Open and Save As
// keep proposing map files. It keeps the listing chosen last; its first use
// proposes the listing the export writes beside the current map file.
#include "ui/dialogs/CommonDialog.h"

#include <QObject>

class ListingDialog : public QObject
{
    Q_OBJECT

public:
    explicit ListingDialog(QObject *parent) : QObject(parent) {}

    // The chosen listing's path, or empty when none was chosen.
    QString Choose(QWidget *window, const QString &mapFileName);

private:
    CommonDialog dialog_;
};
