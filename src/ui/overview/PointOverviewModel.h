#pragma once
// Every point of the chosen protocol as a table row, read from the image.
// It follows cell writes live: the rows a write touches are read again once
// the event that wrote them is over, so an auto map run or its undo costs
// one update per run of rows, not one per cell. Whole-image replacements
// and protocol switches call Refresh.
#include "image/CellObserver.h"
#include "ui/overview/PointRow.h"

#include <QAbstractTableModel>
#include <QStringList>
#include <QTimer>
#include <vector>

class PointOverviewModel : public QAbstractTableModel, public modLumentorMGW::CellObserver
{
public:
    enum Role { SortRole = Qt::UserRole, FilterRole, MappedRole };

    PointOverviewModel(QStringList types, int pointCount, QObject *parent = nullptr);
    ~PointOverviewModel() override;

    // Every row read again; `pointCount` rows from now on.
    void Refresh(int pointCount);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    void CellWritten(int16_t bank, int32_t address, int16_t before, int16_t after) override;

private:
    // Rows written since the last update, read again now.
    void UpdateStale();

    QStringList types_;
    std::vector<PointRow> rows_;
    std::vector<char> stale_;
    bool anyStale_ = false;
    QTimer update_;
};
