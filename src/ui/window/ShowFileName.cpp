#include "ui/window/ShowFileName.h"

#include "image/MapFile.h"

#include <QLabel>
#include <QPointer>

namespace modLumentorMGW {

namespace {
QPointer<QLabel> &fileNameLabel()
{
    static QPointer<QLabel> label;
    return label;
}
} // namespace

void SetFileNameLabel(QLabel *label) { fileNameLabel() = label; }

void ShowFileName()
{
    if (QLabel *label = fileNameLabel()) {
        label->setText(FileName);
        // Named "Map file"; a screen reader reads the name itself from here.
        label->setAccessibleDescription(FileName);
    }
}

} // namespace modLumentorMGW
