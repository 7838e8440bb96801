#include "common/MsgBoxRecorder.h"

using namespace modLumentorMGW;

MsgBoxRecorder::MsgBoxRecorder()
{
    previous_ = SetMsgBoxHandler([this](const QString &text, int style, const QString &title) {
        boxes.push_back({text, style, title});
        if (onBox)
            onBox(boxes.back());
        return (style & 0x0F) == 4 ? yesNoAnswer : vbOK;
    });
}

MsgBoxRecorder::~MsgBoxRecorder()
{
    SetMsgBoxHandler(previous_);
}
