// The point overview: its rows for every type and for odd values, the live
// refresh after each kind of change, the filter, the sort and the copy, the
// jump to a point, and its place kept between runs.
#include "common/WindowFixture.h"
#include "image/PointRecord.h"
#include "ui/overview/PointOverview.h"
#include "ui/overview/PointOverviewModel.h"
#include "ui/window/TransferLock.h"
#include "ui/window/WindowSystem.h"

using namespace modLumentorMGW;

class OverviewTest : public WindowFixture {
protected:
    PointOverview &Open()
    {
        window->mnuEditOverview->trigger();
        return *window->Overview;
    }

    // Points 001 to 014 of every type and with cells no list offers, and a
    // multi relay type on point 061, stored as a file could hold them.
    static void Plant()
    {
        for (int r : {0, 1, 4})
            SetRelayBit(0, 0, int16_t(r), true);
        SetRelayBit(0, 9, 63, true);
        SetRelayBit(0, 254, 0, true);   // a slot the node lists do not offer
        const int16_t records[][4] = {{3, 0, 0, 0},  {1, 4, 11, 0}, {2, 253, 63, 9}, {4, 0, 0, 0},  {5, 0, 0, 11},
                                      {6, 0, 0, 255}, {7, 0, 0, 2},  {8, 9, 9, 2},    {9, 0, 63, 7},  {0, 5, 5, 5},
                                      {12, 0, 0, 0}, {1, 254, 64, 0}, {8, 0, 0, 12},  {5, 0, 0, -1}};
        for (int p = 0; p < 14; ++p) {
            for (int field = 0; field < 4; ++field)   // type, node, relay, number at address 4p on
                ImageSet(0, 4 * p + field, records[p][field]);
        }
        ImageSet(0, 4 * 60, 4);
    }

    // Row p of the model as shown: every column's text, "!" after a marked one.
    QStringList Row(int p)
    {
        QCoreApplication::processEvents();   // live updates arrive once the event is over
        const PointOverviewModel &model = *window->Overview->Model();
        QStringList out;
        for (int c = 0; c < model.columnCount(); ++c) {
            const QModelIndex at = model.index(p, c);
            out << at.data().toString() + (at.data(Qt::ToolTipRole).isNull() ? "" : "!");
        }
        return out;
    }

    // Point numbers of the rows shown, top to bottom.
    QStringList Shown()
    {
        QCoreApplication::processEvents();
        const QAbstractItemModel &view = *window->Overview->View()->model();
        QStringList out;
        for (int r = 0; r < view.rowCount(); ++r)
            out << view.index(r, 0).data().toString();
        return out;
    }
};

TEST_F(OverviewTest, RowsShowEveryTypeAndMarkOddValuesAsStored)
{
    Plant();
    Open();
    const std::vector<QStringList> expected = {
        {"001", "Multi Relay On/Off (Points 001-050 Only)", "", "", "", "", "", "", "5", "01 0A FF!"},
        {"002", "Single Relay On/Off", "05", "12", "", "", "", "", "", ""},
        {"003", "Single Relay On/Timer Off", "FE", "64", "", "", "", "", "", ""},
        {"004", "Multi Relay On/Timer Off (Points 001-050 Only)", "", "", "", "", "", "", "0", ""},
        {"005", "Lumentor Group On/Off", "", "", "", "", "12", "", "", ""},
        {"006", "Lumentor Group On/Timer Off", "", "", "", "", "256", "", "", ""},
        {"007", "Lumentor Preset", "", "", "", "", "", "3", "", ""},
        {"008", "Tessaline On Input - Maintained", "0A", "", "0A", "3", "", "", "", ""},
        {"009", "Tessaline Off Input - Maintained", "01", "", "40", "8", "", "", "", ""},
        {"010", "Unused", "", "", "", "", "", "", "", ""},
        {"011", "12!", "", "", "", "", "", "", "", ""},
        {"012", "Single Relay On/Off", "FF!", "65!", "", "", "", "", "", ""},
        {"013", "Tessaline On Input - Maintained", "01", "", "01", "13!", "", "", "", ""},
        {"014", "Lumentor Group On/Off", "", "", "", "", "0!", "", "", ""},
    };
    for (int p = 0; p < int(expected.size()); ++p)
        EXPECT_EQ(Row(p), expected[p]) << "point " << p + 1;
    EXPECT_EQ(Row(60).mid(0, 2), QStringList({"061", "Multi Relay On/Timer Off (Points 001-050 Only)!"}));
    EXPECT_EQ(window->Overview->windowTitle(), "Point Overview");
}

