#pragma once
// A fresh, shown main window per test, with the home folder in a temporary
// directory, every message box recorded (see MsgBoxRecorder) and the file
// dialog answered from a queue: a dialog nobody queued a reply for fails the
// test and is cancelled.
#include "common/MsgBoxRecorder.h"
#include "image/ConfigImage.h"
#include "link/PortList.h"
#include "ui/widgets/ClickLabel.h"
#include "ui/dialogs/CommonDialog.h"
#include "ui/window/frmLumentorMGW.h"

// Every kind of control the window has, so that tests can drive any of them.
#include <QtWidgets>
#include <gtest/gtest.h>

// While it lives the system's own ports are left out of the port list:
// looking them up at every window and transfer costs more than the test.
struct NoSystemPorts {
    ~NoSystemPorts() { modLumentorMGW::SetPortReporter(system); }
    const modLumentorMGW::PortReporter system =
        modLumentorMGW::SetPortReporter([] { return std::vector<modLumentorMGW::ReportedPort>{}; });
};

class WindowFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(home.isValid());
        qputenv("HOME", QFile::encodeName(home.path()));
        ASSERT_EQ(QDir::homePath(), QDir::cleanPath(home.path()));
        // Settings (the remembered port) go to this test's folder too.
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, home.path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, home.path());
        previousDialog = CommonDialog::SetHandler([this](const CommonDialog::Request &r) -> std::optional<QString> {
            asked.push_back(r);
            if (replies.empty()) {
                ADD_FAILURE() << "unexpected file dialog";
                return std::nullopt;
            }
            const std::optional<QString> reply = replies.front();
            replies.pop_front();
            return reply;
        });
        window = std::make_unique<frmLumentorMGW>();
        window->show();
    }

    void TearDown() override
    {
        window.reset();
        modLumentorMGW::ForgetNamedPorts();
        CommonDialog::SetHandler(previousDialog);
    }

    // Selects point index p as the operator would.
    void SelectPoint(int p) { window->cboPoint->setCurrentIndex(p); }

    // A left-button event in the middle of the widget, with `held` down after it.
    static void Mouse(QWidget *widget, QEvent::Type type, Qt::MouseButtons held)
    {
        const QPointF at = QRectF(widget->rect()).center();
        QMouseEvent event(type, at, widget->mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
        QApplication::sendEvent(widget, &event);
    }

    static void Click(QWidget *widget)
    {
        Mouse(widget, QEvent::MouseButtonPress, Qt::LeftButton);
        Mouse(widget, QEvent::MouseButtonRelease, Qt::NoButton);
    }

    // As the platform delivers it: press, release, double-click event, release.
    static void DoubleClick(QWidget *widget)
    {
        Click(widget);
        Mouse(widget, QEvent::MouseButtonDblClick, Qt::LeftButton);
        Mouse(widget, QEvent::MouseButtonRelease, Qt::NoButton);
    }

    // One notch of the wheel over the middle of the widget, towards the user.
    static void WheelDown(QWidget *widget)
    {
        const QPointF at = QRectF(widget->rect()).center();
        QWheelEvent wheel(at, widget->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(widget, &wheel);
    }

    static std::vector<int16_t> ImageCopy()
    {
        return {modLumentorMGW::ConfigImage, modLumentorMGW::ConfigImage + modLumentorMGW::CellCount};
    }

    // Storage indices (bank + 2 * address) of the cells that differ from `before`.
    static std::vector<int> ChangedCells(const std::vector<int16_t> &before)
    {
        std::vector<int> changed;
        for (int i = 0; i < modLumentorMGW::CellCount; ++i) {
            if (modLumentorMGW::ConfigImage[i] != before[i])
                changed.push_back(i);
        }
        return changed;
    }

    static bool ImageIsClear() { return ChangedCells(std::vector<int16_t>(modLumentorMGW::CellCount, 0)).empty(); }

    QTemporaryDir home;
    MsgBoxRecorder boxes;
    std::vector<CommonDialog::Request> asked;
    std::deque<std::optional<QString>> replies;
    CommonDialog::Handler previousDialog;
    std::unique_ptr<frmLumentorMGW> window;
};
