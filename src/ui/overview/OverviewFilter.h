#pragma once
// The overview's filter and sort: mapped points only, and a text that any
// column may match as "header value" ("Node: 05", "group 12"); columns
// sort by their numbers, not their texts.
#include <QSortFilterProxyModel>

class OverviewFilter : public QSortFilterProxyModel
{
public:
    explicit OverviewFilter(QObject *parent = nullptr);

    void SetMappedOnly(bool mappedOnly);
    void SetText(const QString &text);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const override;

private:
    bool mappedOnly_ = false;
    QString text_;
};
