// Showing a point, editing it through the frames, and values only a loaded
// file or an upload can hold.
#include "common/WindowFixture.h"
#include "image/PointRecord.h"

using namespace modLumentorMGW;

using ViewEditTest = WindowFixture;

TEST_F(ViewEditTest, ShowingAPointWithOtherValuesSetsDirtyAndStoresNothingNew)
{
    SetPointType(4, 7);
    SetPointNumber(4, 4);
    Dirty = false;
    const auto before = ImageCopy();
    SelectPoint(4);
    EXPECT_TRUE(Dirty);
    EXPECT_TRUE(ChangedCells(before).empty());
    EXPECT_EQ(window->cboLLPrs->currentText(), "Lumentor Preset: 005");

    // A group point keeps its number when the input list shows it modulo 8.
    SetPointType(6, 5);
    SetPointNumber(6, 99);
    SelectPoint(6);
    EXPECT_EQ(window->cboIInp->currentIndex(), 3);
    EXPECT_EQ(GetPointNumber(6), 99);
    // An input point stores what the list shows.
    SetPointType(7, 8);
    SetPointNumber(7, 12);
    SelectPoint(7);
    EXPECT_EQ(GetPointNumber(7), 4);
}

TEST_F(ViewEditTest, EachTypeShowsItsFrame)
{
    QStringList shown;
    for (int t = 0; t < 10; ++t) {
        window->cboType->setCurrentIndex(t);
        shown << "";
        for (QGroupBox *frame : {window->frmSMap, window->frmMMap, window->frmGMap, window->frmPMap, window->frmIMap}) {
            if (frame->isVisible())
                shown.last() += frame->objectName();
        }
    }
    EXPECT_EQ(shown, (QStringList{"", "frmSMap", "frmSMap", "frmMMap", "frmMMap", "frmGMap", "frmGMap", "frmPMap",
                                  "frmIMap", "frmIMap"}));
}

// Each editing control on point 003 (record at bank 0, addresses 8 to 11).
TEST_F(ViewEditTest, EveryControlStoresItsCellAndMarksTheImageChangedSoClosingAsks)
{
    frmLumentorMGW &w = *window;
    const struct { const char *control; int type; std::function<void()> act; int bank, address, value; } rows[] = {
        {"cboType", 0, [&] { w.cboType->setCurrentIndex(6); }, 0, 8, 6},
        {"cboSNode", 1, [&] { w.cboSNode->setCurrentIndex(9); }, 0, 9, 9},
        {"cboSRelay", 2, [&] { w.cboSRelay->setCurrentIndex(63); }, 0, 10, 63},
        {"cboLLGrp", 5, [&] { w.cboLLGrp->setCurrentIndex(255); }, 0, 11, 255},
        {"cboLLPrs", 7, [&] { w.cboLLPrs->setCurrentIndex(4); }, 0, 11, 4},
        {"cboINode", 8, [&] { w.cboINode->setCurrentIndex(253); }, 0, 9, 253},
        {"cboIDev", 9, [&] { w.cboIDev->setCurrentIndex(12); }, 0, 10, 12},
        {"cboIInp", 8, [&] { w.cboIInp->setCurrentIndex(6); }, 0, 11, 6},
        {"chkResend", 0, [&] { w.chkResend->setChecked(true); }, 0, 4096, 1},
        {"cboTimeout", 0, [&] { w.cboTimeout->setCurrentIndex(2); }, 0, 4097, 2},
        // Relay 06 of node 02: bank 1 from 2048 x 2, 8 cells a node. The node list changes nothing.
        {"lblMInc", 3, [&] { w.cboMNode->setCurrentIndex(1); Click(w.lblMInc[5]); }, 1, 4096 + 8, 1 << 5},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.control);
        ClearImage();
        SelectPoint(2);
        w.ShowData();
        w.cboType->setCurrentIndex(row.type);
        Dirty = false;
        const auto before = ImageCopy();
        row.act();
        EXPECT_EQ(ChangedCells(before), std::vector<int>{row.bank + 2 * row.address});
        EXPECT_EQ(ImageGet(int16_t(row.bank), row.address), row.value);
        boxes.Answer(vbNo);
        EXPECT_FALSE(w.close()); // asked, and No keeps the window
    }
}

// Chosen on point 051 or later, a multi relay type is refused; stored there
// by a file, it shows no relay and ignores clicks.
TEST_F(ViewEditTest, MultiRelayTypeOnlyOnPoints001To050)
{
    for (const auto &[p, t] : {std::pair{50, 3}, {749, 4}}) {
        SelectPoint(p);
        window->cboType->setCurrentIndex(t);
        EXPECT_EQ(GetPointType(p), 0);
        EXPECT_EQ(window->cboType->currentText(), "Unused");
    }
    EXPECT_EQ(boxes.boxes, Boxes(2, {"Multi Relay Mapping Is Only Allowed On Points 001 - 0050", 16, "Out Of Range"}));
    SetRelayBit(49, 1, 63, true);
    SelectPoint(49);
    window->cboMNode->setCurrentIndex(1);
    window->cboType->setCurrentIndex(3);
    EXPECT_EQ(GetPointType(49), 3);
    EXPECT_EQ(window->lblMInc[63]->text(), "Yes");
    EXPECT_EQ(window->lblMInc[62]->text(), "No");
    window->cboMNode->setCurrentIndex(0); // another node: its own relays
    EXPECT_EQ(window->lblMInc[63]->text(), "No");

    SetPointType(60, 3);
    SelectPoint(60); // the type list already reads multi relay: no event
    EXPECT_TRUE(window->frmMMap->isVisible());
    EXPECT_EQ(window->lblMInc[63]->text(), "No");
    const auto before = ImageCopy();
    Click(window->lblMInc[0]);
    EXPECT_TRUE(ChangedCells(before).empty());
}

TEST_F(ViewEditTest, ADoubleClickActsOnceAndTheWheelMovesOnlyTheFocusedList)
{
    window->cboType->setCurrentIndex(3);
    DoubleClick(window->lblMInc[5]);
    EXPECT_EQ(ImageGet(1, 0), 1 << 5);
    Click(window->lblMInc[5]); // a second click clears it
    EXPECT_EQ(ImageGet(1, 0), 0);
    DoubleClick(window->chkResend);
    EXPECT_EQ(ImageGet(0, 4096), 1);

    // Scrolling over the window edits nothing; a list with the focus moves.
    std::vector<int> after;
    for (QComboBox *list : {window->cboType, window->cboPoint, window->cboMNode, window->cboTimeout}) {
        WheelDown(list);
        WheelDown(list);
        after.push_back(list->currentIndex());
    }
    EXPECT_EQ(after, (std::vector<int>{3, 0, 0, 0}));
    window->activateWindow();
    QCoreApplication::processEvents();
    window->cboPoint->setFocus();
    WheelDown(window->cboPoint);
    EXPECT_EQ(window->cboPoint->currentIndex(), 1);
}
