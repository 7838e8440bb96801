// Undo and redo through the Edit menu: each kind of edit, an auto map run,
// the changed flag at and away from the saved point, and the commands that
// replace the image.
#include "common/WindowFixture.h"
#include "image/PointRecord.h"

using namespace modLumentorMGW;

using UndoTest = WindowFixture;

TEST_F(UndoTest, EachKindOfEditIsUndoneAndRedoneCellForCell)
{
    struct Case {
        int16_t type, number;   // of the shown point before the edit, written without history
        int point;              // the point the operator is on
        int shown;              // the point undoing shows (-1: a setting, the point stays)
        std::function<void()> edit;
        QString undoText;
    };
    frmLumentorMGW &w = *window;
    const auto pick = [](QComboBox *list, int index) { return [=] { list->setCurrentIndex(index); }; };
    const std::vector<Case> cases = {
        {0, 0, 11, 11, pick(w.cboType, 1), "Undo Point Type"},
        {1, 0, 11, 11, pick(w.cboSNode, 9), "Undo Node"},
        {2, 0, 11, 11, pick(w.cboSRelay, 11), "Undo Relay"},
        {5, 0, 3, 3, pick(w.cboLLGrp, 99), "Undo Group"},
        {7, 0, 3, 3, pick(w.cboLLPrs, 255), "Undo Preset"},
        {8, 0, 3, 3, pick(w.cboINode, 253), "Undo Node"},
        {9, 0, 3, 3, pick(w.cboIDev, 63), "Undo Device"},
        {8, 0, 3, 3, pick(w.cboIInp, 7), "Undo Input"},
        {0, 0, 0, -1, [&] { w.chkResend->setChecked(true); }, "Undo Command Resend"},
        {0, 0, 0, -1, pick(w.cboTimeout, 2), "Undo Timeout"},
        {3, 0, 0, 0,
         [&] {
             w.cboMNode->setCurrentIndex(1);   // the second node's relays are in bank 1
             Click(w.lblMInc[5]);
         },
         "Undo Relay Grid"},
        // Showing an input point stores its input reduced modulo 8, and picking a
        // point whose file gave it a multi relay type past 050 stores "Unused":
        // undoing shows the point again, and that redraw's store is taken back.
        {8, 12, 39, 40, pick(w.cboPoint, 40), "Undo Point Choice"},
        {3, 0, 59, 60, pick(w.cboPoint, 60), "Undo Point Choice"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.undoText.toStdString() + " on " + std::to_string(c.point));
        ClearImage();
        SetPointType(int16_t(std::max(c.shown, 0)), c.type);
        SetPointNumber(int16_t(std::max(c.shown, 0)), c.number);
        SelectPoint(c.point);
        w.ImageReplaced();   // the set-up is where the history starts
        const auto before = ImageCopy();
        c.edit();
        const auto after = ImageCopy();
        EXPECT_EQ(w.mnuEditUndo->text(), c.undoText);

        SelectPoint(700);   // elsewhere: undoing goes back to the point
        w.mnuEditUndo->trigger();
        EXPECT_EQ(ImageCopy(), before);
        EXPECT_EQ(w.cboPoint->currentIndex(), c.shown < 0 ? 700 : c.shown);
        EXPECT_FALSE(w.mnuEditUndo->isEnabled());
        EXPECT_EQ(w.mnuEditRedo->text(), QString(c.undoText).replace("Undo", "Redo"));
        w.mnuEditRedo->trigger();
        EXPECT_EQ(ImageCopy(), after);
    }
    // The refused type is refused again when undoing shows it, and still restored.
    EXPECT_EQ(boxes.Count(), 2);
}

TEST_F(UndoTest, AnAutoMapRunIsOneStepAndTheViewShowsWhatUndoRestored)
{
    window->cboType->setCurrentIndex(5);
    const auto mapped = ImageCopy();
    window->cboAMGrp->setCurrentIndex(254);   // 256 points, groups 001 to 256
    window->cmdAMGrp->click();
    const auto run = ImageCopy();
    EXPECT_EQ(ChangedCells(mapped).size(), 2u * 255);
    EXPECT_EQ(window->mnuEditUndo->text(), "Undo Auto Map");
    window->mnuEditUndo->trigger();
    EXPECT_EQ(ImageCopy(), mapped);

    SelectPoint(700);
    window->mnuEditRedo->trigger();
    EXPECT_EQ(ImageCopy(), run);
    // The run left point 001 as it was: the first point it changed is shown.
    EXPECT_EQ(window->cboPoint->currentText(), "Point: 002");
    EXPECT_EQ(window->cboLLGrp->currentText(), "Lumentor Group: 002");
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
