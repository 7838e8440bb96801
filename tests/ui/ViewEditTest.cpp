// Showing a point, editing it through the frames, and values only a loaded
// file or an upload can hold.
#include "common/WindowFixture.h"
#include "image/PointRecord.h"

using namespace modLumentorMGW;

using ViewEditTest = WindowFixture;

namespace {
// The one visible mapping frame's name, or "" when none is.
QString visibleFrame(const frmLumentorMGW &w)
{
    QString shown;
    for (QGroupBox *frame : {w.frmSMap, w.frmMMap, w.frmGMap, w.frmPMap, w.frmIMap}) {
        if (frame->isVisible())
            shown += frame->objectName();
    }
    return shown;
}
} // namespace

TEST_F(ViewEditTest, ShowingAPointWithOtherValuesSetsDirtyAndStoresNothingNew)
{
    SelectPoint(1); // all zero like point 001: nothing to bring into line
    EXPECT_FALSE(Dirty);

    SetPointType(4, 7);
    SetPointNumber(4, 4);
    Dirty = false;
    const auto before = ImageCopy();
    SelectPoint(4);
    EXPECT_TRUE(Dirty);
    EXPECT_TRUE(ChangedCells(before).empty());
    EXPECT_EQ(visibleFrame(*window), "frmPMap");
    EXPECT_EQ(window->cboLLPrs->currentText(), "Lumentor Preset: 005");

    // An input point whose cell 3 holds 12 shows input 5 and stores it reduced.
    SetPointType(5, 8);
    SetPointNumber(5, 12);
    SelectPoint(0); // the input list moves from 0, so its event fires
    SelectPoint(5);
    EXPECT_EQ(visibleFrame(*window), "frmIMap");
    EXPECT_EQ(GetPointNumber(5), 4);

    // A group point keeps its number when the input list shows it modulo 8.
    SetPointType(6, 5);
    SetPointNumber(6, 99);
    SelectPoint(6);
    EXPECT_EQ(window->cboIInp->currentIndex(), 3);
    EXPECT_EQ(GetPointNumber(6), 99);
}

TEST_F(ViewEditTest, MultiRelayTypeRefusedFromPoint051AcceptedOn050)
{
    SelectPoint(50);
    window->cboType->setCurrentIndex(3);
    EXPECT_EQ(boxes.boxes, (Boxes{{"Multi Relay Mapping Is Only Allowed On Points 001 - 0050", 16, "Out Of Range"}}));
    EXPECT_EQ(GetPointType(50), 0);
    EXPECT_EQ(window->cboType->currentText(), "Unused");
    EXPECT_EQ(visibleFrame(*window), "");
    EXPECT_TRUE(Dirty);

    SelectPoint(749);
    window->cboType->setCurrentIndex(4);
    EXPECT_EQ(boxes.Count(), 2);
    EXPECT_EQ(GetPointType(749), 0);

    SetRelayBit(49, 1, 63, true);
    SelectPoint(49);
    window->cboMNode->setCurrentIndex(1);
    window->cboType->setCurrentIndex(3);
    EXPECT_EQ(boxes.Count(), 2);
    EXPECT_EQ(GetPointType(49), 3);
    EXPECT_EQ(visibleFrame(*window), "frmMMap");
    EXPECT_EQ(window->lblMInc[63]->text(), "Yes");
    EXPECT_EQ(window->lblMInc[62]->text(), "No");
}

TEST_F(ViewEditTest, RelayGridTogglesOneBitOfTheChosenNode)
{
    // Point 001 keeps its bitmap in bank 1, point 033 in bank 0 from 28672.
    const struct { int p, relay, storage, value; } cases[] = {
        {0, 5, 1 + 2 * 8, 1 << 5},
        {32, 13, 0 + 2 * (28672 + 8 + 1), 1 << 5}};
    for (const auto &c : cases) {
        SelectPoint(c.p);
        window->cboType->setCurrentIndex(3);
        window->cboMNode->setCurrentIndex(1); // node 02, a view only
        const auto before = ImageCopy();
        ClickLabel *label = window->lblMInc[c.relay];
        EXPECT_EQ(label->text(), "No");
        Click(label);
        EXPECT_EQ(ChangedCells(before), std::vector<int>{c.storage});
        EXPECT_EQ(ConfigImage[c.storage], c.value);
        EXPECT_EQ(label->text(), "Yes");
        EXPECT_EQ(label->palette().color(QPalette::Window), QColor(0xFF, 0xFF, 0xFF));

        window->cboMNode->setCurrentIndex(0);
        EXPECT_EQ(label->text(), "No");
        window->cboMNode->setCurrentIndex(1);
        Click(label);
        EXPECT_TRUE(ChangedCells(before).empty());
        EXPECT_EQ(label->palette().color(QPalette::Window), QColor(0x80, 0x80, 0x80));
    }
}

