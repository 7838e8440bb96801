#include "ui/OverviewFilter.h"

#include "ui/PointOverviewModel.h"

OverviewFilter::OverviewFilter(QObject *parent)
    : QSortFilterProxyModel(parent)
{
    setSortRole(PointOverviewModel::SortRole);
    setDynamicSortFilter(true);
}

void OverviewFilter::SetMappedOnly(bool mappedOnly)
{
    mappedOnly_ = mappedOnly;
    invalidateFilter();
}

void OverviewFilter::SetText(const QString &text)
{
    text_ = Normalized(text);
    invalidateFilter();
}

QString OverviewFilter::Normalized(const QString &text)
{
    return QString(text).replace(QLatin1Char(':'), QLatin1Char(' ')).simplified().toLower();
}

bool OverviewFilter::filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const
{
    const QModelIndex first = sourceModel()->index(sourceRow, 0, sourceParent);
    if (mappedOnly_ && !first.data(PointOverviewModel::MappedRole).toBool())
        return false;
    return text_.isEmpty() || first.data(PointOverviewModel::FilterRole).toString().contains(text_);
}
