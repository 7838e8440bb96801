// Whole transfers of the real window through a pseudo-terminal: what
// reaches the gateway, what comes back, and what the panel shows. Cancel and
// a close request take effect at the next block.
#include "transfer/TransferFixture.h"

#include "common/DrivenClock.h"

#include <QProgressBar>
#include <QScreen>
#include <functional>

using namespace modLumentorMGW;

namespace {
std::vector<QString> Progress(const char *verb)
{
    std::vector<QString> out;
    for (int n = 16; n <= 2048; n += 16)
        out.push_back(QStringLiteral("%1 Block %2 Of 2048").arg(verb).arg(n));
    out.push_back("Verify Checksum For Memory Bank: 0");
    out.push_back("Verify Checksum For Memory Bank: 1");
    return out;
}
} // namespace

// The history and the menus around the two, and the bar as the screen shows it.
TEST_F(TransferTest, DenseImageGoesOutCellForCellAndComesBack)
{
    window->show();
    { // a reply that comes once the failed transfer closed the port is never taken for the next one's
        DrivenClock clock(gateway.sim);
        gateway.sim.ArmFault(MakeFault(gatesim::FaultKind::Silence, "3611"));
        Run(window->mnuDownload);
    }
    EXPECT_EQ(boxes.boxes, (Boxes{{"Download Error: 24" + DownloadWarning, 16, "Error"}}));
    EXPECT_EQ(Commands().size(), 4u);
    gateway.sim.ClearFaults();
    gateway.sim.Inject("[F500]");
    ASSERT_TRUE(gateway.sim.WaitForUnread(6, 3000));

    // Every block of both banks nonzero; point 001 a group, resend on.
    for (int i = 0; i < CellCount; ++i)
        ConfigImage[i] = int16_t((i * 37 + 11) % 256);
    ConfigImage[0] = 5;
    ConfigImage[2 * 4096] = 1;
    const auto image = ImageCopy();
    window->cmdCancel_Click(); // a Cancel left over from before is forgotten

    int lockedWhileRunning = 0;
    bool historyLocked = false;
    boxes.onBox = [&](const RecordedBox &) {
        lockedWhileRunning = Locked();
        historyLocked = !window->mnuEditUndo->isEnabled() && !window->mnuEditRedo->isEnabled()
                        && !window->mnuFileImport->isEnabled();
        window->mnuUpload_Click();     // refused: no second transfer
        window->mnuEditUndo_Click();   // the commands refuse too, not only their menu entries
        window->mnuFileImport_Click(); // no dialog: one would fail the test
    };
    QImage shown; // the bar as the count passes 1024 of 2048: about half filled
    QObject::connect(window->prgUpDown, &QProgressBar::valueChanged, [&](int v) {
        if (v == 1040)
            shown = window->screen()->grabWindow(window->winId()).toImage().copy(
                QRect(window->prgUpDown->mapTo(window.get(), QPoint(0, 0)), window->prgUpDown->size()));
    });
    // What the panel and the boxes showed, progress ending at 2048 of 2048.
    const auto expectShown = [&](const RecordedBox &box, const QString &title, const char *verb) {
        EXPECT_EQ(boxes.boxes, (Boxes{box}));
        EXPECT_EQ(lockedWhileRunning, 5);
        EXPECT_TRUE(historyLocked);
        EXPECT_EQ(window->frmUpDown->title(), title);
        EXPECT_EQ(captions.seen, Progress(verb));
        EXPECT_EQ(window->prgUpDown->maximum(), 2048);
        EXPECT_EQ(window->prgUpDown->value(), 2048);
        ExpectWindowBack();
    };
    Run(window->mnuDownload);
    expectShown({"Download Complete", 0, "Download"}, "Download To Gateway", "Downloading");
    EXPECT_EQ(Commands().size(), 4u + 2048u + 2u);
    EXPECT_EQ(FirstDifference(ConfigImage, gateway.sim.Memory()), -1);
    int filled = 0; // the colour just inside the left end, along the middle
    for (int x = 0, y = shown.height() / 2; x < shown.width(); ++x)
        filled += shown.pixel(x, y) == shown.pixel(3, y);
    EXPECT_NEAR(filled, shown.width() / 2, shown.width() / 10);

    ClearImage();
    window->ShowData();
    window->cboTimeout->setCurrentIndex(2); // history the upload gives up
    Dirty = false;
    Run(window->mnuUpload);
    expectShown({"Upload Complete", 0, "Upload"}, "Upload From Gateway", "Uploading");
    EXPECT_TRUE(ChangedCells(image).empty());
    EXPECT_EQ(Commands().size(), 2048u + 2u);
    // The redraw shows the uploaded point 001 and, showing new values, marks the image changed.
    EXPECT_EQ(window->cboType->currentIndex(), 5);
    EXPECT_TRUE(Dirty);
    EXPECT_FALSE(window->mnuEditUndo->isEnabled() || window->mnuEditRedo->isEnabled());
    // Still unsaved after an edit and its undo: Exit asks.
    boxes.onBox = nullptr;
    window->cboTimeout->setCurrentIndex(1);
    window->mnuEditUndo->trigger();
    boxes.Answer(vbNo);
    window->mnuExit->trigger();
    EXPECT_EQ(boxes.Last(), (RecordedBox{"Discard Any Changes?", 36, "Arvane Lumentor"}));
}

