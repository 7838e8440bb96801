#pragma once
// Typing a number in a list goes to the entry with that number, as typing a
// name does in any list: "0 6 0" in the point list reaches "Point: 060",
// closed (chosen at once, as the operator's pick) or open (moved to, chosen
// with Enter). The number is what follows the entry's "Name: ", or the whole
// entry in the auto map counts; digits typed in quick succession add up.
#include <QElapsedTimer>
#include <QObject>

class QComboBox;
class QWidget;

class NumberSearch : public QObject {
public:
    // Every list of the window, open and closed.
    static void SearchListsOf(QWidget *window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit NumberSearch(QObject *parent) : QObject(parent) {}
    static int Find(const QComboBox *list, const QString &number);

    QString typed_;
    QObject *typedIn_ = nullptr;
    QElapsedTimer since_;
};
