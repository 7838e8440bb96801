// The window from start-up: its fresh state and layout, the default folder,
// and the protocol choice.
#include "common/TestFiles.h"
#include "common/WindowFixture.h"
#include "image/PointRecord.h"

using namespace modLumentorMGW;

using StartupTest = WindowFixture;

TEST_F(StartupTest, FreshWindowShowsAnEmptyCleanImageLaidOutAsDesigned)
{
    frmLumentorMGW &w = *window;
    const QStringList texts = {w.lblFileName->text(), w.cboPoint->currentText(), w.cboType->currentText(),
                               w.cboTimeout->currentText(), w.cboLLGrp->itemText(255), w.cboAMRly->currentText(),
                               w.cboPoint->itemText(w.cboPoint->count() - 1), w.cboComPort->currentText()};
    EXPECT_EQ(texts, QStringList({"None", "Point: 001", "Unused", "Timeout: Normal", "Lumentor Group: 256", "2",
                                  "Point: 750", "COM1"}));
    EXPECT_FALSE(w.chkResend->isChecked() || w.frmUpDown->isVisible() || Dirty);

    EXPECT_EQ(w.centralWidget()->size(), QSize(393, 450));
    // The relay grid: four columns of sixteen, rows 240 twips (16 pixels) apart.
    EXPECT_EQ(w.lblMRelay[15]->geometry(), QRect(16, 296, 49, 17));
    EXPECT_EQ(w.lblMInc[63]->geometry(), QRect(340, 296, 25, 17));
    QStringList menus;
    for (QAction *entry : w.menuBar()->actions() + w.mnuFile->actions())
        menus << (entry->isSeparator() ? "-" : entry->text());
    EXPECT_EQ(menus, QStringList({"File", "Download", "Upload", "Export", "Edit", "View", "Port", "New", "Open",
                                  "Save", "Save As", "Import Listing...", "-", "Exit"}));
}

// A second window opens beside the first, not on it; every size of the icon is there.
TEST_F(StartupTest, ASecondWindowIsOffsetAndTheIconHasEverySize)
{
    auto second = std::make_unique<frmLumentorMGW>();
    EXPECT_EQ(second->pos() - window->pos(), QPoint(32, 32));
    second.reset();
    EXPECT_EQ(std::make_unique<frmLumentorMGW>()->pos(), window->pos() + QPoint(32, 32));
    const QList<QSize> sizes = window->windowIcon().availableSizes();
    EXPECT_EQ(sizes.size(), 8);
    EXPECT_TRUE(sizes.contains(QSize(16, 16)) && sizes.contains(QSize(256, 256)));
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
    EXPECT_EQ(boxes.Count(), 0);
}

// Explorer's open of a .MGW names the file at start-up: it opens as File >
// Open does, and a file that will not read leaves the fresh window as it was.
TEST_F(StartupTest, MapFileNamedAtStartOpens)
{
    QByteArray bytes(MapFileBytes, '\0');
    bytes[2 * (1 + 2 * 5)] = 7; // bank 1, address 5
    ASSERT_TRUE(WriteAll(home.filePath("plant.MGW"), bytes));
    window->OpenAtStart(home.filePath("missing.MGW"));
    EXPECT_EQ(window->lblFileName->text(), "None");
    EXPECT_EQ(boxes.Count(), 1);
    window->OpenAtStart(home.filePath("plant.MGW"));
    EXPECT_EQ(window->lblFileName->text(), home.filePath("plant.MGW"));
    EXPECT_EQ(ImageGet(1, 5), 7);
    EXPECT_FALSE(Dirty);
}

TEST_F(StartupTest, ProtocolRebuildsThePointListAndRaisesOneEvent)
{
    SetPointType(500, 5);
    SelectPoint(200);
    const auto before = ImageCopy();
    std::vector<int> events;
    const auto last = [&] { return window->cboPoint->itemText(window->cboPoint->count() - 1); };
    QObject::connect(window->cboPoint, &QComboBox::currentIndexChanged, [&](int i) { events.push_back(i); });

    window->optProtocol[1]->setChecked(true);
    EXPECT_EQ(last(), "Point: 350");
    EXPECT_EQ(events, std::vector<int>{0});   // the selection, nothing for the clear or the fill
    window->optProtocol[0]->setChecked(true);
    EXPECT_EQ(last(), "Point: 750");
    EXPECT_EQ(events, (std::vector<int>{0, 0}));
    EXPECT_TRUE(ChangedCells(before).empty());
}
