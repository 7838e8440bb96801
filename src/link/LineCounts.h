#pragma once
// What went over the line while it is watched: blocks written ("38") and
// read back ("39"), and characters each way. A scripted run keeps one for
// its report; a transfer never looks at it.
#include "link/LineObserver.h"

#include <QtGlobal>

namespace modLumentorMGW {

class LineCounts : public LineObserver
{
public:
    LineCounts();
    ~LineCounts() override;
    LineCounts(const LineCounts &) = delete;
    LineCounts &operator=(const LineCounts &) = delete;

    void Seen(const LineEvent &event) override;

    qint64 blocksSent = 0;
    qint64 blocksReceived = 0;
    qint64 charactersSent = 0;
    qint64 charactersReceived = 0;

private:
    bool blockAsked_ = false; // the frame sent last reads a block
};

} // namespace modLumentorMGW
