// Cancel and a close request while a transfer runs: both take effect at
// the next block, never in the middle of the preparing commands.
#include "transfer/TransferFixture.h"

using namespace modLumentorMGW;

namespace {
const QString UploadCancel = "Manual Upload Cancel.\r\nAll Host Data Cleared.";

// A call that reaches the window the next time it handles its events.
template <typename F>
void Queue(QObject *to, F call) { QMetaObject::invokeMethod(to, call, Qt::QueuedConnection); }
} // namespace

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

TEST_F(TransferTest, CloseDuringATransferCancelsItThenCloses)
{
    // Unchanged image: the window closes without a question once the download has stopped.
    QObject::connect(window->prgUpDown, &QProgressBar::valueChanged, [&](int v) {
        if (v == 1024)
            Queue(window.get(), [this] { window->close(); });
    });
    bool openDuringBox = false;
    boxes.onBox = [&](const RecordedBox &) { openDuringBox = window->isVisible(); };
    Run(window->mnuDownload);
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_TRUE(boxes.Last().text.startsWith("Manual Download Cancel."));
    EXPECT_TRUE(openDuringBox);
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(comMGW.PortOpen());
    EXPECT_EQ(Commands().size(), 4u); // no verification after the close

    // A changed point that the cancelled upload clears: the discard prompt, and "No" keeps the window.
    window->show();
    window->cboType->setCurrentIndex(5);
    boxes.Answer(vbNo);
    Run(window->mnuUpload);
    EXPECT_EQ(boxes.Texts(), (std::vector<QString>{UploadCancel, "Discard Any Changes?"}));
    EXPECT_EQ(Commands().size(), 1024u);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->cboType->currentIndex(), 0);
    ExpectWindowBack();
    boxes.Answer(vbYes);
    EXPECT_TRUE(window->close());
}
