// The real box, driven headless: a queued call finds the modal box, reads
// it and presses one of its buttons.
#include "link/MsgBox.h"
#include "ui/MessageBox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

using namespace modLumentorMGW;

TEST(MessageBoxTest, StylesGiveTheirButtonsIconsAndAnswers)
{
    const MsgBoxHandler previous = SetMsgBoxHandler(ShowMessageBox);
    using B = QMessageBox;
    const struct {
        int style; QString title; B::Icon icon; B::StandardButtons buttons; B::StandardButton press; int answer;
        QString seenTitle;
    } cases[] = {
        {0, "", B::NoIcon, B::Ok, B::Ok, 1, "LumentorMGW"},
        {16, "", B::Critical, B::Ok, B::Ok, 1, "LumentorMGW"},
        {48, "", B::Warning, B::Ok, B::Ok, 1, "LumentorMGW"},
        {64, "", B::Information, B::Ok, B::Ok, 1, "LumentorMGW"},
        {36, "Arvane Lumentor", B::Question, B::Yes | B::No, B::Yes, 6, "Arvane Lumentor"},
        {36, "Arvane Lumentor", B::Question, B::Yes | B::No, B::No, 7, "Arvane Lumentor"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.style);
        bool looked = false;
        std::function<void()> look = [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return QTimer::singleShot(0, look);
            looked = true;
            EXPECT_EQ(box->icon(), c.icon);
            EXPECT_EQ(box->standardButtons(), c.buttons);
            EXPECT_EQ(box->windowTitle(), c.seenTitle);
            EXPECT_EQ(box->text(), "Upload Complete");
            box->button(c.press)->click();
        };
        QTimer::singleShot(0, look);
        EXPECT_EQ(MsgBox("Upload Complete", c.style, c.title), c.answer);
        EXPECT_TRUE(looked);
    }
    SetMsgBoxHandler(previous);
}
