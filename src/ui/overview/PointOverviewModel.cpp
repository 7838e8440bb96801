#include "ui/overview/PointOverviewModel.h"

#include "image/CellOwner.h"

#include <QBrush>

using namespace modLumentorMGW;

PointOverviewModel::PointOverviewModel(QStringList types, int pointCount, QObject *parent)
    : QAbstractTableModel(parent), types_(std::move(types))
{
    update_.setSingleShot(true);
    update_.setInterval(0);
    connect(&update_, &QTimer::timeout, this, &PointOverviewModel::UpdateStale);
    Refresh(pointCount);
    AddCellObserver(this);
}

PointOverviewModel::~PointOverviewModel()
{
    RemoveCellObserver(this);
}

void PointOverviewModel::Refresh(int pointCount)
{
    beginResetModel();
    rows_.resize(std::size_t(std::max(pointCount, 0)));
    for (std::size_t p = 0; p < rows_.size(); ++p)
        rows_[p].Read(int(p), types_);
    stale_.assign(rows_.size(), 0);
    anyStale_ = false;
    endResetModel();
}

void PointOverviewModel::UpdateStale()
{
    if (!anyStale_)
        return;
    anyStale_ = false;
    const int count = int(rows_.size());
    for (int first = 0; first < count; ++first) {
        if (!stale_[first])
            continue;
        int last = first;
        while (last < count && stale_[last]) {
            stale_[last] = 0;
            rows_[last].Read(last, types_);
            ++last;
        }
        emit dataChanged(index(first, 0), index(last - 1, PointRow::Columns - 1));
        first = last;
    }
}

void PointOverviewModel::CellWritten(int16_t bank, int32_t address, int16_t, int16_t)
{
    const CellOwner owner = OwnerOfCell(bank, address);
    if (owner.point < 0 || owner.point >= int(rows_.size()))
        return;
    stale_[owner.point] = 1;
    if (!anyStale_) {
        anyStale_ = true;
        update_.start();
    }
}

int PointOverviewModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(rows_.size());
}

int PointOverviewModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : PointRow::Columns;
}

QVariant PointOverviewModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= int(rows_.size()))
        return {};
    const PointRow &row = rows_[std::size_t(index.row())];
    const PointField &field = row.Field(index.column());
    switch (role) {
    case Qt::DisplayRole:
        return field.text;
    case SortRole:
        return field.text.isEmpty() ? -1 : field.key;
    case FilterRole:
        return row.Haystack();
    case MappedRole:
        return row.Mapped();
    case Qt::ToolTipRole:
        return field.odd.isEmpty() ? QVariant() : QVariant(field.odd);
    case Qt::ForegroundRole:
        return field.odd.isEmpty() ? QVariant() : QVariant(QBrush(QColor(0xB0, 0, 0)));
    case Qt::BackgroundRole:
        return field.odd.isEmpty() ? QVariant() : QVariant(QBrush(QColor(0xFF, 0xE0, 0xE0)));
    default:
        return {};
    }
}

QVariant PointOverviewModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    return PointRow::Header(section);
}
