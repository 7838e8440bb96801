#pragma once
// "Transfer Record": the commissioning record in a table beside the main
// window, newest first, with the overview's filter and copy; read again
// whenever a transfer ends. It also keeps the operator's name for the
// gateway on each port, which the window's record lines carry.
#include <QWidget>

class QLabel;
class QLineEdit;
class QSortFilterProxyModel;
class QStandardItemModel;
class QTableView;

class TransferRecordView : public QWidget
{
    Q_OBJECT

public:
    explicit TransferRecordView(QWidget *mainWindow);

    QTableView *View() const { return view_; }
    QLineEdit *FilterText() const { return filterText_; }
    QLineEdit *GatewayName() const { return gatewayName_; }
    QLabel *Notes() const { return notes_; }

    // Reads the record again; the port whose gateway name is shown.
    void Reload();
    void ShowPort(const QString &port);

    // The selected rows as tab-separated lines, in the order shown.
    QString SelectedLines() const;
    void CopySelection() const;

private:
    void KeepGatewayName();

    QStandardItemModel *model_ = nullptr;
    QSortFilterProxyModel *filter_ = nullptr;
    QTableView *view_ = nullptr;
    QLineEdit *filterText_ = nullptr;
    QLineEdit *gatewayName_ = nullptr;
    QLabel *gatewayLabel_ = nullptr;
    QLabel *notes_ = nullptr;
    QString port_;
};

// The operator's name for the gateway on a port; empty when none is set.
QString GatewayNameOf(const QString &port);
