// Undo and redo through the Edit menu: what each kind of edit stores and
// takes back, the changed flag at and away from the saved point, and the
// commands that replace the image (an auto map run: AutoMapTest.cpp).
#include "common/WindowFixture.h"
#include "image/PointRecord.h"

using namespace modLumentorMGW;

using UndoTest = WindowFixture;

// Each editing control stores its one cell (point 003's record is at bank
// 0, addresses 8 to 11), marks the image changed so that closing asks, and is
// one step of the history that undo and redo take back and forth.
TEST_F(UndoTest, EveryControlStoresItsCellAsOneStepUndoneAndRedone)
{
    struct Case {
        int point;              // the point the operator is on
        int shown;              // the point undoing shows (-1: a setting, the point stays)
        int16_t type, number;   // of the shown point before the edit, written without history
        std::function<void()> edit;
        int bank, address, value;   // the one cell the edit writes
        QString undoText;
    };
    frmLumentorMGW &w = *window;
    const auto pick = [](QComboBox *list, int index) { return [=] { list->setCurrentIndex(index); }; };
    const std::vector<Case> cases = {
        {2, 2, 0, 0, pick(w.cboType, 6), 0, 8, 6, "Undo Point Type"},
        {2, 2, 1, 0, pick(w.cboSNode, 9), 0, 9, 9, "Undo Node"},
        {2, 2, 2, 0, pick(w.cboSRelay, 63), 0, 10, 63, "Undo Relay"},
        {2, 2, 5, 0, pick(w.cboLLGrp, 255), 0, 11, 255, "Undo Group"},
        {2, 2, 7, 0, pick(w.cboLLPrs, 4), 0, 11, 4, "Undo Preset"},
        {2, 2, 8, 0, pick(w.cboINode, 253), 0, 9, 253, "Undo Node"},
        {2, 2, 9, 0, pick(w.cboIDev, 12), 0, 10, 12, "Undo Device"},
        {2, 2, 8, 0, pick(w.cboIInp, 6), 0, 11, 6, "Undo Input"},
        {2, -1, 0, 0, [&] { w.chkResend->setChecked(true); }, 0, 4096, 1, "Undo Command Resend"},
        {2, -1, 0, 0, pick(w.cboTimeout, 2), 0, 4097, 2, "Undo Timeout"},
        // Relay 06 of node 02: bank 1 from 2048 x 2, 8 cells a node. The node list changes nothing.
        {2, 2, 3, 0, [&] { w.cboMNode->setCurrentIndex(1); Click(w.lblMInc[5]); }, 1, 4096 + 8, 1 << 5,
         "Undo Relay Grid"},
        // Showing an input point stores its input reduced modulo 8, and picking a
        // point whose file gave it a multi relay type past 050 stores "Unused"
        // (refused, and refused again when undoing shows it): undoing shows the
        // point again, and that redraw's store is taken back.
        {39, 40, 8, 12, pick(w.cboPoint, 40), 0, 163, 4, "Undo Point Choice"},
        {59, 60, 3, 0, pick(w.cboPoint, 60), 0, 240, 0, "Undo Point Choice"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.undoText.toStdString() + " on " + std::to_string(c.point));
        ClearImage();
        const int16_t stored = int16_t(c.shown < 0 ? c.point : c.shown);
        SetPointType(stored, c.type);
        SetPointNumber(stored, c.number);
        SelectPoint(c.point);
        w.ShowData();
        Dirty = false;
        w.ImageReplaced();   // the set-up is where the history starts
        boxes.Clear();
        const auto before = ImageCopy();
        c.edit();
        const auto after = ImageCopy();
        EXPECT_EQ(ChangedCells(before), std::vector<int>{c.bank + 2 * c.address});
        EXPECT_EQ(ImageGet(int16_t(c.bank), c.address), c.value);
        EXPECT_EQ(w.mnuEditUndo->text(), c.undoText);
        boxes.Answer(vbNo);
        EXPECT_FALSE(w.close());   // asked, and No keeps the window

        SelectPoint(700);   // elsewhere: undoing goes back to the point
        w.mnuEditUndo->trigger();
        EXPECT_EQ(ImageCopy(), before);
        EXPECT_EQ(w.cboPoint->currentIndex(), c.shown < 0 ? 700 : c.shown);
        EXPECT_FALSE(w.mnuEditUndo->isEnabled());
        EXPECT_EQ(w.mnuEditRedo->text(), QString(c.undoText).replace("Undo", "Redo"));
        w.mnuEditRedo->trigger();
        EXPECT_EQ(ImageCopy(), after);
        EXPECT_EQ(boxes.Count(), c.point == 59 ? 3 : 1);
    }
}

// Only the saved point matches the file: the changed flag, and the question
// before Exit, follow it. New and Open start the history afresh.
TEST_F(UndoTest, TheChangedFlagFollowsTheSavedPointAndNewAndOpenClearTheHistory)
{
    window->cboTimeout->setCurrentIndex(1);
    replies = {home.filePath("plant.MGW"), home.filePath("plant.MGW")};   // Save, then Open
    window->mnuFileSave->trigger();
    window->mnuEditUndo->trigger();
    EXPECT_TRUE(Dirty);
    window->mnuEditRedo->trigger();
    EXPECT_FALSE(Dirty);
    window->mnuEditUndo->trigger();
    boxes.Answer(vbNo);
    window->mnuExit->trigger();
    EXPECT_TRUE(window->isVisible());

    boxes.Answer(vbYes);
    window->mnuFileNew->trigger();
    EXPECT_FALSE(window->mnuEditUndo->isEnabled() || window->mnuEditRedo->isEnabled());
    window->cboTimeout->setCurrentIndex(2);
    boxes.Answer(vbYes);
    window->mnuFileOpen->trigger();
    EXPECT_EQ(ConfigImage[2 * 4097], 1);
    EXPECT_EQ(window->cboTimeout->currentText(), "Timeout: Extended 1");
    EXPECT_FALSE(window->mnuEditUndo->isEnabled());

    // A thousand steps back to the file as opened.
    for (int i = 0; i < 1000; ++i)
        window->cboTimeout->setCurrentIndex(i % 2 == 0 ? 2 : 1);
    for (int i = 0; i < 1000; ++i)
        window->mnuEditUndo->trigger();
    EXPECT_FALSE(Dirty || window->mnuEditUndo->isEnabled());
    // Exit asks once, and the close that follows asks no more.
    window->cboTimeout->setCurrentIndex(2);
    boxes.Clear();
    boxes.Answer(vbYes);
    window->mnuExit->trigger();
    EXPECT_EQ(boxes.boxes, (Boxes{{"Discard Any Changes?", 36, "Arvane Lumentor"}}));
    EXPECT_FALSE(window->isVisible());
}