// Entry COMn opens port n, for download and upload alike; a port that
// cannot be opened changes nothing.
TEST_F(TransferTest, EveryPortEntryReachesItsOwnDevice)
{
    const QString missing = home.filePath("no-such-port");
    for (int16_t n = 1; n <= 8; ++n) {
        SCOPED_TRACE(n);
        for (int16_t m = 1; m <= 8; ++m)
            SetPortDevice(m, m == n ? QString::fromStdString(gateway.sim.SlavePath()) : missing);
        window->cboComPort->setCurrentIndex(n - 1);
        if (n == 2) // an upload, ended at its first block
            gateway.sim.ArmFault(MakeFault(gatesim::FaultKind::BadChecksum, "39000"));
        Run(n == 2 ? window->mnuUpload : window->mnuDownload);
        gateway.sim.ClearFaults();
        EXPECT_EQ(boxes.boxes, (Boxes{n == 2 ? RecordedBox{"Upload Error: 71\r\nAll Host Data Cleared.", 16, "Error"}
                                             : RecordedBox{"Download Complete", 0, "Download"}}));
        EXPECT_EQ(Sent(n == 2 ? "39000" : "36"), n == 2 ? 1u : 4u);
    }
    ImageSet(0, 12, 4);
    const auto image = ImageCopy();
    window->cboComPort->setCurrentIndex(0); // now gone
    Run(window->mnuUpload);
    EXPECT_EQ(boxes.boxes, (Boxes{{"Unable To Open Port\r\nThere is no device " + missing
                                       + ": plug the adapter in or choose another port.", 16, "Port Error"}}));
    EXPECT_TRUE(ChangedCells(image).empty());
    ExpectWindowBack();
    for (int16_t m = 2; m <= 8; ++m)
        SetPortDevice(m, QString());
}

// Closing asks first, and No leaves the transfer running to its end; Cancel
// stops an upload and clears its image; Yes stops a download and closes the
// window without asking again.
TEST_F(TransferTest, ClosingAsksFirstThenStopsLikeCancelWhichClearsAnUpload)
{
    window->show();
    std::function<void()> at512;
    QObject::connect(window->prgUpDown, &QProgressBar::valueChanged, [&](int v) {
        if (v == 512)
            QMetaObject::invokeMethod(window.get(), at512, Qt::QueuedConnection);
    });
    const RecordedBox discard{"Discard Any Changes?", 36, "Arvane Lumentor"};
    at512 = [this] { window->close(); };
    window->cboType->setCurrentIndex(5);
    boxes.Answer(vbNo);
    Run(window->mnuDownload);
    EXPECT_EQ(boxes.boxes, (Boxes{discard, {"Download Complete", 0, "Download"}}));
    EXPECT_EQ(Commands().size(), 4u + 1u + 2u);
    EXPECT_TRUE(window->isVisible());
    ExpectWindowBack();

    at512 = [this] { window->cmdCancel->click(); };
    Run(window->mnuUpload);
    EXPECT_EQ(boxes.boxes, (Boxes{{"Manual Upload Cancel.\r\nAll Host Data Cleared.", 48, "Upload"}}));
    EXPECT_EQ(Commands().size(), 512u);
    EXPECT_TRUE(ImageIsClear());
    ExpectWindowBack();

    at512 = [this] { window->close(); };
    window->cboType->setCurrentIndex(2);
    boxes.Answer(vbYes);
    Run(window->mnuDownload);
    EXPECT_EQ(boxes.boxes, (Boxes{discard, {"Manual Download Cancel." + DownloadWarning, 48, "Download"}}));
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(comMGW.PortOpen());
}
