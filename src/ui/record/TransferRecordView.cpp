#include "ui/record/TransferRecordView.h"

#include "record/RecordFile.h"
#include "record/RecordRow.h"
#include "ui/window/ProgramSettings.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

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

TransferRecordView::TransferRecordView(QWidget *mainWindow) : QWidget(mainWindow, Qt::Window)
{
    setObjectName(QStringLiteral("TransferRecord"));
    setWindowTitle(QStringLiteral("Transfer Record"));
    setFont(mainWindow->font());
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
    filterText_ = new QLineEdit(this);
    filterText_->setPlaceholderText(QStringLiteral("Filter, e.g. plant.MGW or failed"));
    filterText_->setClearButtonEnabled(true);
    filterText_->setAccessibleName(QStringLiteral("Filter"));
    notes_ = new QLabel(this);
    notes_->setWordWrap(true);
    notes_->hide();
    view_ = new QTableView(this);
    view_->setModel(filter_);
    view_->setAccessibleName(QStringLiteral("Transfers"));
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->setWordWrap(false);
    view_->setTabKeyNavigation(false);
    view_->verticalHeader()->hide();
    view_->verticalHeader()->setDefaultSectionSize(view_->fontMetrics().height() + 4);
    view_->horizontalHeader()->setStretchLastSection(true);

    auto *name = new QHBoxLayout;
    name->addWidget(gatewayLabel_);
    name->addWidget(gatewayName_, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(name);
    layout->addWidget(filterText_);
    layout->addWidget(notes_);
    layout->addWidget(view_);
    resize(760, 420);

    auto *copy = new QAction(QStringLiteral("Copy"), view_);
    copy->setShortcuts(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    view_->addAction(copy);
    connect(copy, &QAction::triggered, this, &TransferRecordView::CopySelection);
    auto *close = new QAction(QStringLiteral("Close"), this);
    close->setShortcuts({QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)});
    addAction(close);
    connect(close, &QAction::triggered, this, &QWidget::close);
    connect(filterText_, &QLineEdit::textChanged, filter_, &QSortFilterProxyModel::setFilterFixedString);
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
    view_->resizeColumnsToContents();
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

QString TransferRecordView::SelectedLines() const
{
    QModelIndexList rows = view_->selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end(), [](const QModelIndex &a, const QModelIndex &b) { return a.row() < b.row(); });
    QString lines;
    for (const QModelIndex &row : rows) {
        QStringList cells;
        for (int c = 0; c < filter_->columnCount(); ++c)
            cells << filter_->index(row.row(), c).data().toString();
        lines += cells.join(QLatin1Char('\t')) + QLatin1Char('\n');
    }
    return lines;
}

void TransferRecordView::CopySelection() const
{
    if (const QString lines = SelectedLines(); !lines.isEmpty())
        QApplication::clipboard()->setText(lines);
}
