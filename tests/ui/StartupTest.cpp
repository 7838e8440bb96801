// The window from start-up to close: its fresh state and layout, the default
// folder, the protocol choice, and the questions before it closes.
#include "common/TestFiles.h"
#include "common/WindowFixture.h"
#include "image/MapFile.h"
#include "image/PointRecord.h"

#include <QMenuBar>

using namespace modLumentorMGW;

using StartupTest = WindowFixture;
using CloseTest = WindowFixture;

namespace {
QRect twips(int left, int top, int width, int height) { return {left / 15, top / 15, width / 15, height / 15}; }
const RecordedBox Discard{"Discard Any Changes?", 36, "Arvane Lumentor"};
} // namespace

TEST_F(StartupTest, FreshWindowShowsAnEmptyCleanImage)
{
    frmLumentorMGW &w = *window;
    EXPECT_EQ(w.windowTitle(), "Arvane Lumentor Corbridge Mapped Gateway  1.6");
    EXPECT_EQ(w.lblFileName->text(), "None");
    EXPECT_EQ(w.cboComPort->currentText(), "COM1");
    EXPECT_TRUE(w.optProtocol[0]->isChecked());
    EXPECT_EQ(w.cboPoint->count(), 750);
    EXPECT_EQ(w.cboPoint->currentText(), "Point: 001");
    EXPECT_EQ(w.cboType->currentText(), "Unused");
    for (QGroupBox *frame : {w.frmSMap, w.frmMMap, w.frmGMap, w.frmPMap, w.frmIMap, w.frmUpDown})
        EXPECT_FALSE(frame->isVisible()) << qPrintable(frame->objectName());
    EXPECT_FALSE(w.chkResend->isChecked());
    EXPECT_EQ(w.cboTimeout->currentText(), "Timeout: Normal");
    EXPECT_FALSE(Dirty);
    EXPECT_EQ(boxes.Count(), 0);

    EXPECT_EQ(w.cboLLGrp->itemText(255), "Lumentor Group: 256");
    EXPECT_EQ(w.cboAMRly->currentText(), "2");
}

TEST_F(StartupTest, LayoutFollowsTheDesign)
{
    frmLumentorMGW &w = *window;
    EXPECT_EQ(w.centralWidget()->size(), QSize(393, 450));
    EXPECT_EQ(w.minimumSize(), w.maximumSize());
    EXPECT_FALSE(w.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    // The relay grid: four columns of sixteen, rows 240 twips apart.
    EXPECT_EQ(w.lblMRelay[15]->geometry(), twips(240, 4440, 735, 255));
    EXPECT_EQ(w.lblMInc[63]->geometry(), twips(5100, 4440, 375, 255));
    const auto texts = [](const QList<QAction *> &entries) {
        QStringList out;
        for (QAction *entry : entries)
            out << (entry->isSeparator() ? "-" : entry->text());
        return out;
    };
    EXPECT_EQ(texts(w.menuBar()->actions()), QStringList({"File", "Download", "Upload", "Export", "Edit"}));
    EXPECT_EQ(texts(w.mnuFile->actions()), QStringList({"New", "Open", "Save", "Save As", "-", "Exit"}));
}

// Closing after a change asks (tested with every editing control); Exit asks
// once, and not at all when nothing changed.
TEST_F(CloseTest, ExitAsksOnceAndOnlyWhileDirty)
{
    window->cboType->setCurrentIndex(2);
    boxes.Answer(vbNo);
    window->mnuExit->trigger();
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(Dirty);
    boxes.Answer(vbYes);
    window->mnuExit->trigger(); // the close that follows asks no more
    EXPECT_EQ(boxes.boxes, (Boxes{Discard, Discard}));
    EXPECT_FALSE(window->isVisible());

    window = std::make_unique<frmLumentorMGW>();
    window->show();
    window->mnuExit->trigger();
    EXPECT_EQ(boxes.Count(), 2);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(StartupTest, DefaultFolderIsMadeKeptOrDoneWithout)
{
    const QString folder = home.filePath("Arvane Lumentor Mapped Gateway");
    ASSERT_TRUE(WriteAll(folder + "/kept.MGW", "x"));
    window = std::make_unique<frmLumentorMGW>();
    EXPECT_TRUE(QFile::exists(folder + "/kept.MGW"));

    // A home below a plain file: the folder cannot be made, the window still starts.
    ASSERT_TRUE(WriteAll(home.filePath("plain"), "x"));
    qputenv("HOME", QFile::encodeName(home.filePath("plain/home")));
    window = std::make_unique<frmLumentorMGW>();
    EXPECT_EQ(window->cboPoint->currentText(), "Point: 001");
    EXPECT_FALSE(Dirty);
    EXPECT_EQ(boxes.Count(), 0);
}

TEST_F(CloseTest, ProtocolRebuildsThePointListAndRaisesOneEvent)
{
    SetPointType(500, 5);
    SelectPoint(200);
    const auto before = ImageCopy();
    std::vector<int> events;
    QObject::connect(window->cboPoint, &QComboBox::currentIndexChanged, [&](int i) { events.push_back(i); });

    window->optProtocol[1]->setChecked(true);
    EXPECT_EQ(window->cboPoint->count(), 350);
    EXPECT_EQ(window->cboPoint->itemText(349), "Point: 350");
    EXPECT_EQ(events, std::vector<int>{0}); // the selection, nothing for the clear or the fill
    window->optProtocol[0]->setChecked(true);
    EXPECT_EQ(window->cboPoint->count(), 750);
    EXPECT_EQ(window->cboPoint->currentText(), "Point: 001");
    EXPECT_EQ(events, (std::vector<int>{0, 0}));
    EXPECT_TRUE(ChangedCells(before).empty());
}
