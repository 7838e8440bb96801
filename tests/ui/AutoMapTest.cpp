// The auto map runs: what they write, the limits that refuse them, and a
// run as one step of the history.
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

    // Presses `button`: exactly the one message (none for ""), and no cell written when refused.
    void Press(QPushButton *button, const QString &refusal = {})
    {
        const auto before = ImageCopy();
        boxes.Clear();
        button->click();
        EXPECT_EQ(boxes.boxes, (refusal.isEmpty() ? Boxes() : Boxes{{refusal, 16, "Auto Map Error"}}));
        EXPECT_TRUE(refusal.isEmpty() || ChangedCells(before).empty());
    }
};

// Runs within their limits; then, on LonWorks, a relay run and a group run
// over the same points that keeps their node and relay cells and may pass
// point 350.
TEST_F(AutoMapTest, RunsCountUpWithinTheirLimitsAndKeepTheOtherCells)
{
    SingleRelay(748, 0, 62); // point 749, relay 63, count 2: fits exactly
    Press(window->cmdAMRly);
    EXPECT_EQ(GetPointRelay(749), 63);

    SingleRelay(749, 0, 0);
    Press(window->cmdAMRly, "Auto Map Goes Beyond 750 Points");
    SingleRelay(10, 0, 63);
    Press(window->cmdAMRly, "First Relay Plus Auto Map Count Exceeds 64");
    SingleRelay(749, 0, 63); // both fail: the point check wins
    Press(window->cmdAMRly, "Auto Map Goes Beyond 750 Points");

    SelectPoint(20);
    window->cboType->setCurrentIndex(5);
    window->cboLLGrp->setCurrentIndex(255);
    Press(window->cmdAMGrp, "First Group Plus Auto Map Count Exceeds 256");
    window->cboLLGrp->setCurrentIndex(254);
    const auto before = ImageCopy();
    Press(window->cmdAMGrp);
    EXPECT_EQ(GetPointNumber(21), 255);
    // The run is one step; redone elsewhere, the first point it changed is shown.
    const auto grouped = ImageCopy();
    EXPECT_EQ(window->mnuEditUndo->text(), "Undo Auto Map");
    window->mnuEditUndo->trigger();
    EXPECT_EQ(ImageCopy(), before);
    SelectPoint(700);
    window->mnuEditRedo->trigger();
    EXPECT_EQ(ImageCopy(), grouped);
    EXPECT_EQ(window->cboPoint->currentText(), "Point: 022");
    EXPECT_EQ(window->cboLLGrp->currentText(), "Lumentor Group: 256");
    SelectPoint(20);

    window->cboType->setCurrentIndex(7);
    window->cboLLPrs->setCurrentIndex(255);
    Press(window->cmdAMPrs, "First Preset Plus Auto Map Count Exceeds 256");
    window->cboLLPrs->setCurrentIndex(254);
    Press(window->cmdAMPrs);
    EXPECT_EQ(GetPointType(21), 7);
    EXPECT_EQ(GetPointNumber(21), 255);

    window->optProtocol[1]->setChecked(true);
    SingleRelay(348, 7, 20);
    window->cboAMRly->setCurrentIndex(2); // count 4: points 349 to 352
    Press(window->cmdAMRly);
    window->cboType->setCurrentIndex(6);
    window->cboLLGrp->setCurrentIndex(99);
    window->cboAMGrp->setCurrentIndex(2);
    Press(window->cmdAMGrp);
    std::vector<std::array<int, 4>> run; // type, group, node, relay of points 349 to 353
    for (int p = 348; p <= 352; ++p)
        run.push_back({GetPointType(p), GetPointNumber(p), GetPointNode(p), GetPointRelay(p)});
    EXPECT_EQ(run, (std::vector<std::array<int, 4>>{{6, 99, 7, 20}, {6, 100, 7, 21}, {6, 101, 7, 22}, {6, 102, 7, 23},
                                                   {0, 0, 0, 0}}));
}
