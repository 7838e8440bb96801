// Showing a point, values only a loaded file or an upload can hold, the
// frame of each type, and the mouse and the wheel. What each control stores
// is in UndoTest.cpp, beside its undoing.
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
