// Undo and redo through the Edit menu: each kind of edit, an auto map run,
// the changed flag at and away from the saved point, and the commands that
// replace the image.
#include "common/WindowFixture.h"
#include "image/PointRecord.h"

using namespace modLumentorMGW;

using UndoTest = WindowFixture;

namespace {
// Storage index of cell (bank, address), as the map file orders them.
int cell(int bank, int address) { return bank + 2 * address; }
} // namespace

TEST_F(UndoTest, EachKindOfEditIsUndoneAndRedoneCellForCell)
{
    struct Case {
        const char *name;
        int16_t type, number;   // of the shown point before the edit, written without history
        int point;              // the point the operator is on
        int shown;              // the point undoing shows (-1: a setting, the point stays)
        std::function<void()> edit;
        QString undoText;
        std::vector<std::pair<int, int16_t>> after;   // storage index, value
    };
    frmLumentorMGW &w = *window;
    const auto pick = [](QComboBox *list, int index) { return [=] { list->setCurrentIndex(index); }; };
    const std::vector<Case> cases = {
        {"type", 0, 0, 11, 11, pick(w.cboType, 1), "Undo Point Type", {{cell(0, 44), 1}}},
        {"single node", 1, 0, 11, 11, pick(w.cboSNode, 9), "Undo Node", {{cell(0, 45), 9}}},
        {"single relay", 2, 0, 11, 11, pick(w.cboSRelay, 11), "Undo Relay", {{cell(0, 46), 11}}},
        {"group", 5, 0, 3, 3, pick(w.cboLLGrp, 99), "Undo Group", {{cell(0, 15), 99}}},
        {"preset", 7, 0, 3, 3, pick(w.cboLLPrs, 255), "Undo Preset", {{cell(0, 15), 255}}},
        {"input node", 8, 0, 3, 3, pick(w.cboINode, 253), "Undo Node", {{cell(0, 13), 253}}},
        {"device", 9, 0, 3, 3, pick(w.cboIDev, 63), "Undo Device", {{cell(0, 14), 63}}},
        {"input", 8, 0, 3, 3, pick(w.cboIInp, 7), "Undo Input", {{cell(0, 15), 7}}},
        {"resend", 0, 0, 0, -1, [&] { w.chkResend->setChecked(true); }, "Undo Command Resend", {{cell(0, 4096), 1}}},
        {"timeout", 0, 0, 0, -1, pick(w.cboTimeout, 2), "Undo Timeout", {{cell(0, 4097), 2}}},
        {"relay grid", 3, 0, 0, 0,
         [&] {
             w.cboMNode->setCurrentIndex(1);   // the second node's relays are in bank 1
             Click(w.lblMInc[5]);
         },
         "Undo Relay Grid", {{cell(1, 8), 32}}},
        // Showing an input point stores its input reduced modulo 8; undoing shows
        // the point again, and that redraw's store is taken back.
        {"input reduced when shown", 8, 12, 39, 40, pick(w.cboPoint, 40), "Undo Point Choice", {{cell(0, 163), 4}}},
        // Picking a point whose file gave it a multi relay type past 050 stores "Unused".
        {"refused type", 3, 0, 59, 60, pick(w.cboPoint, 60), "Undo Point Choice", {{cell(0, 240), 0}}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ClearImage();
        SetPointType(int16_t(std::max(c.shown, 0)), c.type);
        SetPointNumber(int16_t(std::max(c.shown, 0)), c.number);
        SelectPoint(c.point);
        window->ImageReplaced();   // the set-up is where the history starts
        const auto before = ImageCopy();

        c.edit();
        auto after = before;
        for (const auto &[i, value] : c.after)
            after[i] = value;
        EXPECT_EQ(ImageCopy(), after);
        EXPECT_EQ(window->mnuEditUndo->text(), c.undoText);

        SelectPoint(700);   // elsewhere: undoing goes back to the point
        window->mnuEditUndo->trigger();
        EXPECT_EQ(ImageCopy(), before);
        EXPECT_EQ(window->cboPoint->currentIndex(), c.shown < 0 ? 700 : c.shown);
        EXPECT_FALSE(window->mnuEditUndo->isEnabled());
        EXPECT_EQ(window->mnuEditRedo->text(), QString(c.undoText).replace("Undo", "Redo"));

        window->mnuEditRedo->trigger();
        EXPECT_EQ(ImageCopy(), after);
    }
    // The refused type is refused again when undoing shows it, and still restored.
    EXPECT_EQ(boxes.Count(), 2);
}

TEST_F(UndoTest, AnAutoMapRunIsOneStepAndTheViewShowsWhatUndoRestored)
{
    SelectPoint(0);
    window->cboType->setCurrentIndex(5);
    window->cboLLGrp->setCurrentIndex(0);
    const auto mapped = ImageCopy();
    window->cboAMGrp->setCurrentIndex(254); // 256 points, groups 001 to 256
    window->cmdAMGrp->click();
    const auto run = ImageCopy();
    EXPECT_EQ(ChangedCells(mapped).size(), 2u * 255);
    EXPECT_EQ(window->mnuEditUndo->text(), "Undo Auto Map");

    window->mnuEditUndo->trigger();
    EXPECT_EQ(ImageCopy(), mapped);
    EXPECT_EQ(window->mnuEditUndo->text(), "Undo Point Type");

    SelectPoint(700);
    window->mnuEditRedo->trigger();
    EXPECT_EQ(ImageCopy(), run);
    // The run left point 001 as it was: the first point it changed is shown.
    EXPECT_EQ(window->cboPoint->currentText(), "Point: 002");
    EXPECT_EQ(window->cboLLGrp->currentText(), "Lumentor Group: 002");
}

// Only the saved point matches the file: the changed flag, and the close
// box, follow it. New and Open start the history afresh.
TEST_F(UndoTest, TheChangedFlagFollowsTheSavedPointAndNewAndOpenClearTheHistory)
{
    const QString path = home.filePath("plant.MGW");
    window->chkResend->setChecked(true);
    window->cboTimeout->setCurrentIndex(1);
    replies.push_back(path);
    window->mnuFileSave->trigger();
    window->mnuEditUndo->trigger();
    EXPECT_TRUE(Dirty);
    window->mnuEditRedo->trigger();
    EXPECT_FALSE(Dirty);
    window->mnuEditUndo->trigger();
    window->mnuEditUndo->trigger();
    boxes.Answer(vbNo);
    window->close();
    EXPECT_EQ(boxes.Count(), 1);
    EXPECT_EQ(boxes.Last().text, "Discard Any Changes?");
    EXPECT_TRUE(window->isVisible());

    boxes.Answer(vbYes);
    window->mnuFileNew->trigger();
    EXPECT_FALSE(window->mnuEditUndo->isEnabled() || window->mnuEditRedo->isEnabled());
    window->cboTimeout->setCurrentIndex(2);
    boxes.Answer(vbYes);
    replies.push_back(path);
    window->mnuFileOpen->trigger();
    EXPECT_EQ(ConfigImage[2 * 4097], 1);
    EXPECT_FALSE(window->mnuEditUndo->isEnabled());

    // A thousand steps back to the file as opened; closing then asks nothing.
    for (int i = 0; i < 1000; ++i)
        window->cboTimeout->setCurrentIndex(i % 2 == 0 ? 2 : 1);
    for (int i = 0; i < 1000; ++i)
        window->mnuEditUndo->trigger();
    EXPECT_EQ(ConfigImage[2 * 4097], 1);
    EXPECT_FALSE(window->mnuEditUndo->isEnabled());
    boxes.Clear();
    window->close();
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_FALSE(window->isVisible());
}
