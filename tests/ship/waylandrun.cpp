// The window under a real Wayland compositor (run by wayland.sh): asks the
// states a compositor may force on it, maximized and fullscreen, as the
// title bar's buttons would, edits from the keyboard, and closes with the
// discard prompt answered. A protocol error would end the process on the
// way; the last line says what it lived through.
#include "ui/dialogs/MessageBox.h"
#include "ui/overview/PointOverview.h"
#include "ui/widgets/ClickLabel.h"
#include "ui/widgets/RelayGrid.h"
#include "ui/window/frmLumentorMGW.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMessageBox>
#include <QTimer>
#include <QWindow>

#include <functional>

// Events until the compositor's answer shows (its configure taken, our
// commit after it), then a little longer for a protocol error to arrive.
static void settle(const std::function<bool()> &answered = [] { return true; })
{
    QElapsedTimer clock;
    for (clock.start(); !answered() && clock.elapsed() < 20000;)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    for (clock.start(); clock.elapsed() < 100;)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    modLumentorMGW::InstallMessageBox();
    frmLumentorMGW w;
    w.show();
    settle([&w] { return w.windowHandle()->isExposed(); });
    const auto size = [&w] { return QStringLiteral("%1x%2").arg(w.width()).arg(w.height()); };
    const QString normal = size();
    QStringList lived{"shown " + normal};
    w.mnuEditOverview->trigger();
    lived << QStringLiteral("overview %1").arg(w.Overview->isVisible() ? "open" : "closed");

    w.showMaximized();
    settle([&] { return size() != normal; });
    w.repaint();
    settle();
    lived << "maximized " + size();
    w.cboType->setCurrentIndex(3);   // a multi relay point; relay 01 from the keyboard
    w.relayGrid->setFocus();
    QKeyEvent space(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    QApplication::sendEvent(w.relayGrid, &space);
    lived << "relay 01 " + w.lblMInc[0]->text();
    const QString maximized = size();
    w.showFullScreen();
    settle([&] { return size() != maximized; });
    w.repaint();
    settle();
    lived << "fullscreen " + size();
    w.showNormal();
    settle([&] { return size() == normal; });
    lived << "normal " + size() + (size() == normal ? " (as shown)" : " (NOT as shown)");

    // The discard prompt, answered Yes as soon as it is up.
    QString asked;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            asked = box->text();
            box->button(QMessageBox::Yes)->click();
        }
    });
    answer.start(50);
    const bool closed = w.close();
    settle();
    lived << QStringLiteral("asked \"%1\"").arg(asked) << (closed ? "closed" : "still open");
    std::printf("lived to the end: %s\n", qPrintable(lived.join(QStringLiteral(", "))));
    return closed && !asked.isEmpty() ? 0 : 1;
}
