#include "ui/overview/OverviewFilter.h"

#include "ui/overview/PointOverviewModel.h"

namespace {
// Lower case, colons as spaces, single spaces: "Node: 05" reads "node 05".
QString normalized(const QString &text)
{
    return QString(text).replace(QLatin1Char(':'), QLatin1Char(' ')).simplified().toLower();
}
} // namespace

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
    text_ = normalized(text);
    invalidateFilter();
}

bool OverviewFilter::filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const
{
    const QModelIndex first = sourceModel()->index(sourceRow, 0, sourceParent);
    if (mappedOnly_ && !first.data(PointOverviewModel::MappedRole).toBool())
        return false;
    return text_.isEmpty() || first.data(PointOverviewModel::FilterRole).toString().contains(text_);
}
