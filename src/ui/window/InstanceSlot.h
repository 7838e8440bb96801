#pragma once
// Which of the program's open windows this is, so that a second one does
// not open exactly over the first: each window holds a numbered lock in the
// user's runtime folder for its life, the lowest one free. A program that
// ended without letting go leaves a lock that the next start sees as stale.
#include <QObject>
#include <QPoint>
#include <memory>

class QLockFile;
class QWidget;

class InstanceSlot : public QObject {
public:
    // The offset of the window's start position: none for the first.
    static QPoint Take(QWidget *window);
    ~InstanceSlot() override;

private:
    explicit InstanceSlot(QWidget *window);
    std::unique_ptr<QLockFile> lock_;
};
