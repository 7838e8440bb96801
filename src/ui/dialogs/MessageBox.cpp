#include "ui/dialogs/MessageBox.h"

#include "link/MsgBox.h"

#include <QApplication>
#include <QMessageBox>

namespace modLumentorMGW {

namespace {
QMessageBox::Icon iconOf(int style)
{
    switch (style & 0x70) {
    case 16: return QMessageBox::Critical;
    case 32: return QMessageBox::Question;
    case 48: return QMessageBox::Warning;
    case 64: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}
} // namespace

int ShowMessageBox(const QString &text, int style, const QString &title)
{
    const bool question = (style & 0x0F) == 4;
    QMessageBox box(iconOf(style), title.isEmpty() ? AppTitle : title, text,
                    question ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setWindowModality(Qt::ApplicationModal);
    if (question) {
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
    }
    const int answer = box.exec();
    if (!question)
        return vbOK;
    return answer == QMessageBox::Yes ? vbYes : vbNo;
}

void InstallMessageBox() { SetMsgBoxHandler(ShowMessageBox); }

} // namespace modLumentorMGW
