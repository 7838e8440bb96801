#pragma once
// Stands behind MsgBox while it lives: records every box and answers it.
// Questions (Yes/No) take their answers from a queue; a question nobody
// queued an answer for fails the test and is answered No.
#include "link/MsgBox.h"

#include <QString>
#include <gtest/gtest.h>

#include <deque>

inline void PrintTo(const QString &text, std::ostream *os) { *os << '"' << qPrintable(text) << '"'; }

struct RecordedBox {
    QString text;
    int style = 0;
    QString title;
    bool operator==(const RecordedBox &o) const { return text == o.text && style == o.style && title == o.title; }
};
using Boxes = std::vector<RecordedBox>;

inline void PrintTo(const RecordedBox &box, std::ostream *os)
{
    *os << '"' << qPrintable(box.text) << "\" style " << box.style << " \"" << qPrintable(box.title) << '"';
}

class MsgBoxRecorder {
public:
    MsgBoxRecorder() : previous_(modLumentorMGW::SetMsgBoxHandler([this](auto &&...box) { return Record(box...); })) {}
    ~MsgBoxRecorder() { modLumentorMGW::SetMsgBoxHandler(previous_); }
    MsgBoxRecorder(const MsgBoxRecorder &) = delete;
    MsgBoxRecorder &operator=(const MsgBoxRecorder &) = delete;

    void Answer(int answer) { answers_.push_back(answer); }
    int Count() const { return int(boxes.size()); }
    const RecordedBox &Last() const { return boxes.back(); }
    void Clear() { boxes.clear(); }

    Boxes boxes;
    std::function<void(const RecordedBox &)> onBox; // runs while the box is "open"

private:
    int Record(const QString &text, int style, const QString &title)
    {
        boxes.push_back({text, style, title});
        if (onBox)
            onBox(boxes.back());
        if ((style & 0x0F) != 4)
            return modLumentorMGW::vbOK;
        if (answers_.empty()) {
            ADD_FAILURE() << "unanswered question: " << qPrintable(text);
            return modLumentorMGW::vbNo;
        }
        const int answer = answers_.front();
        answers_.pop_front();
        return answer;
    }

    modLumentorMGW::MsgBoxHandler previous_;
    std::deque<int> answers_;
};
