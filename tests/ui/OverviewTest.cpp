// The point overview: its rows for every type and for odd values, the live
// refresh after each kind of change, the filter, the sort and the copy, the
// jump to a point, and its place kept between runs.
#include "common/WindowFixture.h"
#include "image/PointRecord.h"
#include "ui/PointOverview.h"
#include "ui/PointOverviewModel.h"
#include "ui/TransferLock.h"

#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScreen>
#include <QTableView>

using namespace modLumentorMGW;

class OverviewTest : public WindowFixture {
protected:
    PointOverview &Open()
    {
        window->mnuEditOverview->trigger();
        return *window->Overview;
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
    SetPointType(0, 3);
    for (int r : {0, 1, 4})
        SetRelayBit(0, 0, int16_t(r), true);
    SetRelayBit(0, 9, 63, true);
    SetRelayBit(0, 254, 0, true);   // a slot the node lists do not offer
    const int16_t records[][4] = {{1, 4, 11, 0}, {2, 253, 63, 9}, {4, 0, 0, 0},  {5, 0, 0, 11},
                                  {6, 0, 0, 255}, {7, 0, 0, 2},  {8, 9, 9, 2},  {9, 0, 63, 7},
                                  {0, 5, 5, 5},   {12, 0, 0, 0}, {1, 254, 64, 0}, {8, 0, 0, 12},
                                  {5, 0, 0, -1}};
    for (int i = 0; i < 13; ++i) {
        SetPointType(int16_t(i + 1), records[i][0]);
        SetPointNode(int16_t(i + 1), records[i][1]);
        SetPointRelay(int16_t(i + 1), records[i][2]);
        SetPointNumber(int16_t(i + 1), records[i][3]);
    }
    SetPointType(60, 4);
    const auto image = ImageCopy();
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
    EXPECT_EQ(ImageCopy(), image);   // reading is all it does
}

TEST_F(OverviewTest, FollowsEveryKindOfChangeLive)
{
    Open();
    const QString path = home.filePath("plant.MGW");
    struct Step {
        const char *change;
        std::function<void()> make;
        int point;
        QStringList row;   // the first four columns of the point's row
    };
    const auto pick = [](QComboBox *list, int index) { return [=] { list->setCurrentIndex(index); }; };
    const auto trigger = [](QAction *command) { return [=] { command->trigger(); }; };
    const QStringList single = {"005", "Single Relay On/Off", "01"};
    const QStringList multi = {"001", "Multi Relay On/Off (Points 001-050 Only)", "", ""};
    replies = {path, path};   // Save, then Open
    boxes.Answer(vbYes);
    const std::vector<Step> steps = {
        {"point chosen", pick(window->cboPoint, 4), 4, {"005", "Unused", "", ""}},
        {"edit", pick(window->cboType, 1), 4, single + QStringList{"1"}},
        {"edit of a field", pick(window->cboSRelay, 6), 4, single + QStringList{"7"}},
        {"undo", trigger(window->mnuEditUndo), 4, single + QStringList{"1"}},
        {"auto map count", pick(window->cboAMRly, 3), 4, single + QStringList{"1"}},
        {"auto map", [&] { window->cmdAMRly->click(); }, 8, {"009", "Single Relay On/Off", "01", "5"}},
        {"point 001", pick(window->cboPoint, 0), 0, {"001", "Unused", "", ""}},
        {"multi relay", pick(window->cboType, 3), 0, multi},
        {"relay grid", [&] { Click(window->lblMInc[2]); }, 0, multi},
        {"save", trigger(window->mnuFileSave), 8, {"009", "Single Relay On/Off", "01", "5"}},
        {"New", trigger(window->mnuFileNew), 8, {"009", "Unused", "", ""}},
        {"Open", trigger(window->mnuFileOpen), 8, {"009", "Single Relay On/Off", "01", "5"}},
    };
    for (const Step &s : steps) {
        SCOPED_TRACE(s.change);
        s.make();
        EXPECT_EQ(Row(s.point).mid(0, 4), s.row);
    }
    EXPECT_EQ(Row(0).mid(8), QStringList({"1", "01"}));

    window->optProtocol[1]->click();
    EXPECT_EQ(Shown().size(), 350);
    EXPECT_EQ(Shown().last(), "350");
    window->optProtocol[0]->click();
    EXPECT_EQ(Shown().size(), 750);
}

// Filter, jump to a point (through the point list, not while a transfer
// holds it), sort, and copy in the listing's line form.
TEST_F(OverviewTest, FiltersJumpsSortsAndCopies)
{
    SetPointType(1, 1);
    SetPointNode(1, 4);
    SetPointRelay(1, 11);
    SetPointType(4, 5);
    SetPointNumber(4, 11);
    SetPointType(7, 8);
    SetPointNode(7, 4);
    SetPointType(20, 5);
    SetPointNumber(20, 119);
    SetPointType(2, 3);
    SetRelayBit(2, 4, 0, true);
    const auto image = ImageCopy();
    PointOverview &overview = Open();
    QTableView &view = *overview.View();

    const std::vector<std::pair<QString, QStringList>> filters = {
        {"Node: 05", {"002", "003", "008"}},
        {"group 12", {"005", "021"}},
        {"Tessaline", {"008"}},
        {"nothing like it", {}},
        {"GROUP: 120", {"021"}},
    };
    overview.MappedOnly()->setChecked(true);
    EXPECT_EQ(Shown(), QStringList({"002", "003", "005", "008", "021"}));
    for (const auto &[text, points] : filters) {
        overview.FilterText()->setText(text);
        EXPECT_EQ(Shown(), points) << qPrintable(text);
    }
    const QPoint at = view.visualRect(view.model()->index(0, 1)).center();
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonDblClick}) {
        QMouseEvent event(type, at, view.viewport()->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(view.viewport(), &event);
    }
    EXPECT_EQ(window->cboPoint->currentText(), "Point: 021");
    EXPECT_TRUE(window->frmGMap->isVisible());   // shown as if picked in the list
    EXPECT_EQ(window->cboLLGrp->currentText(), "Lumentor Group: 120");

    overview.FilterText()->clear();
    overview.MappedOnly()->setChecked(false);
    view.setCurrentIndex(view.model()->index(699, 0));
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(&view, &enter);
    EXPECT_EQ(window->cboPoint->currentText(), "Point: 700");
    {
        TransferLock lock(*window);
        view.setCurrentIndex(view.model()->index(0, 0));
        QApplication::sendEvent(&view, &enter);
    }
    EXPECT_EQ(window->cboPoint->currentText(), "Point: 700");

    overview.MappedOnly()->setChecked(true);
    view.sortByColumn(PointRow::Group, Qt::DescendingOrder);
    view.selectAll();
    view.setFocus();
    QKeyEvent copy(QEvent::KeyPress, Qt::Key_C, Qt::ControlModifier);
    QApplication::sendEvent(&view, &copy);
    QCoreApplication::processEvents();
    const QString lines = "Point,21,Group On/Off,Group,120\n"
                          "Point,5,Group On/Off,Group,12\n"
                          "Point,2,Relay On/Off,Node,05,Relay,12\n"
                          "Point,3,Multi Relay On/Off\n,Relays Controlled\n,,Node,05,Relay,1\n"
                          "Point,8,TL On Input,Node,05,Device,01,Input,1\n";
    EXPECT_EQ(QApplication::clipboard()->text(), lines);
    EXPECT_EQ(ImageCopy(), image);
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
    const QRect place = overview->geometry();
    window->close();   // the program ends with the overview open

    window = std::make_unique<frmLumentorMGW>();   // the next run
    window->show();
    overview = &Open();
    EXPECT_EQ(overview->geometry(), place);
    EXPECT_EQ(overview->View()->horizontalHeader()->sectionSize(PointRow::Action), 333);
    EXPECT_TRUE(QFile::exists(home.filePath("LumentorMGW/LumentorMGW.conf")));
}
