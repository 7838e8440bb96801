#pragma once
// "Point Overview": every point of the chosen protocol in one table beside
// the main window, following the image live. It only reads the image; a
// double click or Enter on a row asks the main window to choose that point.
#include "ui/widgets/TableWindow.h"

#include <QStringList>

class QCheckBox;
class OverviewFilter;
class PointOverviewModel;

class PointOverview : public TableWindow
{
    Q_OBJECT

public:
    PointOverview(const QStringList &types, int pointCount, QWidget *mainWindow);

    PointOverviewModel *Model() const { return model_; }
    QCheckBox *MappedOnly() const { return mappedOnly_; }

signals:
    void pointChosen(int p);

protected:
    // A row in its listing lines, as the export writes them.
    QString RowLines(int row) const override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void Choose(const QModelIndex &index);
    void RestorePlace();
    void KeepPlace() const;
    void FitColumns();

    PointOverviewModel *model_ = nullptr;
    OverviewFilter *filter_ = nullptr;
    QCheckBox *mappedOnly_ = nullptr;
    QStringList types_;
    bool placed_ = false;
};
