#pragma once
// A table in a window of its own beside the main window, with a filter box:
// whole rows selected, Copy (Ctrl+C) gives the selected rows in the order
// shown, Escape and Ctrl+W close. The point overview and the transfer record
// are both, each with controls of its own around these two.
#include <QWidget>

class QAbstractItemModel;
class QLineEdit;
class QTableView;

class TableWindow : public QWidget
{
    Q_OBJECT

public:
    QTableView *View() const { return view_; }
    QLineEdit *FilterText() const { return filterText_; }

    // The selected rows in their lines, in the order shown.
    QString SelectedLines() const;
    void CopySelection() const;

protected:
    explicit TableWindow(QWidget *mainWindow);
    // Made where they stand among the window's own controls, so that Tab
    // and assistive technology meet them in the order shown.
    void MakeFilter(const QString &hint);
    void MakeTable(QAbstractItemModel *model, const QString &name);

    // A row of the table as Copy gives it: its cells tab-separated, and a newline.
    virtual QString RowLines(int row) const;

private:
    QTableView *view_ = nullptr;
    QLineEdit *filterText_ = nullptr;
};
