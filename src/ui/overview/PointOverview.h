#pragma once
// "Point Overview": every point of the chosen protocol in one table beside
// the main window, following the image live. It only reads the image; a
// double click or Enter on a row asks the main window to choose that point.
#include <QStringList>
#include <QWidget>

class QCheckBox;
class QLineEdit;
class QTableView;
class OverviewFilter;
class PointOverviewModel;

class PointOverview : public QWidget
{
    Q_OBJECT

public:
    PointOverview(const QStringList &types, int pointCount, QWidget *mainWindow);

    PointOverviewModel *Model() const { return model_; }
    QTableView *View() const { return view_; }
    QCheckBox *MappedOnly() const { return mappedOnly_; }
    QLineEdit *FilterText() const { return filterText_; }

    // The selected rows in their listing lines, in the order shown.
    QString SelectedLines() const;
    void CopySelection() const;

signals:
    void pointChosen(int p);

protected:
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
    QTableView *view_ = nullptr;
    QCheckBox *mappedOnly_ = nullptr;
    QLineEdit *filterText_ = nullptr;
    QStringList types_;
    bool placed_ = false;
};
