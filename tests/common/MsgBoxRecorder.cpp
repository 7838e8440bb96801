#include "common/MsgBoxRecorder.h"

#include <gtest/gtest.h>

using namespace modLumentorMGW;

MsgBoxRecorder::MsgBoxRecorder()
{
    previous_ = SetMsgBoxHandler(
        [this](const QString &text, int style, const QString &title) { return Record(text, style, title); });
}

MsgBoxRecorder::~MsgBoxRecorder() { SetMsgBoxHandler(previous_); }

int MsgBoxRecorder::Record(const QString &text, int style, const QString &title)
{
    boxes.push_back({text, style, title});
    if (onBox)
        onBox(boxes.back());
    if ((style & 0x0F) != 4)
        return vbOK;
    if (answers_.empty()) {
        ADD_FAILURE() << "unanswered question: " << qPrintable(text);
        return vbNo;
    }
    const int answer = answers_.front();
    answers_.pop_front();
    return answer;
}
