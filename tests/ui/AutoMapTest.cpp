// The auto map runs: what they write, and the limits that refuse them.
#include "common/WindowFixture.h"
#include "image/PointRecord.h"

using namespace modLumentorMGW;

class AutoMapTest : public WindowFixture {
protected:
    // The selected point p as a single relay on/off on node index `node`, relay index r.
    void SingleRelay(int p, int node, int r)
    {
        SelectPoint(p);
        window->cboType->setCurrentIndex(1);
        window->cboSNode->setCurrentIndex(node);
        window->cboSRelay->setCurrentIndex(r);
    }

    // Presses `button` and expects exactly the one message, and no cell written.
    void ExpectRefused(QPushButton *button, const QString &text)
    {
        const auto before = ImageCopy();
        boxes.Clear();
        button->click();
        EXPECT_EQ(boxes.boxes, (Boxes{{text, 16, "Auto Map Error"}}));
        EXPECT_TRUE(ChangedCells(before).empty());
    }
};

TEST_F(AutoMapTest, RunsCountUpAndKeepTheOtherCells)
{
    SetPointType(34, 7);
    SingleRelay(30, 7, 20);
    window->cboAMRly->setCurrentIndex(2); // count 4: points 031 to 034
    window->cmdAMRly->click();
    EXPECT_EQ(GetPointType(34), 7);
    EXPECT_EQ(GetPointRelay(34), 0);
    EXPECT_EQ(window->cboPoint->currentIndex(), 30);

    // A group run over the same points keeps their node and relay cells.
    window->cboType->setCurrentIndex(6);
    window->cboLLGrp->setCurrentIndex(99);
    window->cboAMGrp->setCurrentIndex(2);
    window->cmdAMGrp->click();
    for (int j = 0; j < 4; ++j) {
        EXPECT_EQ(GetPointType(30 + j), 6);
        EXPECT_EQ(GetPointNumber(30 + j), 99 + j);
        EXPECT_EQ(GetPointNode(30 + j), 7);
        EXPECT_EQ(GetPointRelay(30 + j), 20 + j);
    }
    EXPECT_EQ(boxes.Count(), 0);
}

TEST_F(AutoMapTest, LimitsOnPointsAndNumbers)
{
    SingleRelay(748, 0, 62); // point 749, relay 63, count 2: fits exactly
    window->cmdAMRly->click();
    EXPECT_EQ(boxes.Count(), 0);
    EXPECT_EQ(GetPointRelay(749), 63);

    SingleRelay(749, 0, 0);
    ExpectRefused(window->cmdAMRly, "Auto Map Goes Beyond 750 Points");
    SingleRelay(10, 0, 63);
    ExpectRefused(window->cmdAMRly, "First Relay Plus Auto Map Count Exceeds 64");
    SingleRelay(749, 0, 63); // both fail: the point check wins
    ExpectRefused(window->cmdAMRly, "Auto Map Goes Beyond 750 Points");

    SelectPoint(20);
    window->cboType->setCurrentIndex(5);
    window->cboLLGrp->setCurrentIndex(255);
    ExpectRefused(window->cmdAMGrp, "First Group Plus Auto Map Count Exceeds 256");
    window->cboLLGrp->setCurrentIndex(254);
    window->cmdAMGrp->click();
    EXPECT_EQ(GetPointNumber(21), 255);

    window->cboType->setCurrentIndex(7);
    window->cboLLPrs->setCurrentIndex(255);
    ExpectRefused(window->cmdAMPrs, "First Preset Plus Auto Map Count Exceeds 256");
    window->cboAMPrs->setCurrentIndex(254); // count 256 from point 021 ends at 276
    window->cboLLPrs->setCurrentIndex(0);
    window->cmdAMPrs->click();
    EXPECT_EQ(GetPointType(275), 7);
    EXPECT_EQ(GetPointNumber(275), 255);
    EXPECT_EQ(GetPointType(276), 0);
}

TEST_F(AutoMapTest, LonWorksRunMayPassPoint350)
{
    window->optProtocol[1]->setChecked(true);
    SingleRelay(349, 2, 0);
    window->cboAMRly->setCurrentIndex(2); // count 4
    window->cmdAMRly->click();
    EXPECT_EQ(boxes.Count(), 0);
    for (int p = 349; p < 353; ++p)
        EXPECT_EQ(std::make_pair(GetPointType(p), GetPointRelay(p)), std::make_pair(int16_t(1), int16_t(p - 349)));
}
