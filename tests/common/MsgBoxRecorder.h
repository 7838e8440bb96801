#pragma once
// Stands behind MsgBox while it lives: records every box and answers it.
// Questions (Yes/No) take their answers from a queue; a question nobody
// queued an answer for fails the test and is answered No.
#include "link/MsgBox.h"

#include <QString>
#include <deque>
#include <functional>
#include <vector>

struct RecordedBox {
    QString text;
    int style = 0;
    QString title;
};

class MsgBoxRecorder {
public:
    MsgBoxRecorder();
    ~MsgBoxRecorder();
    MsgBoxRecorder(const MsgBoxRecorder &) = delete;
    MsgBoxRecorder &operator=(const MsgBoxRecorder &) = delete;

    void Answer(int answer) { answers_.push_back(answer); }
    int Count() const { return int(boxes.size()); }
    const RecordedBox &Last() const { return boxes.back(); }
    void Clear() { boxes.clear(); }

    std::vector<RecordedBox> boxes;
    std::function<void(const RecordedBox &)> onBox; // runs while the box is "open"

private:
    int Record(const QString &text, int style, const QString &title);

    std::deque<int> answers_;
    modLumentorMGW::MsgBoxHandler previous_;
};
