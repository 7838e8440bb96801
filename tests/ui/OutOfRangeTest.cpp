// Values only a loaded file or an upload can hold.
#include "common/WindowFixture.h"
#include "image/PointRecord.h"

using namespace modLumentorMGW;

using OutOfRangeTest = WindowFixture;

TEST_F(OutOfRangeTest, ListsShowNoSelectionAndCellsKeepTheirValues)
{
    SetPointType(1, 1);
    SetPointNode(1, 254);
    SetPointRelay(1, 64);
    SetPointNumber(1, -1);
    ImageSet(0, 4097, 7);
    SetPointType(3, 12);
    SelectPoint(1);
    for (QComboBox *list : {window->cboSNode, window->cboINode, window->cboSRelay, window->cboIDev,
                            window->cboLLGrp, window->cboIInp, window->cboTimeout})
        EXPECT_EQ(list->currentIndex(), -1) << qPrintable(list->objectName());
    SelectPoint(0);
    SelectPoint(1);
    const auto before = ImageCopy();
    EXPECT_EQ(ImageGet(0, 4097), 7);
    EXPECT_EQ(std::vector<int16_t>({GetPointNode(1), GetPointRelay(1), GetPointNumber(1)}),
              std::vector<int16_t>({254, 64, -1}));
    window->cmdAMRly->click(); // the run would copy node 255 (no selection): nothing is written
    EXPECT_TRUE(ChangedCells(before).empty());
    EXPECT_EQ(boxes.Count(), 0);

    // An unknown type leaves the frames as they were.
    SelectPoint(3);
    EXPECT_TRUE(window->frmSMap->isVisible());
    EXPECT_EQ(window->cboType->currentIndex(), -1);
    EXPECT_EQ(GetPointType(3), 12);
    window->cmdAMRly->click();
    EXPECT_TRUE(ChangedCells(before).empty());
}

TEST_F(OutOfRangeTest, MultiRelayTypeFromPoint051)
{
    // Shown while the type list already reads multi relay: no relay set, clicks ignored.
    SetPointType(0, 3);
    SetPointType(60, 3);
    SetRelayBit(0, 0, 0, true);
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
