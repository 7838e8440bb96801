#pragma once
// A fresh, shown main window per test, with the home folder in a temporary
// directory and every message box recorded (see MsgBoxRecorder).
#include "common/MsgBoxRecorder.h"
#include "image/ConfigImage.h"
#include "ui/ClickLabel.h"
#include "ui/frmLumentorMGW.h"

// The window's kinds of control, so that tests can drive any of them.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QDir>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

class WindowFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(home.isValid());
        PointHomeAt(home.path());
        window = std::make_unique<frmLumentorMGW>();
        window->show();
    }

    void TearDown() override
    {
        window.reset();
        qputenv("HOME", savedHome);
    }

    void PointHomeAt(const QString &path)
    {
        qputenv("HOME", QFile::encodeName(path));
        ASSERT_EQ(QDir::homePath(), QDir::cleanPath(path));
    }

    // Selects point index p as the operator would.
    void SelectPoint(int p) { window->cboPoint->setCurrentIndex(p); }

    // A left-button press and release in the middle of the widget.
    static void Click(QWidget *widget)
    {
        const QPointF at = QRectF(widget->rect()).center();
        const QPointF global = widget->mapToGlobal(at);
        QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(widget, &press);
        QApplication::sendEvent(widget, &release);
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

    QByteArray savedHome = qgetenv("HOME");
    QTemporaryDir home;
    MsgBoxRecorder boxes;
    std::unique_ptr<frmLumentorMGW> window;
};
