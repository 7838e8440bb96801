// Maps a few points through the real window as an operator would, opens the
// point overview beside it and writes a picture of both to the file named
// on the command line. Run under an X server of at least 1200 x 500 pixels
// (scripts/screenshot uses Xvfb). A second picture named after it shows the
// window alone under a dark palette (Breeze Dark's colours), a multi relay
// point on screen and the relay grid's keyboard focus on relay 05.
#include "image/PointRecord.h"
#include "ui/widgets/ClickLabel.h"
#include "ui/dialogs/MessageBox.h"
#include "ui/overview/PointOverview.h"
#include "ui/widgets/RelayGrid.h"
#include "ui/window/frmLumentorMGW.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QTableView>
#include <QTemporaryDir>
#include <QThread>

namespace {
void settle()
{
    for (int i = 0; i < 20; ++i) {
        QCoreApplication::processEvents();
        QThread::msleep(25);
    }
}
} // namespace

int main(int argc, char **argv)
{
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: mgw-overviewshot PICTURE.png [DARK.png]\n");
        return 2;
    }
    QTemporaryDir home;   // the default folder and the overview's settings land here
    qputenv("HOME", QFile::encodeName(home.path()));
    QApplication app(argc, argv);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, home.filePath(QStringLiteral("config")));
    modLumentorMGW::InstallMessageBox();
    frmLumentorMGW w;
    w.move(0, 0);
    w.show();

    w.cboType->setCurrentIndex(3);   // point 001: relays 1, 2, 5 of node 01 and 64 of node 0A
    for (int relay : {0, 1, 4})
        emit w.lblMInc[relay]->clicked(relay);
    w.cboMNode->setCurrentIndex(9);
    emit w.lblMInc[63]->clicked(63);
    w.cboPoint->setCurrentIndex(1);   // 002 to 009: relays 12 to 19 of node 05
    w.cboType->setCurrentIndex(1);
    w.cboSNode->setCurrentIndex(4);
    w.cboSRelay->setCurrentIndex(11);
    w.cboAMRly->setCurrentIndex(6);
    w.cmdAMRly->click();
    w.cboPoint->setCurrentIndex(9);   // 010 to 013: groups 12 to 15
    w.cboType->setCurrentIndex(5);
    w.cboLLGrp->setCurrentIndex(11);
    w.cboAMGrp->setCurrentIndex(2);
    w.cmdAMGrp->click();
    w.cboPoint->setCurrentIndex(13);   // 014: preset 3
    w.cboType->setCurrentIndex(7);
    w.cboLLPrs->setCurrentIndex(2);
    w.cboPoint->setCurrentIndex(14);   // 015: an input of device 0A on node 05
    w.cboType->setCurrentIndex(8);
    w.cboINode->setCurrentIndex(4);
    w.cboIDev->setCurrentIndex(9);
    w.cboIInp->setCurrentIndex(2);
    modLumentorMGW::SetPointType(15, 9);   // 016 as a file may hold it: input 13
    modLumentorMGW::SetPointNumber(15, 12);
    w.cboPoint->setCurrentIndex(1);

    w.mnuEditOverview->trigger();
    PointOverview &overview = *w.Overview;
    overview.MappedOnly()->setChecked(true);
    overview.setGeometry(w.frameGeometry().right() + 8, 0, 720, w.height());
    overview.View()->selectRow(1);
    settle();

    const QRect both = w.frameGeometry().united(overview.frameGeometry());
    const QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(0, both.x(), both.y(), both.width(), both.height());
    if (!shot.save(QString::fromLocal8Bit(argv[1]), "PNG"))
        return 1;
    if (argc == 2)
        return 0;

    overview.close();
    QPalette dark = QApplication::palette();
    for (auto [role, colour] : {std::pair{QPalette::Window, 0x2a2e32}, {QPalette::WindowText, 0xfcfcfc},
                                {QPalette::Base, 0x1b1e20}, {QPalette::AlternateBase, 0x232629},
                                {QPalette::Text, 0xfcfcfc}, {QPalette::Button, 0x31363b},
                                {QPalette::ButtonText, 0xfcfcfc}, {QPalette::Highlight, 0x3daee9},
                                {QPalette::HighlightedText, 0xfcfcfc}})
        dark.setColor(role, QColor(QRgb(colour)));
    QApplication::setPalette(dark);
    w.cboPoint->setCurrentIndex(0);
    w.activateWindow();
    w.relayGrid->setFocus();
    w.relayGrid->SetCurrent(4);
    settle();
    return QGuiApplication::primaryScreen()->grabWindow(0, w.frameGeometry().x(), w.frameGeometry().y(),
                                                        w.frameGeometry().width(), w.frameGeometry().height())
                   .save(QString::fromLocal8Bit(argv[2]), "PNG")
               ? 0
               : 1;
}
