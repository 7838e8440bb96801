#pragma once
// Records every message box the code shows and answers it, for as long as
// the recorder lives.
#include "link/MsgBox.h"

#include <QString>
#include <functional>
#include <vector>

struct RecordedBox
{
    QString text;
    int style = 0;
    QString title;
};

class MsgBoxRecorder
{
public:
    MsgBoxRecorder();
    ~MsgBoxRecorder();
    MsgBoxRecorder(const MsgBoxRecorder &) = delete;
    MsgBoxRecorder &operator=(const MsgBoxRecorder &) = delete;

    std::vector<RecordedBox> boxes;
    int yesNoAnswer = modLumentorMGW::vbYes; // OK boxes are answered vbOK
    std::function<void(const RecordedBox &)> onBox; // runs while the box is "open"

private:
    modLumentorMGW::MsgBoxHandler previous_;
};
