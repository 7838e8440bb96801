// Everyone can operate it: the relay grid from the keyboard and through
// assistive technology, a name for every control, readable text on every
// fixed background under dark and light palettes, and the keys that move on.
#include "common/WindowFixture.h"
#include "ui/overview/PointOverview.h"
#include "ui/widgets/RelayGrid.h"

#include <QAccessible>
#include <QTest>

using namespace modLumentorMGW;

using AccessTest = WindowFixture;

// Tab from the node list reaches the grid, the arrows move, Space and Enter
// toggle as a click does: the same cell, one step of the history.
TEST_F(AccessTest, RelayGridIsOneKeyboardStopThatTogglesAsAClickDoes)
{
    frmLumentorMGW &w = *window;
    w.cboType->setCurrentIndex(3);
    QApplication::setActiveWindow(&w);
    w.cboMNode->setFocus();
    QTest::keyClick(w.cboMNode, Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), w.relayGrid);
    for (int key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Up, Qt::Key_Right, Qt::Key_Right, Qt::Key_Left,
                    Qt::Key_Left, Qt::Key_Left, Qt::Key_Down, Qt::Key_Down, Qt::Key_Down})
        QTest::keyClick(w.relayGrid, Qt::Key(key));
    QTest::keyClick(w.relayGrid, Qt::Key_Space);   // relay 06 of node 01
    EXPECT_EQ(ImageGet(1, 0), 1 << 5);
    EXPECT_EQ(w.lblMInc[5]->text(), "Yes");
    EXPECT_EQ(w.mnuEditUndo->text(), "Undo Relay Grid");
    w.mnuEditUndo->trigger();
    EXPECT_EQ(ImageGet(1, 0), 0);
    EXPECT_EQ(w.lblMInc[5]->text(), "No");
    QTest::keyClick(w.relayGrid, Qt::Key_Right);
    QTest::keyClick(w.relayGrid, Qt::Key_Return);   // relay 22
    EXPECT_EQ(ImageGet(1, 2), 1 << 5);
    QTest::keyClick(w.relayGrid, Qt::Key_Enter, Qt::KeypadModifier);   // the keypad's Enter as Return
    EXPECT_EQ(ImageGet(1, 2), 0);
    QTest::keyClick(w.relayGrid, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(ImageGet(1, 2), 1 << 5);

    // The focus is drawn on the label, in the palette's highlight.
    const QImage frame = w.frmMMap->grab().toImage();
    const QRect relay = w.lblMInc[21]->geometry();
    EXPECT_EQ(frame.pixelColor(relay.left() + 2, relay.center().y()), w.relayGrid->palette().color(QPalette::Highlight));

    QTest::keyClick(w.relayGrid, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), w.cboType);

    // Each relay is a check box named for its relay and node, toggled by its action.
    QAccessibleInterface *grid = QAccessible::queryAccessibleInterface(w.relayGrid);
    ASSERT_EQ(grid->childCount(), 64);
    QAccessibleInterface *relay22 = grid->child(21);
    EXPECT_EQ(relay22->text(QAccessible::Name), "Relay 22, Node 01");
    EXPECT_EQ(relay22->role(), QAccessible::CheckBox);
    EXPECT_TRUE(relay22->state().checkable && relay22->state().checked);
    relay22->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_EQ(ImageGet(1, 2), 0);
    EXPECT_FALSE(relay22->state().checked);
    w.cboMNode->setCurrentIndex(9);
    EXPECT_EQ(grid->child(63)->text(QAccessible::Name), "Relay 64, Node 0A");
    EXPECT_EQ(grid->indexOfChild(grid->child(63)), 63);
}

// Every control that takes the focus, and the transfer's bar, says what it
// is in words of its own: never the entry a list shows.
TEST_F(AccessTest, EveryControlHasANameThatIsNotItsValue)
{
    frmLumentorMGW &w = *window;
    w.mnuEditOverview->trigger();
    w.findChild<QAction *>("mnuViewRecord")->trigger();
    auto *record = w.findChild<QWidget *>("TransferRecord");
    ASSERT_NE(record, nullptr);
    QMap<QString, QString> named;
    QStringList recordNames;
    for (QWidget *control : record->findChildren<QWidget *>())
        if (control->focusPolicy() & Qt::TabFocus)
            recordNames << QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name);
    recordNames.sort();
    EXPECT_EQ(recordNames, QStringList({"Filter", "Gateway name for this port", "Transfers"}));
    for (QWidget *top : {static_cast<QWidget *>(&w), static_cast<QWidget *>(w.Overview)}) {
        for (QWidget *control : top->findChildren<QWidget *>()) {
            QAccessibleInterface *access = QAccessible::queryAccessibleInterface(control);
            if (control->window() == top && !control->inherits("QScrollBar")
                && ((control->focusPolicy() & Qt::TabFocus) || access->role() == QAccessible::ProgressBar))
                named[control->objectName().isEmpty() ? control->metaObject()->className() : control->objectName()] =
                    access->text(QAccessible::Name);
        }
    }
    const QMap<QString, QString> expected = {
        {"cboComPort", "Serial port"}, {"cboPoint", "Point"},       {"cboType", "Point type"},
        {"cboTimeout", "Timeout"},     {"cboSNode", "Node"},        {"cboINode", "Node"},
        {"cboMNode", "Node"},          {"cboSRelay", "Relay"},      {"cboIDev", "Device"},
        {"cboIInp", "Input"},          {"cboLLGrp", "Group"},       {"cboLLPrs", "Preset"},
        {"cboAMRly", "Auto map count"}, {"cboAMGrp", "Auto map count"}, {"cboAMPrs", "Auto map count"},
        {"prgUpDown", "Transfer progress"}, {"relayGrid", "Relays"}, {"chkResend", "Enable Command Resend When Relays Are Correct"},
        {"optProtocol(0)", "BACnet"}, {"optProtocol(1)", "LonWorks"}, {"cmdCancel", "Cancel"},
        {"cmdAMRly", "Auto Map"}, {"cmdAMGrp", "Auto Map"}, {"cmdAMPrs", "Auto Map"},
        {"QCheckBox", "Mapped points only"}, {"QLineEdit", "Filter"}, {"QTableView", "Points"},   // the overview's
    };
    EXPECT_EQ(named, expected);

    QAccessibleInterface *fileName = QAccessible::queryAccessibleInterface(w.lblFileName);
    EXPECT_EQ(fileName->text(QAccessible::Name), "Map file");
    EXPECT_EQ(fileName->text(QAccessible::Description), "None");
    EXPECT_EQ(QAccessible::queryAccessibleInterface(w.Overview)->role(), QAccessible::Window);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(record)->role(), QAccessible::Window);
}