TEST_F(ViewEditTest, ADoubleClickActsOnceAndTheWheelMovesOnlyTheFocusedList)
{
    window->cboType->setCurrentIndex(3);
    DoubleClick(window->lblMInc[5]);
    EXPECT_EQ(window->lblMInc[5]->text(), "Yes");
    EXPECT_EQ(ImageGet(1, 0), 1 << 5);
    DoubleClick(window->chkResend);
    EXPECT_EQ(ImageGet(0, 4096), 1);

    // Scrolling over the window edits nothing; a list with the focus moves.
    for (QComboBox *list : {window->cboType, window->cboPoint, window->cboMNode, window->cboTimeout}) {
        WheelDown(list);
        WheelDown(list);
    }
    EXPECT_EQ(window->cboType->currentIndex(), 3);
    EXPECT_EQ(window->cboPoint->currentIndex(), 0);
    EXPECT_EQ(window->cboMNode->currentIndex(), 0);
    EXPECT_EQ(window->cboTimeout->currentIndex(), 0);
    window->activateWindow();
    QCoreApplication::processEvents();
    window->cboPoint->setFocus();
    ASSERT_TRUE(window->cboPoint->hasFocus());
    WheelDown(window->cboPoint);
    EXPECT_EQ(window->cboPoint->currentIndex(), 1);
}

TEST_F(ViewEditTest, FramesShareCellsAndSettingsAreStored)
{
    window->cboType->setCurrentIndex(1);
    window->cboSNode->setCurrentIndex(9);
    window->cboSRelay->setCurrentIndex(11);
    EXPECT_EQ(GetPointNode(0), 9);
    EXPECT_EQ(GetPointRelay(0), 11);
    window->cboType->setCurrentIndex(8);
    EXPECT_EQ(visibleFrame(*window), "frmIMap");
    EXPECT_EQ(window->cboINode->currentText(), "Node: 0A");
    EXPECT_EQ(window->cboIDev->currentText(), "Device: 0C");
    window->cboIInp->setCurrentIndex(6);
    EXPECT_EQ(GetPointNumber(0), 6);

    window->chkResend->setChecked(true);
    EXPECT_EQ(ImageGet(0, 4096), 1);
    window->chkResend->setChecked(false);
    EXPECT_EQ(ImageGet(0, 4096), 0);
    window->cboTimeout->setCurrentIndex(2);
    EXPECT_EQ(ImageGet(0, 4097), 2);
}

TEST_F(ViewEditTest, OutOfRangeValuesShowNoSelectionAndKeepTheirCells)
{
    SetPointType(1, 1); SetPointNode(1, 254); SetPointRelay(1, 64); SetPointNumber(1, -1);
    ImageSet(0, 4097, 7);
    SetPointType(3, 12);
    const auto before = ImageCopy();
    SelectPoint(1);
    for (QComboBox *list : {window->cboSNode, window->cboINode, window->cboSRelay, window->cboIDev,
                            window->cboLLGrp, window->cboIInp, window->cboTimeout})
        EXPECT_EQ(list->currentIndex(), -1) << qPrintable(list->objectName());
    SelectPoint(0);
    SelectPoint(1);
    window->cmdAMRly->click(); // the run would copy node 255 (no selection): nothing is written
    EXPECT_EQ(boxes.Count(), 0);

    // An unknown type leaves the frames as they were.
    SelectPoint(3);
    EXPECT_TRUE(window->frmSMap->isVisible());
    EXPECT_EQ(window->cboType->currentIndex(), -1);
    window->cmdAMRly->click();
    EXPECT_TRUE(ChangedCells(before).empty());
}

TEST_F(ViewEditTest, MultiRelayTypeStoredOnPoint051)
{
    // Shown while the type list already reads multi relay: no relay set, clicks ignored.
    SetPointType(0, 3); SetPointType(60, 3); SetRelayBit(0, 0, 0, true);
    SelectPoint(1);
    SelectPoint(0);
    ASSERT_EQ(window->lblMInc[0]->text(), "Yes");
    SelectPoint(60);
    EXPECT_TRUE(window->frmMMap->isVisible());
    for (ClickLabel *label : window->lblMInc)
        ASSERT_EQ(label->text(), "No");
    Dirty = false;
    const auto before = ImageCopy();
    Click(window->lblMInc[0]);
    EXPECT_TRUE(ChangedCells(before).empty());
    EXPECT_FALSE(Dirty);

    // Shown after another type: the type event refuses it and the point becomes unused.
    SetPointType(70, 4);
    SelectPoint(2);
    SelectPoint(70);
    EXPECT_EQ(boxes.Count(), 1);
    EXPECT_EQ(GetPointType(70), 0);
    EXPECT_FALSE(window->frmMMap->isVisible());
}
