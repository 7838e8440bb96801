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

namespace {
struct Seen {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    QString title;
    QString text;
};

// Shows the box through MsgBox and answers it by pressing `press`.
int answerBox(const QString &text, int style, const QString &title, QMessageBox::StandardButton press, Seen &seen)
{
    std::function<void()> look = [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box) {
            QTimer::singleShot(0, look);
            return;
        }
        seen = {box->icon(), box->standardButtons(), box->windowTitle(), box->text()};
        box->button(press)->click();
    };
    QTimer::singleShot(0, look);
    return MsgBox(text, style, title);
}
} // namespace

TEST(MessageBoxTest, StylesGiveTheirButtonsIconsAndAnswers)
{
    const MsgBoxHandler previous = SetMsgBoxHandler(ShowMessageBox);
    const struct { int style; QMessageBox::Icon icon; } styles[] = {
        {0, QMessageBox::NoIcon}, {16, QMessageBox::Critical}, {48, QMessageBox::Warning},
        {64, QMessageBox::Information}};
    for (const auto &s : styles) {
        Seen seen;
        EXPECT_EQ(answerBox("Upload Complete", s.style, "", QMessageBox::Ok, seen), 1);
        EXPECT_EQ(seen.icon, s.icon) << s.style;
        EXPECT_EQ(seen.buttons, QMessageBox::Ok);
        EXPECT_EQ(seen.title, "LumentorMGW");
        EXPECT_EQ(seen.text, "Upload Complete");
    }

    Seen seen;
    EXPECT_EQ(answerBox("Discard Any Changes?", 36, "Arvane Lumentor", QMessageBox::Yes, seen), 6);
    EXPECT_EQ(seen.icon, QMessageBox::Question);
    EXPECT_EQ(seen.buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(seen.title, "Arvane Lumentor");
    EXPECT_EQ(answerBox("Discard Any Changes?", 36, "Arvane Lumentor", QMessageBox::No, seen), 7);
    SetMsgBoxHandler(previous);
}
