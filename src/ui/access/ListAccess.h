#pragma once
// A drop-down list as assistive technology should see it: its name is what
// it is ("Point type"), its value the entry shown. Qt's own interface on
// Linux (6.4) gives the shown entry as the name, whatever the list is called.
#include <QAccessibleWidget>

class QComboBox;

class ListAccess : public QAccessibleWidget {
public:
    explicit ListAccess(QComboBox *list);

    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QStringList actionNames() const override;
    void doAction(const QString &action) override;

private:
    QComboBox *List() const;
};
