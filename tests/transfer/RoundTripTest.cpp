// Whole transfers of the real window through a pseudo-terminal: what
// reaches the gateway, what comes back, and what the panel shows. Cancel and
// a close request take effect at the next block, never in the middle of the
// preparing commands.
#include "transfer/TransferFixture.h"

#include "common/DrivenClock.h"

using namespace modLumentorMGW;

namespace {
const QString UploadCancel = "Manual Upload Cancel.\r\nAll Host Data Cleared.";

// A call that reaches the window the next time it handles its events.
template <typename F>
void Queue(QObject *to, F call) { QMetaObject::invokeMethod(to, call, Qt::QueuedConnection); }

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

TEST_F(TransferTest, DenseImageGoesOutCellForCellAndComesBack)
{
    // Every block of both banks nonzero; point 001 and the settings sane.
    for (int i = 0; i < CellCount; ++i)
        ConfigImage[i] = int16_t((i * 37 + 11) % 256);
    const int16_t sane[] = {5, 0, 0, 3};
    for (int a = 0; a < 4; ++a)
        ConfigImage[2 * a] = sane[a];
    ConfigImage[2 * 4096] = 1;
    ConfigImage[2 * 4097] = 1;
    const auto image = ImageCopy();

    bool lockedWhileRunning = false;
    boxes.onBox = [&](const RecordedBox &) {
        lockedWhileRunning = window->frmUpDown->isVisible() && window->cmdCancel->isEnabled()
                             && !window->mnuUpload->isEnabled() && !window->mnuFile->menuAction()->isEnabled();
        for (QWidget *w : OtherControls())
            lockedWhileRunning = lockedWhileRunning && !w->isEnabled();
        const size_t sent = gateway.sim.Journal().size();
        window->mnuUpload->trigger(); // refused: no second transfer
        Click(window->lblMInc[0]);
        lockedWhileRunning = lockedWhileRunning && gateway.sim.Journal().size() == sent;
    };
    // What the panel and the boxes showed, progress ending at 2048 of 2048.
    const auto expectShown = [&](const QString &box, const QString &title, const char *verb) {
        EXPECT_EQ(boxes.boxes, (Boxes{{box, 0, title}}));
        EXPECT_TRUE(lockedWhileRunning);
        EXPECT_EQ(window->frmUpDown->title(), title == "Download" ? "Download To Gateway" : "Upload From Gateway");
        EXPECT_EQ(captions->seen, Progress(verb));
        EXPECT_EQ(window->prgUpDown->maximum(), 2048);
        EXPECT_EQ(window->prgUpDown->value(), 2048);
        ExpectWindowBack();
    };
    Run(window->mnuDownload);
    expectShown("Download Complete", "Download", "Downloading");

    const auto sent = Commands();
    ASSERT_EQ(sent.size(), 4u + 2048u + 2u);
    EXPECT_EQ(sent[4].substr(0, 9), "380000" "03F");
    EXPECT_EQ(sent[4 + 1024 + 1].substr(0, 9), "381004" "03F");
    EXPECT_EQ(FirstDifference(ConfigImage, gateway.sim.Memory()), -1);
    EXPECT_TRUE(ChangedCells(image).empty()); // a download only reads

    ClearImage();
    window->ShowData();
    Dirty = false;
    boxes.onBox = [&](const RecordedBox &) { lockedWhileRunning = FirstDifference(ConfigImage, gateway.sim.Memory()) == -1; };
    Run(window->mnuUpload);
    expectShown("Upload Complete", "Upload", "Uploading");
    EXPECT_TRUE(ChangedCells(image).empty());
    EXPECT_EQ(Commands().size(), 2048u + 2u);
    EXPECT_EQ(Commands()[1025], "391004" "03F");
    // The redraw shows the uploaded point 001 and, showing new values, marks the image changed.
    EXPECT_EQ(window->cboType->currentIndex(), 5);
    EXPECT_EQ(window->cboLLGrp->currentIndex(), 3);
    EXPECT_TRUE(window->chkResend->isChecked());
    EXPECT_TRUE(Dirty);
}

TEST_F(TransferTest, OnlyBlocksWithANonzeroCellAreSentAndWhole)
{
    window->cmdCancel_Click(); // a Cancel left over from before is forgotten
    Run(window->mnuDownload);
    EXPECT_EQ(Commands(), (std::vector<std::string>{"3600$*", "3601$*", "3610$*", "3611$*", "3F00000FFFF",
                                                    "3F10000FFFF"}));
    EXPECT_EQ(captions->seen, Progress("Downloading"));
    EXPECT_EQ(boxes.boxes, (Boxes{{"Download Complete", 0, "Download"}}));

    ConfigImage[0 + 2 * 64] = 0xA5;          // bank 0, block 1, first cell
    ConfigImage[1 + 2 * (64 * 5 + 63)] = 1;  // bank 1, block 5, last cell
    Run(window->mnuDownload);
    const auto sent = Commands();
    ASSERT_EQ(sent.size(), 8u);
    EXPECT_EQ(sent[4], "380004" "03F" "A5" + std::string(126, '0'));
    EXPECT_EQ(sent[5], "381014" "03F" + std::string(126, '0') + "01");
    EXPECT_EQ(boxes.boxes, (Boxes{{"Download Complete", 0, "Download"}}));
}

// Entry COMn opens port n: each entry reaches its own device, and a port
// that cannot be opened sends and changes nothing.
TEST_F(TransferTest, EveryPortEntryReachesItsOwnDevice)
{
    QTemporaryDir dir;
    for (int16_t m = 1; m <= 8; ++m)
        SetPortDevice(m, dir.filePath("no-such-port"));
    window->cboComPort->setCurrentIndex(7);
    ImageSet(0, 12, 4);
    const auto image = ImageCopy();
    for (QAction *command : {window->mnuDownload, window->mnuUpload}) {
        Run(command);
        EXPECT_EQ(boxes.boxes, (Boxes{{"Unable To Open Port\r\nThere is no device " + dir.filePath("no-such-port")
                                           + ": plug the adapter in or choose another port.", 16, "Port Error"}}));
        EXPECT_TRUE(ChangedCells(image).empty());
        ExpectWindowBack();
    }
    for (int16_t n = 1; n <= 8; ++n) {
        SCOPED_TRACE(n);
        SimulatedGateway own(n);
        DrivenClock clock(own.sim); // a wrong port times out at once
        window->cboComPort->setCurrentIndex(n - 1);
        boxes.Clear();
        window->mnuDownload->trigger();
        if (n == 2)
            window->mnuUpload->trigger();
        EXPECT_EQ(own.sim.Journal().size(), n == 2 ? 7u + 2050u : 7u);
        ASSERT_EQ(boxes.Count(), n == 2 ? 2 : 1);
        EXPECT_EQ(boxes.boxes[0].text, "Download Complete");
    }
    EXPECT_TRUE(gateway.sim.Journal().empty());
}

TEST_F(TransferTest, CancelDuringPreparingCommandsStopsBeforeAnyBlock)
{
    ConfigImage[2 * 3] = 1;
    Queue(window->cmdCancel, [this] { window->cmdCancel->click(); }); // arrives while "3600$*" is on its way
    Run(window->mnuDownload);
    EXPECT_EQ(Commands(), (std::vector<std::string>{"3600$*", "3601$*", "3610$*", "3611$*"}));
    EXPECT_EQ(boxes.boxes, (Boxes{{"Manual Download Cancel.\r\nLumentor Controller May Not Function\r\n"
                                   "Properly Until A Download Is Complete.", 48, "Download"}}));
    ExpectWindowBack();
}

TEST_F(TransferTest, CancelMidUploadClearsTheImageAfterTheMessage)
{
    gateway.sim.Memory().SetCell(0, 100, 7);
    QObject::connect(window->prgUpDown, &QProgressBar::valueChanged, [&](int v) {
        if (v == 512)
            Queue(window->cmdCancel, [this] { window->cmdCancel->click(); });
    });
    bool uploadedDuringBox = false;
    boxes.onBox = [&](const RecordedBox &) { uploadedDuringBox = ConfigImage[2 * 100] == 7; };
    Run(window->mnuUpload);
    EXPECT_EQ(boxes.boxes, (Boxes{{UploadCancel, 48, "Upload"}}));
    EXPECT_EQ(Commands().size(), 512u);
    EXPECT_TRUE(uploadedDuringBox);
    EXPECT_TRUE(ImageIsClear());
    EXPECT_FALSE(Dirty);
    ExpectWindowBack();
}

TEST_F(TransferTest, CloseDuringAnUnchangedTransferCancelsItThenCloses)
{
    const int closeAt = 1024;
    QObject::connect(window->prgUpDown, &QProgressBar::valueChanged, [&](int v) {
        if (v == closeAt)
            Queue(window.get(), [this] { window->close(); });
    });
    // No question; the download stops, says so, and the window closes.
    bool openDuringBox = false;
    boxes.onBox = [&](const RecordedBox &) { openDuringBox = window->isVisible(); };
    Run(window->mnuDownload);
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_TRUE(boxes.Last().text.startsWith("Manual Download Cancel."));
    EXPECT_TRUE(openDuringBox);
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(comMGW.PortOpen());
    EXPECT_EQ(Commands().size(), 4u); // no verification after the close
}

TEST_F(TransferTest, CloseDuringAChangedTransferAsksFirst)
{
    const int closeAt = 512;
    QObject::connect(window->prgUpDown, &QProgressBar::valueChanged, [&](int v) {
        if (v == closeAt)
            Queue(window.get(), [this] { window->close(); });
    });
    // The question comes first, and No leaves the upload running to its end.
    window->cboType->setCurrentIndex(5);
    gateway.sim.Memory().SetCell(0, 100, 7);
    boxes.Answer(vbNo);
    Run(window->mnuUpload);
    const RecordedBox discard{"Discard Any Changes?", 36, "Arvane Lumentor"};
    EXPECT_EQ(boxes.boxes, (Boxes{discard, {"Upload Complete", 0, "Upload"}}));
    EXPECT_EQ(Commands().size(), 2050u);
    EXPECT_EQ(ConfigImage[2 * 100], 7);
    EXPECT_TRUE(window->isVisible());
    ExpectWindowBack();

    // Yes: the download stops with its message and the window closes without asking again.
    window->cboType->setCurrentIndex(2);
    boxes.Answer(vbYes);
    Run(window->mnuDownload);
    EXPECT_EQ(boxes.boxes, (Boxes{discard, {"Manual Download Cancel.\r\nLumentor Controller May Not Function\r\n"
                                            "Properly Until A Download Is Complete.", 48, "Download"}}));
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(comMGW.PortOpen());
}
