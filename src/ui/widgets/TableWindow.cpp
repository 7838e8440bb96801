#include "ui/widgets/TableWindow.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QLineEdit>
#include <QTableView>
#include <algorithm>

TableWindow::TableWindow(QWidget *mainWindow) : QWidget(mainWindow, Qt::Window)
{
    setFont(mainWindow->font());   // a window of its own does not take it from its parent
    auto *close = new QAction(QStringLiteral("Close"), this);
    close->setShortcuts({QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)});
    addAction(close);
    connect(close, &QAction::triggered, this, &QWidget::close);
}

void TableWindow::MakeFilter(const QString &hint)
{
    filterText_ = new QLineEdit(this);
    filterText_->setPlaceholderText(hint);
    filterText_->setClearButtonEnabled(true);
    filterText_->setAccessibleName(QStringLiteral("Filter"));
}

void TableWindow::MakeTable(QAbstractItemModel *model, const QString &name)
{
    view_ = new QTableView(this);
    view_->setModel(model);
    view_->setAccessibleName(name);
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->setWordWrap(false);
    view_->setTabKeyNavigation(false);   // Tab moves on to the next control, not the next cell
    view_->verticalHeader()->hide();
    view_->verticalHeader()->setDefaultSectionSize(view_->fontMetrics().height() + 4);
    view_->horizontalHeader()->setStretchLastSection(true);
    auto *copy = new QAction(QStringLiteral("Copy"), view_);
    copy->setShortcuts(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    view_->addAction(copy);
    connect(copy, &QAction::triggered, this, &TableWindow::CopySelection);
}

QString TableWindow::SelectedLines() const
{
    QModelIndexList rows = view_->selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end(), [](const QModelIndex &a, const QModelIndex &b) { return a.row() < b.row(); });
    QString lines;
    for (const QModelIndex &row : rows)
        lines += RowLines(row.row());
    return lines;
}

void TableWindow::CopySelection() const
{
    if (const QString lines = SelectedLines(); !lines.isEmpty())
        QApplication::clipboard()->setText(lines);
}

QString TableWindow::RowLines(int row) const
{
    const QAbstractItemModel *model = view_->model();
    QStringList cells;
    for (int c = 0; c < model->columnCount(); ++c)
        cells << model->index(row, c).data().toString();
    return cells.join(QLatin1Char('\t')) + QLatin1Char('\n');
}