namespace {
// WCAG's contrast ratio of two colours.
double Ratio(const QColor &a, const QColor &b)
{
    const auto luminance = [](const QColor &c) {
        const auto linear = [](double v) { return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// From the label's pixels: the corner inside the border is the background,
// the pixel that stands out most from it the text.
double TextContrast(QLabel *label)
{
    const QImage image = label->grab().toImage();
    double most = 1;
    for (int y = 1; y < image.height() - 1; ++y) {
        for (int x = 1; x < image.width() - 1; ++x)
            most = std::max(most, Ratio(image.pixelColor(x, y), image.pixelColor(1, 1)));
    }
    return most;
}
} // namespace

// A dark palette's light text on the white, grey and cyan labels, and the
// light palette's dark text: at least 4.5:1 everywhere.
TEST_F(AccessTest, TextOnEveryFixedBackgroundStandsOutUnderDarkAndLightPalettes)
{
    const QPalette light = QApplication::palette();
    QPalette dark = light;
    for (auto [role, colour] : {std::pair{QPalette::Window, 0x2d2d2d}, {QPalette::WindowText, 0xeeeeee},
                                {QPalette::Base, 0x1e1e1e}, {QPalette::Text, 0xeeeeee},
                                {QPalette::Button, 0x353535}, {QPalette::ButtonText, 0xeeeeee}})
        dark.setColor(role, QColor(QRgb(colour)));
    for (const auto &[palette, which] : {std::pair{dark, "dark"}, {light, "light"}}) {
        SCOPED_TRACE(which);
        QApplication::setPalette(palette);
        window = std::make_unique<frmLumentorMGW>();
        window->show();
        frmLumentorMGW &w = *window;
        w.cboType->setCurrentIndex(3);
        Click(w.lblMInc[0]);
        ASSERT_EQ(w.lblMInc[0]->text(), "Yes");
        ASSERT_EQ(w.lblMInc[1]->text(), "No");
        w.frmUpDown->show();
        w.lblProgress->setText("Verify Checksum For Memory Bank: 1");
        for (QLabel *label : {static_cast<QLabel *>(w.lblMInc[0]), static_cast<QLabel *>(w.lblMInc[1]), w.lblMRelay[0],
                              w.lblMRelay[63], w.lblProgress})
            EXPECT_GE(TextContrast(label), 4.5) << qPrintable(label->objectName());
    }
    QApplication::setPalette(light);
}

// Typed numbers reach their point, closed or open; the overview lets Tab
// move on and closes with Escape and Ctrl+W.
TEST_F(AccessTest, KeysMoveOnCloseAndTypeNumbers)
{
    frmLumentorMGW &w = *window;
    QApplication::setActiveWindow(&w);
    w.cboPoint->setFocus();
    QTest::keyClicks(w.cboPoint, "060");
    EXPECT_EQ(w.cboPoint->currentText(), "Point: 060");
    w.cboPoint->showPopup();
    QTest::keyClicks(w.cboPoint->view(), "12");
    QTest::keyClick(w.cboPoint->view(), Qt::Key_Return);
    EXPECT_EQ(w.cboPoint->currentText(), "Point: 120");

    for (const auto &[key, modifiers] : {std::pair{Qt::Key_Escape, Qt::NoModifier}, {Qt::Key_W, Qt::ControlModifier}}) {
        w.mnuEditOverview->trigger();
        PointOverview &overview = *w.Overview;
        QApplication::setActiveWindow(&overview);
        overview.View()->setFocus();
        QTest::keyClick(overview.View(), Qt::Key_Tab);
        EXPECT_NE(QApplication::focusWidget(), overview.View());
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
        EXPECT_FALSE(overview.isVisible());
    }
}

// Ctrl+Z undoes; Ctrl+Y and Ctrl+Shift+Z redo. The test platform binds Ctrl+Y
// to Redo itself, X11's desktops only Ctrl+Shift+Z: this test runs again on
// a real X server (tests/CMakeLists.txt).
TEST_F(AccessTest, CtrlYRedoesAsCtrlShiftZDoes)
{
    frmLumentorMGW &w = *window;
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    QApplication::setActiveWindow(&w);
    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
    for (const Qt::KeyboardModifiers redo : {ctrl, ctrl | Qt::ShiftModifier}) {
        const Qt::Key key = redo & Qt::ShiftModifier ? Qt::Key_Z : Qt::Key_Y;
        w.cboType->setCurrentIndex(5);
        QTest::keyClick(&w, Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(w.cboType->currentText(), "Unused");
        QTest::keyClick(&w, key, redo);
        EXPECT_EQ(w.cboType->currentText(), "Lumentor Group On/Off") << QGuiApplication::platformName().toStdString();
        w.cboType->setCurrentIndex(0);
    }
}
