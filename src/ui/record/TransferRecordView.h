#pragma once
// "Transfer Record": the commissioning record in a table beside the main
// window, newest first, with the overview's filter and copy; read again
// whenever a transfer ends. It also keeps the operator's name for the
// gateway on each port, which the window's record lines carry.
#include "ui/widgets/TableWindow.h"

class QLabel;
class QLineEdit;
class QSortFilterProxyModel;
class QStandardItemModel;

class TransferRecordView : public TableWindow
{
    Q_OBJECT

public:
    explicit TransferRecordView(QWidget *mainWindow);

    QLineEdit *GatewayName() const { return gatewayName_; }
    QLabel *Notes() const { return notes_; }

    // Reads the record again; the port whose gateway name is shown.
    void Reload();
    void ShowPort(const QString &port);

private:
    void KeepGatewayName();

    QStandardItemModel *model_ = nullptr;
    QSortFilterProxyModel *filter_ = nullptr;
    QLineEdit *gatewayName_ = nullptr;
    QLabel *gatewayLabel_ = nullptr;
    QLabel *notes_ = nullptr;
    QString port_;
};

// The operator's name for the gateway on a port; empty when none is set.
QString GatewayNameOf(const QString &port);
