// The protocol choice, the close box and Exit.
#include "common/WindowFixture.h"
#include "image/PointRecord.h"

using namespace modLumentorMGW;

using CloseTest = WindowFixture;

namespace {
const RecordedBox Discard{"Discard Any Changes?", 36, "Arvane Lumentor"};
}

TEST_F(CloseTest, ProtocolRebuildsThePointListAndRaisesOneEvent)
{
    SetPointType(500, 5);
    SelectPoint(200);
    const auto before = ImageCopy();
    std::vector<int> events;
    QObject::connect(window->cboPoint, &QComboBox::currentIndexChanged, [&](int i) { events.push_back(i); });

    window->optProtocol[1]->setChecked(true);
    EXPECT_EQ(window->cboPoint->count(), 350);
    EXPECT_EQ(window->cboPoint->itemText(349), "Point: 350");
    EXPECT_EQ(events, std::vector<int>{0}); // the selection, nothing for the clear or the fill
    window->optProtocol[0]->setChecked(true);
    EXPECT_EQ(window->cboPoint->count(), 750);
    EXPECT_EQ(window->cboPoint->currentText(), "Point: 001");
    EXPECT_EQ(events, (std::vector<int>{0, 0}));
    EXPECT_TRUE(ChangedCells(before).empty());
}

TEST_F(CloseTest, CloseBoxAsksOnlyWhileDirty)
{
    EXPECT_TRUE(window->close());
    EXPECT_EQ(boxes.Count(), 0);

    window->show();
    window->cboType->setCurrentIndex(2);
    const auto before = ImageCopy();
    boxes.Answer(vbNo);
    EXPECT_FALSE(window->close());
    EXPECT_EQ(boxes.boxes, Boxes{Discard});
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(Dirty);
    EXPECT_TRUE(ChangedCells(before).empty());

    boxes.Answer(vbYes);
    EXPECT_TRUE(window->close());
    EXPECT_EQ(boxes.Count(), 2);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(CloseTest, ExitAsksExactlyOnce)
{
    window->chkResend->setChecked(true);
    boxes.Answer(vbNo);
    window->mnuExit->trigger();
    EXPECT_EQ(boxes.Count(), 1);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(Dirty);

    boxes.Answer(vbYes);
    window->mnuExit->trigger();
    EXPECT_EQ(boxes.boxes, (Boxes{Discard, Discard}));
    EXPECT_FALSE(window->isVisible());

    // Nothing changed: no question at all.
    window = std::make_unique<frmLumentorMGW>();
    window->show();
    window->mnuExit->trigger();
    EXPECT_EQ(boxes.Count(), 2);
    EXPECT_FALSE(window->isVisible());
}
