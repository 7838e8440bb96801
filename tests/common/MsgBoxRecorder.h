#pragma once
// Stands behind MsgBox while it lives: records every box and answers it.
// Questions (Yes/No) take their answers from a queue; a question nobody
// queued an answer for fails the test and is answered No.
#include "link/MsgBox.h"

#include <QString>
#include <deque>
#include <functional>
#include <ostream>
#include <vector>

struct RecordedBox {
    QString text;
    int style = 0;
    QString title;
    bool operator==(const RecordedBox &o) const { return text == o.text && style == o.style && title == o.title; }
};

inline void PrintTo(const QString &text, std::ostream *os) { *os << '"' << qPrintable(text) << '"'; }

inline void PrintTo(const RecordedBox &box, std::ostream *os)
{
    *os << '"' << qPrintable(box.text) << "\" style " << box.style << " \"" << qPrintable(box.title) << '"';
}

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
    // The texts alone, for tests that pin no style or title.
    std::vector<QString> Texts() const
    {
        std::vector<QString> texts;
        for (const RecordedBox &box : boxes)
            texts.push_back(box.text);
        return texts;
    }

    std::vector<RecordedBox> boxes;
    std::function<void(const RecordedBox &)> onBox; // runs while the box is "open"

private:
    int Record(const QString &text, int style, const QString &title);

    std::deque<int> answers_;
    modLumentorMGW::MsgBoxHandler previous_;
};

using Boxes = std::vector<RecordedBox>;