// Edits, undo, an auto map run and the relay grid through the image; New,
// Open and the protocol through a reread.
TEST_F(OverviewTest, FollowsEveryKindOfChangeLive)
{
    Open();
    SelectPoint(4);
    window->cboType->setCurrentIndex(1);
    window->cboAMRly->setCurrentIndex(3);
    window->cmdAMRly->click();
    EXPECT_EQ(Row(8).mid(0, 4), QStringList({"009", "Single Relay On/Off", "01", "5"}));
    window->mnuEditUndo->trigger();
    EXPECT_EQ(Row(8).mid(0, 2), QStringList({"009", "Unused"}));

    SelectPoint(0);
    window->cboType->setCurrentIndex(3);
    EXPECT_EQ(Row(0)[PointRow::Relays], "0");
    Click(window->lblMInc[2]);   // a bank 1 cell alone
    const QStringList multi = {"001", "Multi Relay On/Off (Points 001-050 Only)", "", "", "", "", "", "", "1", "01"};
    EXPECT_EQ(Row(0), multi);
    replies = {home.filePath("plant.MGW"), home.filePath("plant.MGW")};   // Save, then Open
    window->mnuFileSave->trigger();
    window->mnuFileNew->trigger();
    EXPECT_EQ(Row(0).mid(0, 2), QStringList({"001", "Unused"}));
    window->mnuFileOpen->trigger();
    EXPECT_EQ(Row(0), multi);
    window->optProtocol[1]->click();
    EXPECT_EQ(Shown().size(), 350);
}

// Filter, jump to a point (through the point list, not while a transfer
// holds it), sort, and copy in the listing's line form.
TEST_F(OverviewTest, FiltersJumpsSortsAndCopies)
{
    Plant();
    PointOverview &overview = Open();
    QTableView &view = *overview.View();
    const auto choose = [&](int row) {
        view.setCurrentIndex(view.model()->index(row, 0));
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(&view, &enter);
    };
    overview.MappedOnly()->setChecked(true);
    EXPECT_EQ(Shown().size(), 14);   // all but 010 of the points planted
    overview.FilterText()->setText("Node: 0A");   // relays on node 0A count too
    EXPECT_EQ(Shown(), QStringList({"001", "008"}));
    overview.FilterText()->setText("group 12");
    EXPECT_EQ(Shown(), QStringList({"005"}));
    {
        TransferLock lock(*window);
        choose(0);
    }
    EXPECT_EQ(window->cboPoint->currentText(), "Point: 001");
    choose(0);
    EXPECT_EQ(window->cboPoint->currentText(), "Point: 005");
    EXPECT_EQ(window->cboLLGrp->currentText(), "Lumentor Group: 012");   // shown as if picked in the list

    overview.FilterText()->setText("Tessaline");
    view.sortByColumn(PointRow::Input, Qt::DescendingOrder);   // by number: 13 before 8
    view.selectAll();
    view.setFocus();
    QKeyEvent copy(QEvent::KeyPress, Qt::Key_C, Qt::ControlModifier);
    QApplication::sendEvent(&view, &copy);
    EXPECT_EQ(QApplication::clipboard()->text(), "Point,13,TL On Input,Node,01,Device,01,Input,13\n"
                                                 "Point,9,TL Off Input,Node,01,Device,40,Input,8\n"
                                                 "Point,8,TL On Input,Node,0A,Device,0A,Input,3\n");
}

TEST_F(OverviewTest, PlaceAndColumnWidthsAreKeptBetweenRuns)
{
    window->move(0, 0);
    PointOverview *overview = &Open();
    // The first time it opens beside the main window, on the side with room.
    EXPECT_GT(overview->x(), window->frameGeometry().right());
    EXPECT_LE(overview->frameGeometry().right(), overview->screen()->availableGeometry().right());
    overview->setGeometry(40, 50, 700, 420);
    overview->View()->horizontalHeader()->resizeSection(PointRow::Action, 333);
    window->close();   // the program ends with the overview open

    window = std::make_unique<frmLumentorMGW>();   // the next run
    overview = &Open();
    EXPECT_EQ(overview->geometry(), QRect(40, 50, 700, 420));
    EXPECT_EQ(overview->View()->horizontalHeader()->sectionSize(PointRow::Action), 333);
    EXPECT_EQ(overview->windowHandle()->transientParent(), window->windowHandle());   // kept above the window

    // Where the compositor places windows (Wayland): the size is kept, the
    // position is neither restored nor saved over the one above, and the
    // overview is not held above the main window.
    OverridePlacesWindows(false);
    for (int run = 0; run < 2; ++run) {
        window = std::make_unique<frmLumentorMGW>();
        window->show();
        overview = &Open();
        EXPECT_EQ(overview->size(), run == 0 ? QSize(620, window->height()) : QSize(500, 300));
        EXPECT_EQ(overview->windowHandle()->transientParent(), nullptr);
        overview->setGeometry(300, -60, 500, 300);
        window->close();
    }
    OverridePlacesWindows(std::nullopt);
    window = std::make_unique<frmLumentorMGW>();
    EXPECT_EQ(Open().geometry(), QRect(40, 50, 700, 420));
}
