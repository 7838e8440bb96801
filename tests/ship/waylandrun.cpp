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
#include <cstdio>

namespace {
// Events for a while: the compositor's configure and our commit go back and forth.
void settle(int ms = 400)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

void key(QWidget *to, Qt::Key code)
{
    for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
        QKeyEvent event(type, code, Qt::NoModifier, code == Qt::Key_Space ? QStringLiteral(" ") : QString());
        QApplication::sendEvent(to, &event);
    }
}

QString size(const QWidget &w) { return QStringLiteral("%1x%2").arg(w.width()).arg(w.height()); }
} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    modLumentorMGW::InstallMessageBox();
    frmLumentorMGW w;
    w.show();
    QElapsedTimer clock;
    clock.start();
    while (!(w.windowHandle() && w.windowHandle()->isExposed()) && clock.elapsed() < 20000)
        settle(50);
    if (!w.windowHandle()->isExposed()) {
        std::fprintf(stderr, "the window was never shown\n");
        return 1;
    }
    const QString normal = size(w);
    QStringList lived{QStringLiteral("shown ") + normal};

    w.mnuEditOverview->trigger();
    settle();
    lived << QStringLiteral("overview %1").arg(w.Overview->isVisible() ? "open" : "closed");

    w.showMaximized();
    settle();
    w.repaint();
    settle();
    lived << QStringLiteral("maximized ") + size(w);

    // An edit from the keyboard: a multi relay point, relay 01 of the grid.
    w.cboType->setFocus();
    w.cboType->setCurrentIndex(3);
    w.relayGrid->setFocus();
    key(w.relayGrid, Qt::Key_Space);
    settle();
    lived << QStringLiteral("relay 01 %1").arg(w.lblMInc[0]->text());

    w.showFullScreen();
    settle();
    w.repaint();
    settle();
    lived << QStringLiteral("fullscreen ") + size(w);

    w.showNormal();
    settle();
    lived << QStringLiteral("normal ") + size(w) + (size(w) == normal ? " (as shown)" : " (NOT as shown)");

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
