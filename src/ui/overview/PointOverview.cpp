#include "ui/overview/PointOverview.h"

#include "export/CsvListing.h"
#include "ui/overview/OverviewFilter.h"
#include "ui/overview/PointOverviewModel.h"
#include "ui/window/ProgramSettings.h"
#include "ui/window/WindowSystem.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QScreen>
#include <QTableView>
#include <QVBoxLayout>
#include <QWindow>
#include <algorithm>

namespace {
const QString GeometryKey = QStringLiteral("PointOverview/geometry");
const QString ColumnsKey = QStringLiteral("PointOverview/columns");
// Where the window system places windows itself, only the size is kept:
// the position it reports is made up, and would misplace the window on X11.
const QString SizeKey = QStringLiteral("PointOverview/size");
} // namespace

PointOverview::PointOverview(const QStringList &types, int pointCount, QWidget *mainWindow)
    : TableWindow(mainWindow), types_(types)
{
    setObjectName(QStringLiteral("PointOverview"));
    setWindowTitle(QStringLiteral("Point Overview"));
    model_ = new PointOverviewModel(types, pointCount, this);
    filter_ = new OverviewFilter(this);
    filter_->setSourceModel(model_);

    mappedOnly_ = new QCheckBox(QStringLiteral("Mapped points only"), this);
    MakeFilter(QStringLiteral("Filter, e.g. Node: 05 or Group 12"));
    MakeTable(filter_, QStringLiteral("Points"));
    View()->setSortingEnabled(true);
    View()->sortByColumn(0, Qt::AscendingOrder);

    auto *top = new QHBoxLayout;
    top->addWidget(mappedOnly_);
    top->addWidget(FilterText(), 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(View());

    connect(mappedOnly_, &QCheckBox::toggled, filter_, &OverviewFilter::SetMappedOnly);
    connect(FilterText(), &QLineEdit::textChanged, filter_, &OverviewFilter::SetText);
    // Enter, and a double click on every platform (some activate on one click).
    connect(View(), &QAbstractItemView::activated, this, &PointOverview::Choose);
    connect(View(), &QAbstractItemView::doubleClicked, this, &PointOverview::Choose);
    // Closing the main window ends the program with this one still open.
    mainWindow->installEventFilter(this);
}

bool PointOverview::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == parent() && event->type() == QEvent::Hide && isVisible())
        KeepPlace();
    return QWidget::eventFilter(watched, event);
}

QString PointOverview::RowLines(int row) const
{
    const QByteArray lines = modLumentorMGW::CsvPointLines(filter_->mapToSource(filter_->index(row, 0)).row());
    return QString::fromLatin1(lines).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

void PointOverview::Choose(const QModelIndex &index)
{
    if (index.isValid())
        emit pointChosen(filter_->mapToSource(index).row());
}

void PointOverview::showEvent(QShowEvent *event)
{
    // Kept above the main window it would hide its lists wherever the
    // compositor happened to put it.
    if (!modLumentorMGW::PlacesWindows() && windowHandle())
        windowHandle()->setTransientParent(nullptr);
    if (!placed_) {
        placed_ = true;
        RestorePlace();
    }
    QWidget::showEvent(event);
}

void PointOverview::hideEvent(QHideEvent *event)
{
    KeepPlace();
    QWidget::hideEvent(event);
}

// Where it was last time; the first time, beside the main window at its
// height, on the side with room (narrower if neither side has enough).
void PointOverview::RestorePlace()
{
    const QSettings settings = modLumentorMGW::ProgramSettings();
    if (!modLumentorMGW::PlacesWindows()) {
        const QSize size = settings.value(SizeKey).toSize();
        resize(size.isValid() ? size : QSize(620, parentWidget()->height()));
    } else if (!restoreGeometry(settings.value(GeometryKey).toByteArray())) {
        const QWidget *main = parentWidget();
        const QRect window = main->frameGeometry();
        const QRect screen = main->screen()->availableGeometry();
        const int right = screen.right() - window.right() - 8;
        const int left = window.left() - 8 - screen.left();
        const bool onRight = right >= 620 || right >= left;
        const int width = std::clamp(onRight ? right : left, 360, 620);
        const int x = onRight ? window.right() + 8 : window.left() - 8 - width;
        // The width asked for is the frame's; the window's own is less its border.
        resize(width - (frameGeometry().width() - geometry().width()), main->height());
        move(std::clamp(x, screen.left(), std::max(screen.left(), screen.right() + 1 - width)), window.top());
    }
    if (!View()->horizontalHeader()->restoreState(settings.value(ColumnsKey).toByteArray()))
        FitColumns();
}

// Each column as wide as its header or its widest possible value: measuring
// the widest of 750 rows would cost more than the whole rest of opening.
void PointOverview::FitColumns()
{
    QString longestType;
    for (const QString &type : types_)
        longestType = type.size() > longestType.size() ? type : longestType;
    const QString widest[PointRow::Columns] = {QStringLiteral("750"), longestType, QStringLiteral("FF"),
                                               QStringLiteral("64"), QStringLiteral("40"), QStringLiteral("8"),
                                               QStringLiteral("256"), QStringLiteral("256"),
                                               QStringLiteral("16384"), QString()};
    const QFontMetrics metrics = View()->fontMetrics();
    const QFontMetrics headerMetrics = View()->horizontalHeader()->fontMetrics();
    for (int c = 0; c < PointRow::Columns; ++c) {
        // Room for the cell margins, and in the header for the sort arrow.
        View()->setColumnWidth(c, std::max(metrics.horizontalAdvance(widest[c]) + 12,
                                           headerMetrics.horizontalAdvance(PointRow::Header(c)) + 24));
    }
}

void PointOverview::KeepPlace() const
{
    QSettings settings = modLumentorMGW::ProgramSettings();
    if (modLumentorMGW::PlacesWindows())
        settings.setValue(GeometryKey, saveGeometry());
    else
        settings.setValue(SizeKey, size());
    settings.setValue(ColumnsKey, View()->horizontalHeader()->saveState());
}
