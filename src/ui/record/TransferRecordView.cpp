#include "ui/record/TransferRecordView.h"

#include "record/RecordFile.h"
#include "record/RecordRow.h"
#include "ui/window/ProgramSettings.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

using namespace modLumentorMGW;

namespace {
QString NameKey(const QString &port)
{
    // A device path's slashes would make settings groups of it.
    return QStringLiteral("GatewayNames/") + QString(port).replace(QLatin1Char('/'), QLatin1Char('|'));
}
} // namespace

QString GatewayNameOf(const QString &port)
{
    return ProgramSettings().value(NameKey(port)).toString().trimmed();
}

TransferRecordView::TransferRecordView(QWidget *mainWindow) : TableWindow(mainWindow)
{
    setObjectName(QStringLiteral("TransferRecord"));
    setWindowTitle(QStringLiteral("Transfer Record"));
    model_ = new QStandardItemModel(0, RecordHeadings().size(), this);
    model_->setHorizontalHeaderLabels(RecordHeadings());
    filter_ = new QSortFilterProxyModel(this);
    filter_->setSourceModel(model_);
    filter_->setFilterKeyColumn(-1);
    filter_->setFilterCaseSensitivity(Qt::CaseInsensitive);

    gatewayLabel_ = new QLabel(this);
    gatewayName_ = new QLineEdit(this);
    gatewayName_->setAccessibleName(QStringLiteral("Gateway name for this port"));
    gatewayName_->setPlaceholderText(QStringLiteral("a name of yours for the gateway here"));
    MakeFilter(QStringLiteral("Filter, e.g. plant.MGW or failed"));
    notes_ = new QLabel(this);
    notes_->setWordWrap(true);
    notes_->hide();
    MakeTable(filter_, QStringLiteral("Transfers"));

    auto *name = new QHBoxLayout;
    name->addWidget(gatewayLabel_);
    name->addWidget(gatewayName_, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(name);
    layout->addWidget(FilterText());
    layout->addWidget(notes_);
    layout->addWidget(View());
    resize(760, 420);

    connect(FilterText(), &QLineEdit::textChanged, filter_, &QSortFilterProxyModel::setFilterFixedString);
    connect(gatewayName_, &QLineEdit::editingFinished, this, &TransferRecordView::KeepGatewayName);
}

// Newest first: the record keeps them oldest first.
void TransferRecordView::Reload()
{
    RecordRead read;
    QString reason;
    const QString path = RecordPath();
    model_->removeRows(0, model_->rowCount());
    QStringList notes;
    if (!ReadRecord(path, &read, &reason))
        notes << QStringLiteral("%1 is not read: %2").arg(path, reason);
    notes << read.notes;
    notes_->setText(notes.join(QLatin1Char('\n')));
    notes_->setVisible(!notes.isEmpty());
    for (auto line = read.lines.rbegin(); line != read.lines.rend(); ++line) {
        QList<QStandardItem *> row;
        for (const QString &column : RecordColumns(*line))
            row << new QStandardItem(column);
        model_->appendRow(row);
    }
    View()->resizeColumnsToContents();
}

void TransferRecordView::ShowPort(const QString &port)
{
    port_ = port;
    gatewayLabel_->setText(QStringLiteral("Gateway on %1:").arg(port));
    gatewayName_->setText(GatewayNameOf(port));
}

void TransferRecordView::KeepGatewayName()
{
    if (port_.isEmpty())
        return;
    QSettings settings = ProgramSettings();
    const QString name = gatewayName_->text().trimmed();
    if (name.isEmpty())
        settings.remove(NameKey(port_));
    else
        settings.setValue(NameKey(port_), name);
}
